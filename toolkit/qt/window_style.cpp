#include "toolkit/qt/window_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace vantrel {

namespace {

// A one-pixel frame just inside `r`.
void FillFrame(QPainter& painter, const QRect& r, const QColor& color) {
    painter.fillRect(r.left(), r.top(), r.width(), 1, color);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, color);
    painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, color);
    painter.fillRect(r.right(), r.top() + 1, 1, r.height() - 2, color);
}

}  // namespace

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element != PE_PanelLineEdit && element != PE_FrameLineEdit) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QPalette& palette = option->palette;
    if (element == PE_PanelLineEdit) {
        painter->fillRect(option->rect, palette.base());
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (frame == nullptr || frame->lineWidth <= 0) {
            return;
        }
    }
    // Fusion's colours: the outline a shade darker than the window, the
    // focused outline from the highlight, a faint shadow under the top edge.
    // Edges are filled rectangles: the raster engine fills them far faster
    // than it strokes a pen.
    const QRect r = option->rect;
    if (option->state.testFlag(State_HasFocus)) {
        const QColor focusOutline = palette.highlight().color().darker(125);
        QColor soft = focusOutline;
        soft.setAlpha(60);
        FillFrame(*painter, r, focusOutline);
        FillFrame(*painter, r.adjusted(1, 1, -1, -1), soft);
    } else {
        FillFrame(*painter, r, palette.window().color().darker(140));
        painter->fillRect(r.left() + 1, r.top() + 1, r.width() - 2, 1, QColor(0, 0, 0, 16));
    }
}

}  // namespace vantrel
