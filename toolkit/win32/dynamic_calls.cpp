#include "dynamic_calls.h"

#include <string>

#include "colour_contrast.h"

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

// Whether DLL search had to be closed DLL by DLL: where Windows lacks
// SetDefaultDllDirectories (Windows 7 without KB2533623), a DLL loaded by its
// bare name is looked for in the program's folder before System32.
bool loadByFullPath = false;

// `name` in System32, or an empty path where Windows does not say where that is.
std::wstring SystemPath(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) {
        return {};
    }
    path.resize(length);
    return path + L'\\' + name;
}

// A DLL of System32 the program loads at run time. Where DLL search is
// restricted to System32, by name; otherwise by its full path, with its own
// imports looked for in System32 first and never in the program's folder
// (LOAD_WITH_ALTERED_SEARCH_PATH puts the DLL's folder in the place of the
// program's).
HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (!loadByFullPath) {
        return LoadLibraryW(name);
    }
    const std::wstring path = SystemPath(name);
    return path.empty() ? nullptr
                        : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The newer functions, each found once in its DLL; nullptr where the running
// Windows lacks it.
struct NewerFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    UINT systemDpi = 0;  // 0: the screen's own, as Windows 7 reads it

    NewerFunctions() {
        const HMODULE user32 = LoadSystemLibrary(L"user32.dll");
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
    HRESULT(WINAPI* loadIconWithScaleDown)(HINSTANCE, PCWSTR, int, int, HICON*) = nullptr;

    CommonControls() {
        // By name: the program's manifest redirects it to common controls 6,
        // which Windows finds among its side-by-side assemblies before it
        // looks in any folder. A full path would load version 5.
        const HMODULE comctl32 = LoadLibraryW(L"comctl32.dll");
        Find(comctl32, "InitCommonControlsEx", initCommonControlsEx);
        Find(comctl32, "SetWindowSubclass", setWindowSubclass);
        Find(comctl32, "DefSubclassProc", defSubclassProc);
        Find(comctl32, "RemoveWindowSubclass", removeWindowSubclass);
        Find(comctl32, "LoadIconWithScaleDown", loadIconWithScaleDown);
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
    HRESULT(WINAPI* getThemeColor)(HANDLE, int, int, int, COLORREF*) = nullptr;

    VisualStyles() {
        const HMODULE uxtheme = LoadSystemLibrary(L"uxtheme.dll");
        Find(uxtheme, "OpenThemeData", openThemeData);
        Find(uxtheme, "CloseThemeData", closeThemeData);
        Find(uxtheme, "DrawThemeBackground", drawThemeBackground);
        Find(uxtheme, "GetThemeColor", getThemeColor);
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
#ifndef VANTREL_WITHOUT_DEFAULT_DLL_DIRECTORIES
    Find(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDefaultDllDirectories);
#endif
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return;
    }
    // Not the current folder, where a document may have been opened from.
    SetDllDirectoryW(L"");
    // The program's own folder stays first for every DLL loaded by bare name,
    // so each DLL the program, or a system DLL it uses, loads at run time is
    // loaded now by its full path, dependencies before the DLLs that use
    // them. A DLL loaded already is used again whatever folder a later load
    // by name would search: user32's import of version, uxtheme's delay-load
    // of msimg32 and the like resolve to these. Known DLLs (kernel32, user32,
    // gdi32, ole32...) come from System32 anyway; they are loaded here too,
    // so that the delay-loaded ones bring in their own imports from System32
    // alone.
    loadByFullPath = true;
    for (const wchar_t* name : {L"version.dll", L"msacm32.dll", L"winmm.dll", L"msimg32.dll",
                                L"dwmapi.dll", L"user32.dll", L"gdi32.dll", L"imm32.dll",
                                L"ole32.dll", L"oleaut32.dll", L"uxtheme.dll", L"oleacc.dll"}) {
        LoadSystemLibrary(name);  // held for the life of the process
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

HICON LoadIconAtSize(HINSTANCE instance, int id, int size) {
    if (size <= 0) {
        return nullptr;
    }
    HICON icon = nullptr;
    if (Controls().loadIconWithScaleDown != nullptr &&
        SUCCEEDED(
            Controls().loadIconWithScaleDown(instance, MAKEINTRESOURCEW(id), size, size, &icon))) {
        return icon;
    }
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

HBRUSH CreateTabBodyBrush(HWND window, SIZE size, COLORREF& text) {
    text = GetSysColor(COLOR_BTNTEXT);
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
        // The text colour for the body where it is plainest, its middle.
        COLORREF styleText = 0;
        constexpr int kTextColour = 3803;  // TMT_TEXTCOLOR
        if (styles.getThemeColor == nullptr ||
            FAILED(styles.getThemeColor(theme, kTabBody, 0, kTextColour, &styleText))) {
            styleText = GetSysColor(COLOR_BTNTEXT);
        }
        text = ReadableOn(GetPixel(memory, size.cx / 2, size.cy / 2), styleText);
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

PSECURITY_DESCRIPTOR SecurityDescriptorFromText(const wchar_t* sddl) {
    BOOL(WINAPI * convert)(LPCWSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG) = nullptr;
    Find(LoadSystemLibrary(L"advapi32.dll"), "ConvertStringSecurityDescriptorToSecurityDescriptorW",
         convert);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    constexpr DWORD kRevision = 1;  // SDDL_REVISION_1
    if (convert == nullptr || !convert(sddl, kRevision, &descriptor, nullptr)) {
        return nullptr;
    }
    return descriptor;
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

namespace {

UINT answeredDpi = 0;

UINT WINAPI AnsweredDpi(HWND /*window*/) {
    return answeredDpi;
}

}  // namespace

void AnswerWindowDpi(UINT dpi) {
    answeredDpi = dpi;
    Newer().getDpiForWindow = dpi != 0 ? AnsweredDpi : NewerFunctions().getDpiForWindow;
}

void UseWindows7Fallbacks(bool use, UINT systemDpi) {
    if (!use) {
        Newer() = NewerFunctions();
        return;
    }
    Newer().getDpiForWindow = nullptr;
    Newer().adjustWindowRectExForDpi = nullptr;
    Newer().getSystemMetricsForDpi = nullptr;
    Newer().systemDpi = systemDpi;
}

}  // namespace vantrel
