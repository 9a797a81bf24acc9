// A window hook that refuses to create a program's main window, as a desktop
// out of window resources or a policy that denies windows would. The driver
// sets it on Vantrel.exe's thread to see how the program fails to start. It
// refuses top-level windows with a title bar only, so the message box that
// reports the failure still shows.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        wchar_t windowClass[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), windowClass, 16);
        if (create.hwndParent == nullptr && (create.style & WS_CAPTION) == WS_CAPTION &&
            lstrcmpW(windowClass, L"#32770") != 0) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
