#include "window_classes.h"

#include <string>

#include "t_control.h"
#include "toolkit/exceptions.h"

namespace vantrel {

namespace {

// The classes' atoms, once registered.
ATOM formClass = 0;
ATOM sheetClass = 0;

ATOM Register(const wchar_t* name) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TControl::ClassWindowProc;
    windowClass.cbWndExtra = sizeof(TControl*);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The form and its sheets show the button-face colour.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    const ATOM atom = RegisterClassExW(&windowClass);
    if (atom == 0) {
        throw Exception("Не удалось зарегистрировать класс окна (ошибка Windows " +
                        std::to_string(GetLastError()) + ")");
    }
    return atom;
}

}  // namespace

void RegisterToolkitClasses() {
    if (formClass == 0) {
        formClass = Register(kFormWindowClass);
    }
    if (sheetClass == 0) {
        sheetClass = Register(kSheetWindowClass);
    }
}

bool IsToolkitWindow(HWND window) {
    const auto atom = static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
    return atom != 0 && (atom == formClass || atom == sheetClass);
}

}  // namespace vantrel
