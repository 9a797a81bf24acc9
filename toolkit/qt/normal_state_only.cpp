#include "toolkit/qt/normal_state_only.h"

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>

namespace vantrel {

namespace {

constexpr Qt::WindowStates kRefused = Qt::WindowMaximized | Qt::WindowFullScreen;

// Watches the states the window system configures the window with. Each
// configuration reaches the QWindow as a spontaneous state change, before
// the window is exposed and painted in it.
class NormalStateOnly : public QObject {
public:
    explicit NormalStateOnly(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowStateChange || !event->spontaneous()) {
            return false;
        }
        const QWindow* handle = window_.windowHandle();
        if (watched != handle) {
            return false;
        }
        if ((handle->windowStates() & kRefused) != 0) {
            // No frame until the compositor has configured the window
            // normal again: what it would commit now has the wrong size
            // for the state the compositor holds.
            refusing_ = true;
            window_.setUpdatesEnabled(false);
            window_.windowHandle()->setWindowStates(handle->windowStates() & ~kRefused);
        } else if (refusing_) {
            refusing_ = false;
            window_.setUpdatesEnabled(true);
            window_.update();
        }
        return false;
    }

private:
    QWidget& window_;
    bool refusing_ = false;
};

}  // namespace

void KeepNormalState(QWidget& window) {
    static_cast<void>(window.winId());  // the QWindow whose states are watched
    window.windowHandle()->installEventFilter(new NormalStateOnly(window));
}

}  // namespace vantrel
