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
// Time enough for a window to draw one frame in a new state.
constexpr int kFrameMs = 150;

// Watches the states the window system configures the window with. Each
// configuration reaches the QWindow as a spontaneous state change, before
// the window is exposed and painted in it.
class NormalStateOnly : public QObject {
public:
    explicit NormalStateOnly(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Resize) {
            // A window in its normal state at another size than its own: back
            // to its own before it is drawn. Bound from below only, an edge of
            // the frame that Qt draws was dragged; bound, Qt 6.8 took a size
            // the compositor configured (sway, after a refused fullscreen, the
            // fullscreen size once more). A frame committed at that size would
            // make sway take it for the window's own and configure it again,
            // back and forth with each frame.
            if ((window_.windowHandle()->windowStates() & kRefused) == 0) {
                TakeOwnSize();
            }
            return false;
        }
        if (event->type() != QEvent::WindowStateChange || !event->spontaneous()) {
            return false;
        }
        const QWindow* handle = window_.windowHandle();
        if (watched != handle) {
            return false;
        }
        if ((handle->windowStates() & kRefused) != 0) {
            const Qt::WindowStates normal = handle->windowStates() & ~kRefused;
            if (!Bound()) {
                // The window has taken the compositor's size, its content in
                // place. Weston holds a window to the maximised size from the
                // configuration on, and takes the state back only once it has
                // seen a frame in it: asked at once, it answers nothing.
                QTimer::singleShot(kFrameMs, this, [this, normal] {
                    window_.windowHandle()->setWindowStates(normal);
                });
                return false;
            }
            // No frame until the compositor has configured the window
            // normal again: what it would commit now has the wrong size
            // for the state the compositor holds.
            refusing_ = true;
            window_.setUpdatesEnabled(false);
            window_.windowHandle()->setWindowStates(normal);
            // Sway and mutter answer at once. A compositor that does not
            // would leave the window blank for good: it is drawn again after
            // a while whatever comes of it.
            QTimer::singleShot(kAnswerMs, this, [this] { Resume(); });
        } else if (refusing_) {
            Resume();
        }
        return false;
    }

private:
    // Held to its own size by its maximum, as on X11 and wherever the
    // compositor draws the frame.
    bool Bound() const { return window_.maximumSize() == window_.minimumSize(); }

    void TakeOwnSize() {
        if (window_.size() != window_.minimumSize()) {
            window_.resize(window_.minimumSize());
        }
    }

    void Resume() {
        if (!refusing_) {
            return;
        }
        refusing_ = false;
        TakeOwnSize();
        window_.setUpdatesEnabled(true);
        window_.update();
    }

    QWidget& window_;
    bool refusing_ = false;
};

}  // namespace

void KeepNormalState(QWidget& window) {
    static_cast<void>(window.winId());  // the QWindow whose states are watched
    auto* filter = new NormalStateOnly(window);
    window.windowHandle()->installEventFilter(filter);
    window.installEventFilter(filter);
}

}  // namespace vantrel
