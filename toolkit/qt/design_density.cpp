#include "toolkit/qt/design_density.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

int DesignScale::Length(int designPixels) const {
    return static_cast<int>(std::lround(designPixels * factor_));
}

QPoint DesignScale::Point(QPoint designPoint) const {
    return {Length(designPoint.x()), Length(designPoint.y())};
}

QSize DesignScale::Size(QSize designSize) const {
    return {Length(designSize.width()), Length(designSize.height())};
}

QRect DesignScale::Rect(const QRect& designRect) const {
    const QPoint topLeft = Point(designRect.topLeft());
    const QPoint bottomRight =
        Point(designRect.topLeft() + QPoint(designRect.width(), designRect.height()));
    return {topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())};
}

int DesignScale::FontDesignPixels(int layoutPoints) {
    return static_cast<int>(std::lround(layoutPoints * kDesignDpi / 72.0));
}

int DesignScale::FontPixels(int layoutPoints) const {
    // The small allowance keeps an exact product (13 at 120 ppi) from
    // falling a pixel short through the floating-point factor.
    constexpr double kExact = 1e-6;
    return std::max(
        1, static_cast<int>(std::floor(FontDesignPixels(layoutPoints) * factor_ + kExact)));
}

}  // namespace vantrel
