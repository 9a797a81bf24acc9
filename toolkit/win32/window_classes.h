// The window classes of the toolkit's own windows: forms and the sheets of a
// page control. Their class window procedure hands every message to the
// window's control (TControl::ClassWindowProc), which each window keeps in its
// extra bytes.
#pragma once

#include <windows.h>

namespace vantrel {

// The window class of every form, by which other programs find it.
inline constexpr const wchar_t* kFormWindowClass = L"VantrelForm";
inline constexpr const wchar_t* kSheetWindowClass = L"VantrelSheet";
// Where a toolkit window keeps its control.
inline constexpr int kControlSlot = 0;

// Registers the classes the first time; throws vantrel::Exception when
// Windows refuses.
void RegisterToolkitClasses();
// Whether `window` is of one of the toolkit's own classes.
bool IsToolkitWindow(HWND window);

}  // namespace vantrel
