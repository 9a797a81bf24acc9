#include "text_ink.h"

namespace vantrel {

TextInk MeasureText(HFONT font, std::wstring_view text) {
    TextInk ink;
    if (text.empty()) {
        return ink;
    }
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    ink.advance = extent.cx;
    ink.inkRight = extent.cx;
    ABC first{};
    ABC last{};
    if (GetCharABCWidthsW(dc, text.front(), text.front(), &first) &&
        GetCharABCWidthsW(dc, text.back(), text.back(), &last)) {
        ink.inkLeft = first.abcA;
        ink.inkRight = extent.cx - last.abcC;
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return ink;
}

}  // namespace vantrel
