// Where a text's ink lies as a font draws it, for placing a superscript digit
// against the letters around it.
#pragma once

#include <windows.h>

#include <string_view>

namespace vantrel {

struct TextInk {
    int advance = 0;   // how far the text moves the pen
    int inkLeft = 0;   // where the first glyph's ink begins, from the origin
    int inkRight = 0;  // where the last glyph's ink ends, from the origin
};

// Measured on the screen; a font without per-glyph widths (a bitmap font)
// has its ink exactly within its advance.
TextInk MeasureText(HFONT font, std::wstring_view text);

}  // namespace vantrel
