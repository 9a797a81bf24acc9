#include "window_font.h"

#include <cwchar>

namespace vantrel {

namespace {

// Every letter the window's captions and titles use.
constexpr wchar_t kCaptionLetters[] =
    L"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя°·";

// Selects a font into the screen's device context for as long as it lives.
class ScreenText {
public:
    explicit ScreenText(HFONT font) : dc_(GetDC(nullptr)), font_(font) {
        previous_ = SelectObject(dc_, font_);
    }
    ~ScreenText() {
        SelectObject(dc_, previous_);
        ReleaseDC(nullptr, dc_);
    }
    ScreenText(const ScreenText&) = delete;
    ScreenText& operator=(const ScreenText&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

}  // namespace

HFONT CreateLayoutFont(const std::wstring& face, int characterPixels, bool bold) {
    // A negative height asks for the character height, the internal leading
    // coming on top, as the layout's point sizes mean it.
    return CreateFontW(-characterPixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
}

FaceMeasurement MeasureFace(const std::wstring& face, int characterPixels, bool bold) {
    FaceMeasurement measured{face};
    const UniqueFont font(CreateLayoutFont(face, characterPixels, bold));
    if (font.Get() == nullptr) {
        return measured;
    }
    const ScreenText text(font.Get());
    wchar_t drawnFace[LF_FACESIZE] = {};
    GetTextFaceW(text.Dc(), LF_FACESIZE, drawnFace);
    measured.installed = _wcsicmp(drawnFace, face.c_str()) == 0;
    WORD glyphs[std::size(kCaptionLetters) - 1];
    const int count = static_cast<int>(std::size(glyphs));
    measured.cyrillic = GetGlyphIndicesW(text.Dc(), kCaptionLetters, count, glyphs,
                                         GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(count);
    for (WORD glyph : glyphs) {
        measured.cyrillic = measured.cyrillic && glyph != 0xFFFF;
    }
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(text.Dc(), &metrics)) {
        measured.textHeight = metrics.tmHeight;
    }
    return measured;
}

std::wstring ChooseWindowFace(const std::vector<std::wstring>& candidates, int characterPixels,
                              int textHeight) {
    std::wstring usable;
    for (const std::wstring& face : candidates) {
        const FaceMeasurement measured = MeasureFace(face, characterPixels, true);
        if (!measured.installed || !measured.cyrillic) {
            continue;
        }
        if (measured.textHeight == textHeight) {
            return face;
        }
        if (usable.empty()) {
            usable = face;
        }
    }
    if (!usable.empty()) {
        return usable;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfMessageFont.lfFaceName;
}

}  // namespace vantrel
