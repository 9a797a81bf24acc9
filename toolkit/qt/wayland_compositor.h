// What the Wayland compositor the program is about to open offers, asked
// before Qt opens its own connection.
#pragma once

namespace vantrel {

struct WaylandCompositorTraits {
    // It draws its windows' frames itself (xdg-decoration: sway, KDE Plasma
    // and the like).
    bool drawsFrames = false;
    // It tells each window the fractional scale to draw at (fractional-scale-v1,
    // with the viewporter that shows such a buffer at the window's size).
    bool fractionalScales = false;
    // The scale of its outputs, device pixels over the compositor's own: the
    // one every output has, or 0 when they differ or none is known.
    double outputScale = 0;
};

// Asked through WAYLAND_DISPLAY on a short connection of its own the first
// time; the answer is kept. All false and 0 when no compositor is reachable.
const WaylandCompositorTraits& WaylandCompositor();

inline bool WaylandCompositorDrawsFrames() {
    return WaylandCompositor().drawsFrames;
}

// The scale of an output from its current mode and its size in the
// compositor's pixels (xdg-output), whichever way it is turned, to the
// nearest 1/120 as fractional-scale-v1 states scales. 0 when either is unknown.
double OutputScale(int modeWidth, int modeHeight, int logicalWidth, int logicalHeight);

}  // namespace vantrel
