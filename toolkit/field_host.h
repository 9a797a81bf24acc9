// What the conversion core needs from a window: the text of a value field and
// which field holds the keyboard focus. The Qt window and the headless model
// used by the tests both provide it.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// One unit's edit field, as the core sees it. Texts are UTF-8.
class ValueField {
public:
    virtual std::string GetText() const = 0;
    // Shows exactly `text`; raises no key event.
    virtual void SetText(const std::string& text) = 0;

protected:
    ~ValueField() = default;
};

// The window, as the core sees it.
class FieldHost {
public:
    // The value field that has the keyboard focus; nullptr when the focus is
    // on anything else (the page control, a button) or outside the window.
    virtual ValueField* FocusedField() const = 0;
    // The value field with this layout name ("Edt_QGW"); throws
    // std::out_of_range for a name the window does not have.
    virtual ValueField& Field(std::string_view layoutName) const = 0;

protected:
    ~FieldHost() = default;
};

}  // namespace vantrel
