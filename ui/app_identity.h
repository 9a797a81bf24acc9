// What makes a running Vantrel recognisable to the desktop: its icon on every
// window, the link to its installed menu entry, and one language throughout.
#pragma once

namespace vantrel {

// Call once, after the window system is open and before the first window is
// shown. Every window then carries the application icon from the resources
// built into the program, whether or not the icon theme has it installed, and
// desktops that match windows to menu entries by name (Wayland compositors,
// docks, task switchers) find the installed entry.
void ApplyAppIdentity();

// The window toolkit's own texts (a field's context menu, a message box's
// button) in the window's language, Russian, whatever the desktop's language,
// so that no English appears inside the all-Russian window.
void UseProgramLanguage();

}  // namespace vantrel
