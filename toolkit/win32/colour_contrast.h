// How far apart two colours are for reading text: the contrast ratio of their
// relative luminances, from 1 (the same) to 21 (black and white), as
// accessibility guidelines measure it; text wants 4.5 or more.
#pragma once

#include <windows.h>

namespace vantrel {

double ContrastRatio(COLORREF a, COLORREF b);

// `preferred` where it reads on `background`, else black or white, whichever
// reads better.
COLORREF ReadableOn(COLORREF background, COLORREF preferred);

}  // namespace vantrel
