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
#include <vector>

struct IAccPropServices;

namespace vantrel {

// The annotations of one window's controls, through one annotation service,
// made when the first is set. Clearing drops them all; the window does it
// before its controls go.
class AccessibleAnnotations {
public:
    AccessibleAnnotations() = default;
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    // Each returns whether the annotation was set.
    bool SetName(HWND window, std::wstring_view name);
    bool SetDescription(HWND window, std::wstring_view description);
    void Clear();

private:
    bool Set(HWND window, const GUID& property, std::wstring_view text);

    IAccPropServices* services_ = nullptr;
    bool unavailable_ = false;  // COM could not make the service
    std::vector<HWND> annotated_;
};

}  // namespace vantrel
