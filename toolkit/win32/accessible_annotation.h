// What assistive technology reads of a control beyond what Windows' standard
// accessible objects take from its window: names and descriptions set through
// Dynamic Annotation (IAccPropServices) on the control's client object. Needs
// COM on the thread (TApplication::Initialize starts it).
//
// Windows applies the annotations to the standard objects a screen reader
// gets. Wine's oleacc does not implement IAccPropServices (every call fails
// with E_NOTIMPL), so there a field's name comes only from the static text
// that stands before it in the z-order (see TEdit).
#pragma once

#include <windows.h>

#include <string_view>

namespace vantrel {

// Each returns whether the annotation was set.
bool AnnotateAccessibleName(HWND window, std::wstring_view name);
bool AnnotateAccessibleDescription(HWND window, std::wstring_view description);
// Drops both annotations; a window's destruction does.
void ClearAccessibleAnnotations(HWND window);

}  // namespace vantrel
