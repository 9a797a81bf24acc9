// A fixed-size window that a compositor maximises, makes fullscreen or tiles
// anyway (a keyboard shortcut, a title-bar button that Qt draws itself).
#pragma once

class QWidget;

namespace vantrel {

// Keeps `window` in its normal state at its own size. A Wayland compositor
// that configures it maximised or fullscreen is asked to take that back:
// - a window held to its size (its maximum is its minimum) is asked at once,
//   and shows no new frame until the compositor has answered, for at most
//   half a second: a frame committed at the window's own size while the
//   compositor holds it maximised is a protocol error;
// - a window bound from below only takes the compositor's size, its content
//   in place, shows one frame so, and is then asked back; in its normal state
//   it takes its own size again whenever it is given another. That is the
//   one way through on weston, which ends a program for the protocol error
//   and answers no request to take a state back before it has seen a frame
//   in that state.
// Call once the native window exists.
void KeepNormalState(QWidget& window);

}  // namespace vantrel
