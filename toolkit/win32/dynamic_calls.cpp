#include "dynamic_calls.h"

namespace vantrel {

namespace {

// The newer functions, each found once in its DLL; nullptr where the running
// Windows lacks it. USER32 is loaded before any line of the program runs.
struct NewerFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    UINT systemDpi = 0;  // 0: the screen's own, as Windows 7 reads it

    NewerFunctions() {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        Find(user32, "GetDpiForWindow", getDpiForWindow);
        Find(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
        Find(user32, "GetSystemMetricsForDpi", getSystemMetricsForDpi);
    }

    template <class Function>
    static void Find(HMODULE module, const char* name, Function& function) {
        // GetProcAddress returns every function as FARPROC; cast through
        // void* to the function's own type.
        function =
            module != nullptr
                ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
    }
};

NewerFunctions& Newer() {
    static NewerFunctions functions;
    return functions;
}

// The system's density, as Windows 7 has it: the screen's logical pixels per
// inch, which a system DPI aware program gets unscaled.
UINT SystemDpi() {
    if (Newer().systemDpi != 0) {
        return Newer().systemDpi;
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT WindowDpi(HWND window) {
    if (Newer().getDpiForWindow != nullptr) {
        const UINT dpi = Newer().getDpiForWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    if (Newer().adjustWindowRectExForDpi != nullptr) {
        return Newer().adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi) != FALSE;
    }
    return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

int SystemMetricForDpi(int index, UINT dpi) {
    if (Newer().getSystemMetricsForDpi != nullptr) {
        return Newer().getSystemMetricsForDpi(index, dpi);
    }
    return GetSystemMetrics(index);
}

void UseWindows7Fallbacks(UINT systemDpi) {
    if (systemDpi == 0) {
        Newer() = NewerFunctions();
        return;
    }
    Newer().getDpiForWindow = nullptr;
    Newer().adjustWindowRectExForDpi = nullptr;
    Newer().getSystemMetricsForDpi = nullptr;
    Newer().systemDpi = systemDpi;
}

}  // namespace vantrel
