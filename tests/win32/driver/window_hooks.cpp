// Window hooks the driver sets on Vantrel.exe's thread; Windows loads this
// library into the program to run them there.
#include <windows.h>

#include <string>

extern "C" {
__declspec(dllexport) LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) LRESULT CALLBACK NoteInputTakenIn(int code, WPARAM key, LPARAM flags);
}

// Refuses to create a program's main window, as a desktop out of window
// resources or a policy that denies windows would, to see how the program
// fails to start. Only top-level windows with a title bar are refused, so the
// message box that reports the failure still shows.
LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
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

// Tells the driver that the thread has taken the release of F24 off its
// queue, and so every key sent before it: signals the event
// "VantrelDriverInputTakenIn-<thread id>" that the driver waits on.
LRESULT CALLBACK NoteInputTakenIn(int code, WPARAM key, LPARAM flags) {
    constexpr LPARAM kReleased = static_cast<LPARAM>(1) << 31;
    if (code == HC_ACTION && key == VK_F24 && (flags & kReleased) != 0) {
        const std::wstring name =
            L"VantrelDriverInputTakenIn-" + std::to_wstring(GetCurrentThreadId());
        if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name.c_str())) {
            SetEvent(event);
            CloseHandle(event);
        }
    }
    return CallNextHookEx(nullptr, code, key, flags);
}
