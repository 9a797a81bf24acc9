#include "toolkit/design_scale.h"

namespace vantrel {

DesignScale::DesignScale(double dpi, int windowFontPoints)
    : dpi_(dpi), factor_(dpi / kDesignDpi), textFactor_(factor_) {
    const int designPixels = FontDesignPixels(windowFontPoints);
    if (designPixels > 0) {
        textFactor_ = static_cast<double>(WholeFontPixels(designPixels, factor_)) / designPixels;
    }
}

PixelEdges DesignScale::Edges(const DesignRect& design) const {
    return {.left = Length(design.left),
            .top = Length(design.top),
            .right = Length(design.left + design.width),
            .bottom = Length(design.top + design.height)};
}

int DesignScale::FontPixels(int layoutPoints) const {
    return WholeFontPixels(FontDesignPixels(layoutPoints), textFactor_);
}

}  // namespace vantrel
