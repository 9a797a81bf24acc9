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

QString TLabel::RaisedText() const {
    const qsizetype gap = text().indexOf(QStringLiteral("  "));
    return gap >= 0 ? text().left(gap) : text();
}

void TLabel::FitWidthToText() {
    if (autoSize_) {
        resize(TextWidth(), height());
    }
}

}  // namespace vantrel
