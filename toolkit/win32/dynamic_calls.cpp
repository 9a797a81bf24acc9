#include "dynamic_calls.h"

namespace vantrel {

namespace {

// A function of `module` as its own type, or nullptr. GetProcAddress returns
// every function as FARPROC; the cast goes through void*.
template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
    function =
        module != nullptr
            ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
            : nullptr;
}

// The newer functions, each found once in its DLL; nullptr where the running
// Windows lacks it.
struct NewerFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    UINT systemDpi = 0;  // 0: the screen's own, as Windows 7 reads it

    NewerFunctions() {
        // Loaded already: user32 is delay-loaded, on the first call of one of
        // its functions, and a window has been made by now.
        const HMODULE user32 = LoadLibraryW(L"user32.dll");
        Find(user32, "GetDpiForWindow", getDpiForWindow);
        Find(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
        Find(user32, "GetSystemMetricsForDpi", getSystemMetricsForDpi);
    }
};

NewerFunctions& Newer() {
    static NewerFunctions functions;
    return functions;
}

// Common controls 6, loaded when first needed, after the DLL search has been
// restricted: the program's manifest makes Windows load version 6.
struct CommonControls {
    BOOL(WINAPI* initCommonControlsEx)(const INITCOMMONCONTROLSEX*) = nullptr;
    BOOL(WINAPI* setWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR) = nullptr;
    LRESULT(WINAPI* defSubclassProc)(HWND, UINT, WPARAM, LPARAM) = nullptr;
    BOOL(WINAPI* removeWindowSubclass)(HWND, SUBCLASSPROC, UINT_PTR) = nullptr;

    CommonControls() {
        const HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
        Find(comctl32, "InitCommonControlsEx", initCommonControlsEx);
        Find(comctl32, "SetWindowSubclass", setWindowSubclass);
        Find(comctl32, "DefSubclassProc", defSubclassProc);
        Find(comctl32, "RemoveWindowSubclass", removeWindowSubclass);
    }
    bool Complete() const {
        return initCommonControlsEx != nullptr && setWindowSubclass != nullptr &&
               defSubclassProc != nullptr && removeWindowSubclass != nullptr;
    }
};

CommonControls& Controls() {
    static CommonControls functions;
    return functions;
}

// Visual styles, loaded when first needed.
struct VisualStyles {
    HANDLE(WINAPI* openThemeData)(HWND, LPCWSTR) = nullptr;
    HRESULT(WINAPI* closeThemeData)(HANDLE) = nullptr;
    HRESULT(WINAPI* drawThemeBackground)(HANDLE, HDC, int, int, const RECT*, const RECT*) = nullptr;
    HRESULT(WINAPI* enableThemeDialogTexture)(HWND, DWORD) = nullptr;

    VisualStyles() {
        const HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
        Find(uxtheme, "OpenThemeData", openThemeData);
        Find(uxtheme, "CloseThemeData", closeThemeData);
        Find(uxtheme, "DrawThemeBackground", drawThemeBackground);
        Find(uxtheme, "EnableThemeDialogTexture", enableThemeDialogTexture);
    }
};

VisualStyles& Styles() {
    static VisualStyles functions;
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

void RestrictDllSearch() {
    // Windows 8 and Windows 7 with update KB2533623 have it.
    BOOL(WINAPI * setDefaultDllDirectories)(DWORD) = nullptr;
    Find(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDefaultDllDirectories);
    if (setDefaultDllDirectories == nullptr ||
        !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // At least not the current folder, where a document may have been
        // opened from.
        SetDllDirectoryW(L"");
    }
}

bool InitializeCommonControls(DWORD classes) {
    if (!Controls().Complete()) {
        return false;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = classes;
    return Controls().initCommonControlsEx(&controls) != FALSE;
}

bool SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    return Controls().setWindowSubclass != nullptr &&
           Controls().setWindowSubclass(window, procedure, id, data) != FALSE;
}

LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Controls().defSubclassProc(window, message, wParam, lParam);
}

void RemoveSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    Controls().removeWindowSubclass(window, procedure, id);
}

void UseTabTexture(HWND sheet) {
    if (Styles().enableThemeDialogTexture != nullptr) {
        constexpr DWORD kEnableTab = 0x00000002 | 0x00000004;  // ETDT_ENABLE | ETDT_USETABTEXTURE
        Styles().enableThemeDialogTexture(sheet, kEnableTab);
    }
}

HBRUSH CreateTabBodyBrush(HWND window, SIZE size) {
    const VisualStyles& styles = Styles();
    if (styles.openThemeData == nullptr || styles.closeThemeData == nullptr ||
        styles.drawThemeBackground == nullptr || size.cx <= 0 || size.cy <= 0) {
        return nullptr;
    }
    const HANDLE theme = styles.openThemeData(window, L"TAB");
    if (theme == nullptr) {
        return nullptr;
    }
    HBRUSH brush = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP body = CreateCompatibleBitmap(screen, size.cx, size.cy);
    if (memory != nullptr && body != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, body);
        constexpr int kTabBody = 10;  // TABP_BODY
        const RECT all{0, 0, size.cx, size.cy};
        const bool drawn =
            SUCCEEDED(styles.drawThemeBackground(theme, memory, kTabBody, 0, &all, nullptr));
        SelectObject(memory, previous);
        // The brush keeps its own copy of the pattern.
        brush = drawn ? CreatePatternBrush(body) : nullptr;
    }
    if (body != nullptr) {
        DeleteObject(body);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    styles.closeThemeData(theme);
    return brush;
}

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
