#include "text_ink.h"

#include <algorithm>
#include <cstdint>

namespace vantrel {

TextInk MeasureText(HFONT font, std::wstring_view text, int inkFrom) {
    TextInk ink;
    if (text.empty()) {
        return ink;
    }
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    ink.advance = extent.cx;
    ink.inkLeft = ink.advance;
    ink.inkRight = 0;
    // Drawn black on white with room on either side for overhanging glyphs.
    const int margin = extent.cy;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = extent.cx + 2 * margin;
    format.bmiHeader.biHeight = -extent.cy;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP canvas = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (canvas != nullptr) {
        const HGDIOBJ previousBitmap = SelectObject(dc, canvas);
        const int width = format.bmiHeader.biWidth;
        const RECT all{0, 0, width, extent.cy};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, margin, 0, text.data(), static_cast<int>(text.size()));
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        for (int x = std::max(0, margin + inkFrom); x < width; ++x) {
            for (int y = 0; y < extent.cy; ++y) {
                if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                    ink.inkLeft = std::min(ink.inkLeft, x - margin);
                    ink.inkRight = std::max(ink.inkRight, x - margin + 1);
                    break;
                }
            }
        }
        SelectObject(dc, previousBitmap);
        DeleteObject(canvas);
    }
    SelectObject(dc, previousFont);
    DeleteDC(dc);
    return ink;
}

}  // namespace vantrel
