#include "toolkit/qt/own_title_bar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include "toolkit/qt/wayland_compositor.h"

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

bool CompositorLeavesFrameToProgram() {
    return QGuiApplication::platformName() == QLatin1String("wayland") &&
           !WaylandCompositorDrawsFrames();
}

bool DrawsOwnTitleBar() {
    return CompositorLeavesFrameToProgram() &&
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
    for (QWidget*& edge : edges_) {
        edge = new QWidget(&window);
        edge->setBackgroundRole(QPalette::Dark);
        edge->setAutoFillBackground(true);
    }
    setGeometry(0, 0, window.width(), height);
    PlaceEdges();
    window.installEventFilter(this);
    raise();
}

void OwnTitleBar::PlaceEdges() {
    const QWidget& window = *parentWidget();
    const int below = height();
    edges_[0]->setGeometry(0, below, 1, window.height() - below);
    edges_[1]->setGeometry(window.width() - 1, below, 1, window.height() - below);
    edges_[2]->setGeometry(0, window.height() - 1, window.width(), 1);
    for (QWidget* edge : edges_) {
        edge->raise();
    }
}

bool OwnTitleBar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
            resize(parentWidget()->width(), height());
            PlaceEdges();
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
    painter.drawLine(1, height() - 1, width() - 2, height() - 1);
    // The top of the window's border, and its sides beside the bar.
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawPolyline(QPolygon({QPoint(0, height() - 1), QPoint(0, 0), QPoint(width() - 1, 0),
                                   QPoint(width() - 1, height() - 1)}));
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
