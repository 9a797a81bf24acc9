#include "toolkit/qt/own_title_bar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include "toolkit/qt/wayland_frames.h"

namespace vantrel {

namespace {

// The bar's height at the design density, about a title bar's on X11.
constexpr double kDesignHeight = 26;
// Room between the buttons and around them.
constexpr int kButtonGap = 2;

QToolButton* TitleButton(QWidget& bar, QStyle::StandardPixmap icon, const QString& name) {
    auto* button = new QToolButton(&bar);
    button->setIcon(bar.style()->standardIcon(icon, nullptr, &bar));
    button->setAutoRaise(true);
    // Out of the window's tab order: the keyboard reaches the fields and the
    // two buttons only, as under a frame the compositor draws.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    return button;
}

}  // namespace

bool DrawsOwnTitleBar() {
    return QGuiApplication::platformName() == QLatin1String("wayland") &&
           !WaylandCompositorDrawsFrames() &&
           qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") != 0;
}

int OwnTitleBarHeight(double designPixel) {
    return qRound(kDesignHeight * designPixel);
}

OwnTitleBar::OwnTitleBar(QWidget& window, int height) : QWidget(&window) {
    setObjectName(QStringLiteral("OwnTitleBar"));
    QFont font = window.font();
    font.setBold(true);
    setFont(font);
    if (window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) {
        minimise_ = TitleButton(*this, QStyle::SP_TitleBarMinButton, QString::fromUtf8("Свернуть"));
        connect(minimise_, &QToolButton::clicked, &window, &QWidget::showMinimized);
    }
    close_ = TitleButton(*this, QStyle::SP_TitleBarCloseButton, QString::fromUtf8("Закрыть"));
    connect(close_, &QToolButton::clicked, &window, &QWidget::close);
    setGeometry(0, 0, window.width(), height);
    window.installEventFilter(this);
    raise();
}

bool OwnTitleBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
            resize(parentWidget()->width(), height());
            break;
        case QEvent::WindowTitleChange:
        case QEvent::ActivationChange:
            update();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void OwnTitleBar::resizeEvent(QResizeEvent* /*event*/) {
    const int side = height() - 2 * kButtonGap;
    int right = width() - kButtonGap;
    for (QToolButton* button : {close_, minimise_}) {
        if (button != nullptr) {
            right -= side;
            button->setGeometry(right, kButtonGap, side, side);
            right -= kButtonGap;
        }
    }
}

void OwnTitleBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    // Darker while the window is active, as a frame tells the active window.
    const QColor base = colours.color(QPalette::Window);
    painter.fillRect(rect(), isActiveWindow() ? base.darker(118) : base.darker(106));
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    const int margin = height() / 3;
    const int buttons = (minimise_ != nullptr ? 2 : 1) * (height() - kButtonGap);
    const QRect text(margin, 0, width() - 2 * margin - buttons, height());
    painter.setPen(colours.color(isActiveWindow() ? QPalette::Active : QPalette::Inactive,
                                 QPalette::WindowText));
    painter.drawText(
        text, Qt::AlignLeft | Qt::AlignVCenter,
        fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, text.width()));
}

void OwnTitleBar::mousePressEvent(QMouseEvent* event) {
    QWindow* handle = window()->windowHandle();
    if (event->button() == Qt::LeftButton && handle != nullptr) {
        handle->startSystemMove();
    }
}

}  // namespace vantrel
