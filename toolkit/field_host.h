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
    // Shows exactly `text`; raises no key event. A text the program writes
    // is settled: its sheet agrees with it.
    void SetText(const std::string& text) {
        WriteText(text);
        settled_ = text;
    }

    // The text this field last agreed with its sheet: what the program last
    // wrote into it, or what the sheet's last recalculation read from it.
    // While the field still shows it, recalculating from it has nothing new
    // to convert.
    const std::string& SettledText() const { return settled_; }
    void Settle(const std::string& text) { settled_ = text; }

protected:
    ~ValueField() = default;
    // Shows exactly `text`; the toolkit's part of SetText.
    virtual void WriteText(const std::string& text) = 0;

private:
    std::string settled_;
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
