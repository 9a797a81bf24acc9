#include "toolkit/qt/modal_box_in_front.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vantrel {

namespace {

// An X11 window manager and most compositors give the activation to a
// program's own window when asked. Qt 6.4 on Wayland asks through
// xdg-activation only with the serial of an input event it has seen, which a
// click that the compositor handles itself never gives it: there the box is
// shown afresh instead, and a compositor maps a new window over the others
// and focuses it.
void BringToFront(QWidget& box) {
    if (QGuiApplication::platformName() == QStringLiteral("wayland")) {
        box.hide();
        box.show();
    } else {
        box.activateWindow();
    }
}

}  // namespace

ModalBoxInFront::ModalBoxInFront(const QWidget* window, QWidget& box) {
    if (window == nullptr) {
        return;
    }
    activation_ = QObject::connect(
        qGuiApp, &QGuiApplication::focusWindowChanged, &box,
        [window = QPointer<const QWidget>(window), box = &box](const QWindow* focused) {
            if (window == nullptr || focused == nullptr || focused != window->windowHandle()) {
                return;
            }
            // Once the activation has settled: asked for from inside it, the
            // compositor would see the window still taking the focus.
            QTimer::singleShot(0, box, [box] {
                if (box->isVisible()) {
                    BringToFront(*box);
                }
            });
        });
}

ModalBoxInFront::~ModalBoxInFront() {
    QObject::disconnect(activation_);
}

}  // namespace vantrel
