// A title bar drawn inside the window, where a Wayland compositor leaves the
// frame to the program (weston, GNOME's mutter). The frame Qt draws there
// always offers maximise, whatever the window's flags, and needs the GPU
// stack loaded; this bar shows the title, minimise where the window has it,
// and close, and is drawn by the CPU with the rest of the window.
#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace vantrel {

// Whether the program runs on Wayland under a compositor that leaves the frame
// to it (weston, GNOME's mutter).
bool CompositorLeavesFrameToProgram();

// Whether the program's windows carry an OwnTitleBar: on Wayland, where the
// compositor draws no frames and Qt's own are turned off (TApplication turns
// them off there unless QT_WAYLAND_DISABLE_WINDOWDECORATION says otherwise).
bool DrawsOwnTitleBar();

// The bar's height for a window drawn at `designPixel` pixels per design
// pixel.
int OwnTitleBarHeight(double designPixel);

class OwnTitleBar : public QWidget {
    Q_OBJECT

public:
    // A bar of `height` pixels along the top of the top-level `window`, over
    // whatever lies there: the caller keeps that strip free. It follows the
    // window's width, title and activation; pressed, it moves the window
    // through the compositor. A one-pixel border goes round the window with
    // it, over the outermost pixels of the content.
    OwnTitleBar(QWidget& window, int height);

    QToolButton* MinimiseButton() const { return minimise_; }
    QToolButton* CloseButton() const { return close_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceEdges();

    // The window's left, right and bottom border; the bar draws the top.
    std::array<QWidget*, 3> edges_{};
    QToolButton* minimise_ = nullptr;
    QToolButton* close_ = nullptr;
};

}  // namespace vantrel
