// How another process (a test driver, an accessibility tool) finds a control
// of a form by its layout name ("Edt_QGW", "Btn_Exit", "Frm_vantrel").
//
// Every control's window, the form's own included, carries the window
// property "VantrelLayoutName" (kLayoutNameProperty). Its value is a global
// atom whose name is the control's layout name, so any process on the desktop
// can read it: GetPropW(window, L"VantrelLayoutName") gives the atom,
// GlobalGetAtomNameW the name. FindLayoutControl searches a window and its
// descendants that way:
//
//     HWND form = FindWindowW(vantrel::kFormWindowClass, nullptr);
//     HWND field = vantrel::FindLayoutControl(form, L"Edt_QGW");
//     SendMessageW(field, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer));
//
// A control's window text (WM_GETTEXT) is what it shows: a field's value, a
// label's or button's caption, the form's title. Controls on hidden sheets
// exist all the time; their windows are merely hidden.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr const wchar_t* kLayoutNameProperty = L"VantrelLayoutName";
// The window class of every form.
inline constexpr const wchar_t* kFormWindowClass = L"VantrelForm";

// Gives `window` its layout name; ClearLayoutName takes it away again and
// releases the atom (a window's destruction does).
void SetLayoutName(HWND window, std::wstring_view name);
void ClearLayoutName(HWND window);

// The layout name of `window`, or an empty string.
std::wstring LayoutNameOf(HWND window);

// `root` itself or the descendant of `root` with that layout name, or nullptr.
// Works on the windows of any process.
HWND FindLayoutControl(HWND root, std::wstring_view name);

}  // namespace vantrel
