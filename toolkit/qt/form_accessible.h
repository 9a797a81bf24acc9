// How assistive technology sees a form: as a window. Qt describes a plain
// top-level widget as a client area, which AT-SPI shows as a filler, so a
// screen reader would not announce the window at all.
#pragma once

namespace vantrel {

// Registers the form's accessible description; call once the application
// object exists.
void InstallFormAccessibility();

}  // namespace vantrel
