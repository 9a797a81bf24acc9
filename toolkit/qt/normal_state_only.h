// A fixed-size window that a compositor maximises, makes fullscreen or tiles
// anyway (a keyboard shortcut, a title-bar button that Qt draws itself).
#pragma once

class QWidget;

namespace vantrel {

// Keeps `window` in its normal state at its own size. A Wayland compositor
// that configures it maximised or fullscreen is asked at once to take that
// back, and the window shows no new frame until it has, for at most half a
// second: a frame committed at the window's own size while the compositor
// holds it maximised is a protocol error (weston ends the program for it).
// Call once the native window exists.
void KeepNormalState(QWidget& window);

}  // namespace vantrel
