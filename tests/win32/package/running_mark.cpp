// Holds Vantrel's running mark, with the access its security descriptor
// (SDDL, the first argument) grants, until it is ended; its message box tells
// the test that the mark is there. Given a window title as well, it then
// presses that window's default button, as a user does who has started
// Vantrel while an installer waits on a page.
#include <windows.h>
// After windows.h.
#include <sddl.h>
#include <shellapi.h>

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (arguments == nullptr || count < 2 || count > 3 ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(arguments[1], SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        return 2;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    // The name of kRunningMutexName in ui/win32/app_identity.cpp.
    if (CreateMutexExW(&attributes, L"Local\\org.vantrel.Vantrel", 0, SYNCHRONIZE) == nullptr) {
        return 2;
    }
    if (count == 3) {
        const HWND waiting = FindWindowW(nullptr, arguments[2]);
        if (waiting == nullptr) {
            return 2;
        }
        PostMessageW(waiting, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    MessageBoxW(nullptr, arguments[1], L"Vantrel running mark", MB_OK);
    return 0;
}
