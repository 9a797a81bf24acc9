// What makes a running Vantrel recognisable to the desktop: its icon on every
// window and the link to its installed menu entry.
#pragma once

#include <QIcon>

namespace vantrel {

// The application icon in every drawn size, from the resources built into the program,
// so the window shows it whether or not the icon theme has it installed.
QIcon AppIcon();

// Call once, after the QApplication exists and before the first window is shown.
// Every window then carries AppIcon(), and desktops that match windows to menu
// entries by name (Wayland compositors, docks, task switchers) find the installed entry.
void ApplyAppIdentity();

}  // namespace vantrel
