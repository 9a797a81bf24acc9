// Whether the Wayland compositor the program is about to open draws its
// windows' frames itself.
#pragma once

namespace vantrel {

// True when a compositor is reachable through WAYLAND_DISPLAY and offers
// server-side frames (xdg-decoration: sway, KDE Plasma and the like). Asked on
// a short connection of its own the first time, before Qt opens its own; the
// answer is kept.
bool WaylandCompositorDrawsFrames();

}  // namespace vantrel
