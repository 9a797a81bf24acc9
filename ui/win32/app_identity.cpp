#include "ui/app_identity.h"

#include <windows.h>

#include "dynamic_calls.h"
#include "t_application.h"
#include "ui/win32/resource_ids.h"

namespace vantrel {

namespace {

// The mark of a running Vantrel: a mutex of this name exists while any Vantrel
// runs in the user's session (Local\ is the session's namespace; each user
// installs for themselves). The installer and the uninstaller look for it
// before they touch anything, and ask the user to close Vantrel first: Windows
// would not let them replace or remove the files of a running program.
// packaging/windows/vantrel.nsi repeats the name: the two must match.
constexpr wchar_t kRunningMutexName[] = L"Local\\org.vantrel.Vantrel";

void MarkAsRunning() {
    // Everyone may wait on the mark, which is all it takes to open it: a
    // Vantrel started as administrator would otherwise make it with the
    // elevated token's default access, for administrators alone, and an
    // installer run without elevation could not tell it from no Vantrel at
    // all. Nobody else may do more with it.
    // 0x00100001: SYNCHRONIZE | MUTANT_QUERY_STATE.
    const PSECURITY_DESCRIPTOR descriptor = SecurityDescriptorFromText(L"D:(A;;0x00100001;;;WD)");
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    // The handle is never closed: Windows releases it when the process ends,
    // however it ends (the Exit button ends it with _Exit). A second Vantrel
    // opens the same mutex, asking only what everyone may, so the mark stays
    // while either runs. Without the mark the program still works, so a
    // failure here does not stop it.
    CreateMutexExW(descriptor != nullptr ? &attributes : nullptr, kRunningMutexName, 0,
                   SYNCHRONIZE);
    if (descriptor != nullptr) {
        LocalFree(descriptor);
    }
}

}  // namespace

void ApplyAppIdentity() {
    // The icon is built into the program (vantrel.rc): Explorer, the taskbar
    // and the window's title bar all take it from there.
    Application->SetIconResource(VANTREL_ICON);
    MarkAsRunning();
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
