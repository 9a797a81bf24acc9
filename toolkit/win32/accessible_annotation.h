// What assistive technology reads of a control beyond what Windows' standard
// accessible objects take from its window: names and descriptions set through
// Dynamic Annotation (IAccPropServices) on the control's client object.
//
// Windows applies the annotations to the standard objects a screen reader
// gets. Wine's oleacc does not implement IAccPropServices (every call fails
// with E_NOTIMPL), so there a field's name comes only from the static text
// that stands before it in the z-order (see TEdit).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

struct IAccPropServices;

namespace vantrel {

// The annotations of one window's controls, set through one annotation
// service. They are kept until Publish, which the window calls once it has
// shown itself: COM and the service are not needed to draw the window, and a
// screen reader asks for the annotations only through the window's messages,
// which the window takes after that. Clearing drops them all, before the
// window's controls go, and ends COM on the thread where Publish started it.
class AccessibleAnnotations {
public:
    AccessibleAnnotations() = default;
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    void SetName(HWND window, std::wstring_view name);
    void SetDescription(HWND window, std::wstring_view description);
    // Sets the annotations kept so far, and every later one at once.
    void Publish();
    void Clear();

private:
    struct Annotation {
        HWND window;
        bool description;  // else the name
        std::wstring text;
    };
    void Set(const Annotation& annotation);

    std::vector<Annotation> pending_;
    bool published_ = false;
    bool comStarted_ = false;
    IAccPropServices* services_ = nullptr;
    std::vector<HWND> annotated_;
};

}  // namespace vantrel
