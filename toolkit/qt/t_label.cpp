#include "toolkit/qt/t_label.h"

#include <QFontMetricsF>
#include <QPalette>
#include <cmath>

namespace vantrel {

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

int TLabel::TextWidth() const {
    return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text())));
}

void TLabel::FitWidthToText() {
    if (autoSize_) {
        resize(TextWidth(), height());
    }
}

}  // namespace vantrel
