// The window font. The layout's font is bold, 13 pixels of character height
// at 120 ppi with 16 pixels of text height (character height plus internal
// leading), and every caption is Cyrillic. Windows offers no single face that
// is sure to be there with those measures, so the candidates are measured:
// "Microsoft Sans Serif" where Windows has it, else Tahoma (present since
// Windows 2000; under Wine, Wine's own). The bitmap "MS Sans Serif" is no
// candidate: outside a Russian code page it shows Cyrillic as boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "unique_gdi.h"

namespace vantrel {

// What one face gives at a character height, as this machine draws it.
struct FaceMeasurement {
    std::wstring face;
    bool installed = false;  // drawn in that face, not a substitute
    bool cyrillic = false;   // has a glyph for every letter of the captions
    int textHeight = 0;      // character height plus internal leading, pixels
};

FaceMeasurement MeasureFace(const std::wstring& face, int characterPixels, bool bold);

// The first candidate that is installed, has the Cyrillic letters and draws
// `textHeight` pixels of text at `characterPixels`; else the first that is
// installed with the letters; else the desktop's message font.
std::wstring ChooseWindowFace(const std::vector<std::wstring>& candidates, int characterPixels,
                              int textHeight);

// A font of `face` whose character height (without internal leading) is
// `characterPixels`.
HFONT CreateLayoutFont(const std::wstring& face, int characterPixels, bool bold);

}  // namespace vantrel
