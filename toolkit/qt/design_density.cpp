#include "toolkit/qt/design_density.h"

namespace vantrel {

int DesignScale::Length(int designPixels) const {
    return ScaledLength(designPixels, factor_);
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

int DesignScale::FontPixels(int layoutPoints) const {
    return WholeFontPixels(FontDesignPixels(layoutPoints), factor_);
}

}  // namespace vantrel
