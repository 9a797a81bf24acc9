// The floor that Wine's cost for Vantrel's controls sets: a window holding
// the controls Vantrel.exe's window holds, of the same classes and as many,
// created in a loop with nothing else (no fonts, no measuring, no layout):
// a tab control with six tabs and six sheets, 50 edit fields each with the
// hidden static text that names it, 56 captions, two buttons and a status
// bar, from common controls 6 as Vantrel's manifest asks for them.
#include <windows.h>
// After windows.h.
#include <commctrl.h>

namespace {

constexpr int kSheets = 6;
constexpr int kFields = 50;
constexpr int kCaptions = 56;
constexpr int kButtons = 2;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

HWND Child(const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, HWND parent, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, windowClass, text, WS_CHILD | style, x, y, width, height,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Register(L"ControlsFloor");
    Register(L"ControlsFloorSheet");
    HWND window =
        CreateWindowExW(0, L"ControlsFloor", L"Win32 controls floor",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 190, 132, 827,
                        395, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND tabs =
        Child(WC_TABCONTROLW, L"", WS_VISIBLE | WS_TABSTOP | TCS_MULTILINE, 5, 0, 812, 297, window);
    HWND sheets[kSheets];
    for (int i = 0; i < kSheets; ++i) {
        wchar_t caption[] = L"Sheet";
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption;
        SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
        sheets[i] = Child(L"ControlsFloorSheet", L"", i == 0 ? WS_VISIBLE : 0, 9, 26, 804, 267,
                          window, WS_EX_CONTROLPARENT);
    }
    for (int i = 0; i < kFields; ++i) {
        HWND sheet = sheets[i % kSheets];
        const int x = 32 + (i / kSheets % 3) * 240;
        const int y = 36 + (i / kSheets / 3) * 44;
        Child(WC_STATICW, L"", 0, 0, 0, 0, 0, sheet);
        Child(WC_EDITW, L"", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, y, 121, 24, sheet,
              WS_EX_CLIENTEDGE);
    }
    for (int i = 0; i < kCaptions; ++i) {
        const int x = 160 + (i / kSheets % 3) * 240;
        const int y = 36 + (i / kSheets / 3) * 44;
        Child(WC_STATICW, L"м/ч", WS_VISIBLE, x, y, 40, 16, sheets[i % kSheets]);
    }
    for (int i = 0; i < kButtons; ++i) {
        Child(WC_BUTTONW, L"Button", WS_VISIBLE | WS_TABSTOP, 536 + i * 120, 304, 89, 33, window);
    }
    Child(STATUSCLASSNAMEW, L"", WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE, 0, 345, 821, 21,
          window);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
