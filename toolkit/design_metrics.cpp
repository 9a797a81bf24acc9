#include "toolkit/design_metrics.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

int ScaledLength(int designPixels, double factor) {
    return static_cast<int>(std::lround(designPixels * factor));
}

int FontDesignPixels(int layoutPoints) {
    return static_cast<int>(std::lround(layoutPoints * kDesignDpi / 72.0));
}

int WholeFontPixels(int designPixels, double factor) {
    // The small allowance keeps an exact product (13 at 120 ppi) from falling
    // a pixel short through the floating-point factor.
    constexpr double kExact = 1e-6;
    return std::max(1, static_cast<int>(std::floor(designPixels * factor + kExact)));
}

int SuperscriptLeft(const SuperscriptText& text, double gap) {
    double left = text.captionLeft + text.raisedAdvance + gap;
    if (text.restInkLeft) {
        left =
            std::min(left, std::floor(text.captionLeft + *text.restInkLeft - text.digitInkRight));
    }
    left = std::max(left, std::ceil(text.captionLeft + text.raisedInkRight - text.digitInkLeft));
    return static_cast<int>(std::lround(left));
}

}  // namespace vantrel
