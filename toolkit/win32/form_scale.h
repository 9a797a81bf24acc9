// A form's design pixels on the screen it is on. The program is per-monitor
// DPI aware, so Windows hands it the screen's own pixels at the screen's
// density (96 at 100%, 120 at 125%, 144 at 150%...); one design pixel is
// dpi / 120 of them, and at 120 ppi exactly one.
#pragma once

#include <windows.h>

namespace vantrel {

// A control's place in design pixels, within its container's client area.
struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class FormScale {
public:
    // `windowFontPoints`: the form's font in the layout, which every other
    // font keeps its proportion to as drawn.
    FormScale(UINT dpi, int windowFontPoints);

    UINT Dpi() const { return dpi_; }
    double Factor() const { return factor_; }
    int Length(int designPixels) const;
    // Scales the edges rather than the size, so that controls that touch at
    // design density (the status bar and the bottom of the client area) still
    // touch after rounding.
    RECT Rect(const DesignRect& design) const;
    // The character height of a layout font, in whole pixels rounded down:
    // the window font's rounded height, and every other font in proportion
    // to it, so a superscript digit shrinks with the caption it raises.
    int FontPixels(int layoutPoints) const;

private:
    UINT dpi_;
    double factor_;
    double textFactor_;
};

}  // namespace vantrel
