// A form's design pixels at the density it is drawn at, by the rules every
// toolkit follows (design_metrics.h). The layout states places and fonts in
// design pixels, 1/120 inch; at a density of `dpi` pixels per inch one design
// pixel is dpi / 120 pixels.
#pragma once

#include "toolkit/design_metrics.h"

namespace vantrel {

// A control's place in design pixels, within its container's client area.
struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A place in pixels, by its edges.
struct PixelEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class DesignScale {
public:
    // `windowFontPoints`: the form's font in the layout, which every other
    // font keeps its proportion to as drawn.
    DesignScale(double dpi, int windowFontPoints);

    double Dpi() const { return dpi_; }
    double Factor() const { return factor_; }
    int Length(int designPixels) const { return ScaledLength(designPixels, factor_); }
    double Pixels(double designPixels) const { return designPixels * factor_; }
    // Scales the edges rather than the size, so that controls that touch at
    // design density (the status bar and the bottom of the client area) still
    // touch after rounding.
    PixelEdges Edges(const DesignRect& design) const;
    // The character height of a layout font, in whole pixels rounded down:
    // the window font's rounded height, and every other font in proportion
    // to it, so a superscript digit shrinks with the caption it raises.
    int FontPixels(int layoutPoints) const;

private:
    double dpi_;
    double factor_;
    double textFactor_;
};

}  // namespace vantrel
