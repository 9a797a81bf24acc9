// The look of the window: Qt's Fusion style, whose metrics the layout was
// checked against, with value-field frames drawn as plain rectangles.
#pragma once

#include <QProxyStyle>

namespace vantrel {

class WindowStyle : public QProxyStyle {
public:
    WindowStyle();

    // Fusion draws each field's panel and frame as antialiased rounded
    // rectangles, which made up half the cost of a keystroke that rewrites
    // eleven fields. The same colours on pixel-aligned lines look alike and
    // cost a fraction.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace vantrel
