#include "toolkit/qt/modal_box_in_front.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vantrel {

ModalBoxInFront::ModalBoxInFront(const QWidget* window, QWidget& box) {
    if (window == nullptr) {
        return;
    }
    activation_ = QObject::connect(
        qGuiApp, &QGuiApplication::focusWindowChanged, &box,
        [window = QPointer<const QWidget>(window), box = &box](QWindow* focused) {
            if (window == nullptr || focused == nullptr || focused != window->windowHandle()) {
                return;
            }
            // Once the activation has settled: asked for from inside it, the
            // compositor would see the window still taking the focus.
            QTimer::singleShot(0, box, [box] {
                if (box->isVisible()) {
                    box->raise();
                    box->activateWindow();
                }
            });
        });
}

ModalBoxInFront::~ModalBoxInFront() {
    QObject::disconnect(activation_);
}

}  // namespace vantrel
