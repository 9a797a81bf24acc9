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

#include "toolkit/design_scale.h"

namespace vantrel {

// The layout's geometry at `scale`, in Qt's device-independent pixels.
QPoint ScaledPoint(const DesignScale& scale, QPoint designPoint);
QSize ScaledSize(const DesignScale& scale, QSize designSize);
// By its edges (DesignScale::Edges).
QRect ScaledRect(const DesignScale& scale, const QRect& designRect);

}  // namespace vantrel
