// Where a text's ink lies as a font draws it, for placing a superscript digit
// against the letters around it and for fitting a caption to its text. The
// ink is found by drawing the text, not from the font's metrics: Wine, for
// one, draws bold Tahoma 4 pixels narrower than it measures it at 13 pixels
// and wider at 7 and 8, and what counts is what the user sees.
#pragma once

#include <windows.h>

#include <string_view>

namespace vantrel {

struct TextInk {
    int advance = 0;   // how far the text moves the pen (GetTextExtentPoint32)
    int inkLeft = 0;   // the first column with ink, from the text's origin
    int inkRight = 0;  // one past the last column with ink
};

// `inkFrom`: the first column the ink is looked for in, so that the ink of
// the letters after a gap can be found on their own.
TextInk MeasureText(HFONT font, std::wstring_view text, int inkFrom = 0);

}  // namespace vantrel
