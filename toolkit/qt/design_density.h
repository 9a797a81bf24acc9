// Layout geometry and font sizes are stored in design pixels: 1/120 inch, the
// density the window was laid out at. Qt places widgets in device-independent
// pixels of 1/L inch, where L is the screen's logical DPI (96 on a standard
// desktop, 120 when the desktop is set to 120; any whole-number part of a
// higher density is already taken by Qt into the device pixel ratio). One
// design pixel is therefore L / 120 device-independent pixels, and at 120 ppi
// one design pixel is exactly one device pixel.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "toolkit/design_metrics.h"

namespace vantrel {

class DesignScale {
public:
    explicit DesignScale(double logicalDpi) : factor_(logicalDpi / kDesignDpi) {}

    int Length(int designPixels) const;
    double Pixels(double designPixels) const { return designPixels * factor_; }
    QPoint Point(QPoint designPoint) const;
    QSize Size(QSize designSize) const;
    // Scales the edges rather than the size, so that controls that touch at
    // design density (the status bar and the bottom of the client area) still
    // touch after rounding.
    QRect Rect(const QRect& designRect) const;

    // round(points * 120 / 72) design pixels (8 pt -> 13 px); see
    // vantrel::FontDesignPixels.
    static int FontDesignPixels(int layoutPoints) {
        return vantrel::FontDesignPixels(layoutPoints);
    }
    // That height in whole device-independent pixels, rounded down, as Qt
    // draws every font at a whole pixel size (see WholeFontPixels).
    int FontPixels(int layoutPoints) const;

private:
    double factor_;
};

}  // namespace vantrel
