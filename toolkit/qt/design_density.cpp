#include "toolkit/qt/design_density.h"

namespace vantrel {

QPoint ScaledPoint(const DesignScale& scale, QPoint designPoint) {
    return {scale.Length(designPoint.x()), scale.Length(designPoint.y())};
}

QSize ScaledSize(const DesignScale& scale, QSize designSize) {
    return {scale.Length(designSize.width()), scale.Length(designSize.height())};
}

QRect ScaledRect(const DesignScale& scale, const QRect& designRect) {
    const PixelEdges edges =
        scale.Edges({designRect.x(), designRect.y(), designRect.width(), designRect.height()});
    return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

}  // namespace vantrel
