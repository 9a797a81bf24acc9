#include "tests/support/typing_session.h"

#include <array>
#include <stdexcept>

#include "core/number_key_filter.h"
#include "sheets/sheet_catalogue.h"
#include "sheets/sheet_routines.h"
#include "tests/support/sheet_invariants.h"
#include "toolkit/exceptions.h"

namespace vantrel::stress {

namespace {

using SheetRoutine = void (*)(const FieldHost&);

// The key-up routine of each sheet, in tab order.
constexpr std::array<SheetRoutine, 6> kRoutines{
    RecalcVolumeFlow, RecalcSpecificHeat, RecalcHeatFlow, RecalcHeat, RecalcForce, RecalcPressure,
};

void CheckTabOrder() {
    const std::array<const SheetCatalogue*, 6> routineOrder{
        &kVolumeFlow, &kSpecificHeat, &kHeatFlow, &kHeat, &kForce, &kPressure,
    };
    const auto sheets = AllSheets();
    if (sheets.size() != routineOrder.size()) {
        throw std::logic_error("the catalogue no longer has six sheets");
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i] != routineOrder[i]) {
            throw std::logic_error("the sheet routines no longer follow the tab order");
        }
    }
}

}  // namespace

TypingSession::TypingSession() : window_(AllFieldNames()), sheets_(AllSheets().size()) {
    CheckTabOrder();
    for (const auto& name : window_.LayoutNames()) {
        fields_.push_back(&window_.Edit(name));
    }
    for (std::size_t s = 0; s < AllSheets().size(); ++s) {
        for (const CatalogueGroup& group : AllSheets()[s]->groups) {
            for (std::size_t u = 0; u < group.units.size(); ++u) {
                sheetOfField_.push_back(s);
            }
        }
    }
}

std::size_t TypingSession::SheetOf(std::string_view field) const {
    const auto& names = window_.LayoutNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == field) {
            return sheetOfField_[i];
        }
    }
    throw std::out_of_range("no value field named " + std::string(field));
}

std::vector<std::string> TypingSession::Snapshot() const {
    std::vector<std::string> texts;
    texts.reserve(fields_.size());
    for (const HeadlessField* field : fields_) {
        texts.push_back(field->GetText());
    }
    return texts;
}

void TypingSession::Edited() {
    sheets_[SheetOf(focused_)].edited.insert(focused_);
}

void TypingSession::KeyUp() {
    if (focused_.empty()) {
        return;
    }
    const std::size_t sheet = SheetOf(focused_);
    lastSheet_ = sheet;
    const std::vector<std::string> before = Snapshot();
    // A release that left the text as its sheet last agreed with it (a Tab
    // into a result, say) recalculates nothing.
    const HeadlessField& source = window_.Edit(focused_);
    const bool edited = source.GetText() != source.SettledText();
    try {
        kRoutines[sheet](window_);
    } catch (const EConvertError&) {
        ++refusals_;
        if (fault_.empty() && Snapshot() != before) {
            fault_ = "a refused text in " + focused_ + " (\"" + window_.Text(focused_) +
                     "\") changed a field";
        }
        return;
    }
    const std::vector<std::string> after = Snapshot();
    if (!edited) {
        if (fault_.empty() && after != before) {
            fault_ = "a key release in " + focused_ + " that changed no text rewrote a field";
        }
        return;
    }
    const auto& names = window_.LayoutNames();
    for (std::size_t i = 0; i < names.size() && fault_.empty(); ++i) {
        if (after[i] != before[i] && (sheetOfField_[i] != sheet || names[i] == focused_)) {
            fault_ = "recalculating from " + focused_ + " wrote " + names[i];
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sheetOfField_[i] == sheet && names[i] != focused_) {
            pasted_.erase(names[i]);
        }
    }
    SheetState& state = sheets_[sheet];
    state.source = focused_;
    state.sourceText = window_.Text(focused_);
    state.edited.clear();
}

void TypingSession::Type(char key) {
    if (focused_.empty()) {
        return;  // the page control takes the key; no value field sees it
    }
    FilterNumberKey(window_, key);
    HeadlessField& field = window_.Edit(focused_);
    if (key == '\b') {
        field.Backspace();
    } else if (key != '\0') {
        field.Insert(std::string(1, key));
    }
    Edited();
    CheckTypedText();
    KeyUp();
}

// Whatever the caret position, typing through the filter keeps a field to the
// characters of a number text with at most one comma, one exponent letter and
// two minus signs (the mantissa's, written by the engine, and the exponent's).
void TypingSession::CheckTypedText() {
    const std::string text = window_.Text(focused_);
    if (text.empty()) {
        pasted_.erase(focused_);
        return;
    }
    if (pasted_.contains(focused_) || !fault_.empty()) {
        return;
    }
    std::size_t commas = 0;
    std::size_t exponents = 0;
    std::size_t minuses = 0;
    bool foreign = false;
    for (const char c : text) {
        commas += c == ',' ? 1 : 0;
        exponents += c == 'E' ? 1 : 0;
        minuses += c == '-' ? 1 : 0;
        foreign = foreign || !((c >= '0' && c <= '9') || c == ',' || c == 'E' || c == '-');
    }
    if (foreign || commas > 1 || exponents > 1 || minuses > 2) {
        fault_ = "the keystroke filter let " + focused_ + " become \"" + text + "\"";
    }
}

void TypingSession::Backspace() {
    if (!focused_.empty()) {
        window_.Edit(focused_).Backspace();
        Edited();
        KeyUp();
    }
}

void TypingSession::MoveCaret(std::size_t position) {
    if (!focused_.empty()) {
        window_.Edit(focused_).MoveCaret(position);
        KeyUp();
    }
}

void TypingSession::Paste(std::string_view text) {
    if (!focused_.empty()) {
        window_.Edit(focused_).Insert(text);
        pasted_.insert(focused_);
        Edited();
        KeyUp();
    }
}

void TypingSession::SelectAll() {
    if (!focused_.empty()) {
        window_.Edit(focused_).SelectAll();
        KeyUp();
    }
}

void TypingSession::Clear() {
    SelectAll();
    Backspace();
}

void TypingSession::Focus(std::size_t fieldIndex, bool releaseCounts) {
    const auto& names = window_.LayoutNames();
    focused_ = names[fieldIndex % names.size()];
    window_.Focus(focused_);
    if (releaseCounts) {
        KeyUp();
    }
}

void TypingSession::SwitchSheet(std::size_t sheetIndex) {
    window_.Unfocus();
    focused_.clear();
    const std::vector<std::string> before = Snapshot();
    kRoutines[sheetIndex % kRoutines.size()](window_);
    if (fault_.empty() && Snapshot() != before) {
        fault_ = "a key released on the page control changed a field";
    }
}

std::string TypingSession::CheckSheetState(std::size_t sheet) const {
    const SheetState& state = sheets_[sheet];
    return CheckSheet(*AllSheets()[sheet], window_, state.source, state.sourceText,
                      [&state](std::string_view field) { return state.edited.contains(field); });
}

std::string TypingSession::Check() const {
    if (!fault_.empty()) {
        return fault_;
    }
    for (std::size_t s = 0; s < sheets_.size(); ++s) {
        if (std::string fault = CheckSheetState(s); !fault.empty()) {
            return fault;
        }
    }
    return {};
}

std::string TypingSession::CheckLastSheet() const {
    return fault_.empty() ? CheckSheetState(lastSheet_) : fault_;
}

}  // namespace vantrel::stress
