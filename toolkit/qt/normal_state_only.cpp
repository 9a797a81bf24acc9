#include "toolkit/qt/normal_state_only.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vantrel {

namespace {

constexpr Qt::WindowStates kRefused = Qt::WindowMaximized | Qt::WindowFullScreen;

// How long a refused state may keep the window from being drawn.
constexpr int kAnswerMs = 500;

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
            // Sway and mutter answer at once. A compositor that does not
            // (weston: it has seen no frame in the state, so it sees nothing
            // to tell) would leave the window blank for good: it is drawn
            // again after a while whatever comes of it.
            QTimer::singleShot(kAnswerMs, this, [this] { Resume(); });
        } else if (refusing_) {
            Resume();
        }
        return false;
    }

private:
    void Resume() {
        if (!refusing_) {
            return;
        }
        refusing_ = false;
        window_.setUpdatesEnabled(true);
        window_.update();
    }

    QWidget& window_;
    bool refusing_ = false;
};

}  // namespace

void KeepNormalState(QWidget& window) {
    static_cast<void>(window.winId());  // the QWindow whose states are watched
    window.windowHandle()->installEventFilter(new NormalStateOnly(window));
}

}  // namespace vantrel
