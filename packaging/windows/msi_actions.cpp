// Custom actions of Vantrel's MSI package (vantrel.wxs), in a DLL the package
// carries in its Binary table. Windows Installer calls an action's function
// with the install session and reads its result: ERROR_SUCCESS goes on,
// ERROR_INSTALL_USEREXIT ends the install as cancelled (msiexec status 1602),
// ERROR_INSTALL_FAILURE as failed (1603), and nothing is changed when either
// happens before InstallInitialize, as these actions are sequenced.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

// Vantrel.exe holds a mutex of this name while it runs in the user's session
// (kRunningMutexName in ui/win32/app_identity.cpp and RUNNING_MUTEX in
// vantrel.nsi: the three must match).
constexpr wchar_t kRunningMutexName[] = L"Local\\org.vantrel.Vantrel";

// Whether a Vantrel runs in this session. A mutex that exists but cannot be
// opened (another user's program made it) counts as running: only "no such
// object" means that no Vantrel holds the install's files.
bool vantrel_runs() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kRunningMutexName);
    if (mutex != nullptr) {
        CloseHandle(mutex);
        return true;
    }
    return GetLastError() != ERROR_FILE_NOT_FOUND;
}

// Whether this session removes the product for good: a removal, and not the
// removal of an older version that an upgrade runs.
bool removing(MSIHANDLE install) {
    wchar_t value[16] = L"";
    DWORD size = ARRAYSIZE(value);
    if (MsiGetPropertyW(install, L"REMOVE", value, &size) != ERROR_SUCCESS) return false;
    return lstrcmpiW(value, L"ALL") == 0;
}

}  // namespace

// Returns once no Vantrel runs in this session. While one does, Windows keeps
// its files, and an install would leave the old program in place or need a
// restart; so the user is asked to close it and try again, or to cancel, as
// the NSIS installer asks. Silently (/qn) there is no one to ask: the message
// goes to the log, and the install fails at once, before anything changes.
extern "C" __declspec(dllexport) UINT __stdcall WaitForVantrelToClose(MSIHANDLE install) {
    const wchar_t* prompt =
        removing(install)
            ? L"Вантрел сейчас запущен, и его нельзя удалить. Закройте Вантрел и повторите "
              L"попытку или отмените удаление."
            : L"Вантрел сейчас запущен, и его нельзя заменить. Закройте Вантрел и повторите "
              L"попытку или отмените установку.";
    while (vantrel_runs()) {
        PMSIHANDLE record = MsiCreateRecord(0);
        MsiRecordSetStringW(record, 0, prompt);
        const int answer = MsiProcessMessage(
            install,
            static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_USER | MB_RETRYCANCEL | MB_ICONEXCLAMATION),
            record);
        if (answer == IDRETRY) continue;
        // Cancel is the user's choice; no answer at all (a silent install, or
        // a message Windows Installer could not show) is a failure.
        return answer == IDCANCEL ? ERROR_INSTALL_USEREXIT : ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}
