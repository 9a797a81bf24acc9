// The layout states places, sizes and fonts in design pixels: 1/120 inch, the
// density the window was laid out at. Every toolkit scales them by the same
// rules: lengths to the nearest whole pixel, font heights down to a whole
// pixel, and a superscript digit at its design distance after the letters it
// raises as they are drawn.
#pragma once

#include <optional>

namespace vantrel {

inline constexpr double kDesignDpi = 120.0;

// A design length at `factor` times the design density, to the nearest pixel.
int ScaledLength(int designPixels, double factor);

// The layout states fonts in points at the design density, the way the window
// system the layout comes from turns points into a character height:
// round(points * 120 / 72) design pixels (8 pt -> 13 px).
int FontDesignPixels(int layoutPoints);

// A character height of `designPixels` at `factor`, in whole pixels rounded
// down, at least 1. Text is drawn at whole pixel sizes, so it cannot scale
// exactly with the geometry; rounding down keeps it from outgrowing the places
// the layout gives it (a tab strip, a field, the gap a superscript stands in),
// where rounding to nearest made it up to 5% wider at 72 to 100 ppi.
int WholeFontPixels(int designPixels, double factor);

// A superscript digit's caption as drawn now, in pixels from the caption's
// left edge, and the digit's ink from its own left edge.
struct SuperscriptText {
    double captionLeft = 0;     // within their container
    double raisedAdvance = 0;   // how far the raised letters ("м", "кгс/мм") advance
    double raisedInkRight = 0;  // where their ink ends
    // Where the ink of the letters after the two-space gap the digit stands
    // in begins ("/ч" of "м  /ч"); none where the digit ends the caption.
    std::optional<double> restInkLeft;
    double digitInkLeft = 0;
    double digitInkRight = 0;
};

// The digit's left edge: `gap` (the design's distance from the raised letters
// to the digit, scaled) after the raised letters as drawn, with its ink kept
// clear of theirs and of the letters after its gap. Whole-pixel fonts are not
// exactly as wide as their scaled boxes, so a digit placed by geometry alone
// would drift onto the letter it raises or away from it.
int SuperscriptLeft(const SuperscriptText& text, double gap);

}  // namespace vantrel
