#include "window_classes.h"

#include <windows.h>

#include <string>

#include "layout_name.h"
#include "toolkit/exceptions.h"

namespace vantrel {

namespace {

void Register(const wchar_t* name) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The form and its sheets show the button-face colour.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) {
        throw Exception("Не удалось зарегистрировать класс окна (ошибка Windows " +
                        std::to_string(GetLastError()) + ")");
    }
}

}  // namespace

void RegisterToolkitClasses() {
    Register(kFormWindowClass);
    Register(kSheetWindowClass);
}

}  // namespace vantrel
