#include "ui/app_identity.h"

#include <windows.h>

#include "t_application.h"
#include "ui/win32/resource_ids.h"

namespace vantrel {

void ApplyAppIdentity() {
    // The icon is built into the program (vantrel.rc): Explorer, the taskbar
    // and the window's title bar all take it from there.
    Application->SetIconResource(VANTREL_ICON);
}

void UseProgramLanguage() {
    // Windows' own texts in the window (the fields' context menu, the message
    // box's button) come from the system in its user interface language;
    // there is no translation of ours to load. Asking for Russian gives them
    // in Russian wherever the system has that language, and changes nothing
    // where it does not.
    SetThreadUILanguage(MAKELANGID(LANG_RUSSIAN, SUBLANG_RUSSIAN_RUSSIA));
}

}  // namespace vantrel
