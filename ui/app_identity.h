// What makes a running Vantrel recognisable to the desktop: its icon on every
// window and the link to its installed menu entry.
#pragma once

namespace vantrel {

// Call once, after the window system is open and before the first window is
// shown. Every window then carries the application icon from the resources
// built into the program, whether or not the icon theme has it installed, and
// desktops that match windows to menu entries by name (Wayland compositors,
// docks, task switchers) find the installed entry.
void ApplyAppIdentity();

}  // namespace vantrel
