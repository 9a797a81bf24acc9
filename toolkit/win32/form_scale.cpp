#include "form_scale.h"

#include "toolkit/design_metrics.h"

namespace vantrel {

FormScale::FormScale(UINT dpi, int windowFontPoints)
    : dpi_(dpi), factor_(dpi / kDesignDpi), textFactor_(1.0) {
    const int designPixels = FontDesignPixels(windowFontPoints);
    if (designPixels > 0) {
        textFactor_ = static_cast<double>(WholeFontPixels(designPixels, factor_)) / designPixels;
    }
}

int FormScale::Length(int designPixels) const {
    return ScaledLength(designPixels, factor_);
}

RECT FormScale::Rect(const DesignRect& design) const {
    return {Length(design.left), Length(design.top), Length(design.left + design.width),
            Length(design.top + design.height)};
}

int FormScale::FontPixels(int layoutPoints) const {
    return WholeFontPixels(FontDesignPixels(layoutPoints), textFactor_);
}

}  // namespace vantrel
