// A window without a window system: named value fields with text, caret and
// selection, and one keyboard focus. Tests, benchmarks and fuzz targets drive
// the sheets through it exactly as the Qt window does.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/field_host.h"

namespace vantrel {

class HeadlessField final : public ValueField {
public:
    std::string GetText() const override { return text_; }

    // Editing as a single-line edit field does it; the caret is a byte offset.
    void Insert(std::string_view typed);  // replaces the selection, if any
    void Backspace();
    void MoveCaret(std::size_t position);  // clamped to the text; drops the selection
    void SelectAll();
    bool HasSelection() const { return selectionLength_ > 0; }
    // Runs `action` each time the program writes the field, as a window's
    // text change runs other code on the program's thread (hooks, input
    // methods) before the write returns.
    void OnWrite(std::function<void()> action) { onWrite_ = std::move(action); }

private:
    void WriteText(const std::string& text) override;

    std::string text_;
    std::size_t caret_ = 0;
    std::size_t selectionStart_ = 0;
    std::size_t selectionLength_ = 0;
    std::function<void()> onWrite_;
};

class HeadlessWindow final : public FieldHost {
public:
    // A window holding one empty field for each layout name.
    explicit HeadlessWindow(const std::vector<std::string_view>& layoutNames);

    ValueField* FocusedField() const override { return focused_; }
    ValueField& Field(std::string_view layoutName) const override { return Edit(layoutName); }

    HeadlessField& Edit(std::string_view layoutName) const;
    // Moves the keyboard focus into a field; entering it selects its text, as
    // entering an edit field with Tab does.
    void Focus(std::string_view layoutName);
    // Moves the focus off every value field (onto the page control).
    void Unfocus() { focused_ = nullptr; }

    std::string Text(std::string_view layoutName) const { return Edit(layoutName).GetText(); }
    const std::vector<std::string>& LayoutNames() const { return names_; }

private:
    std::vector<std::string> names_;
    std::map<std::string, std::unique_ptr<HeadlessField>, std::less<>> fields_;
    HeadlessField* focused_ = nullptr;
};

}  // namespace vantrel
