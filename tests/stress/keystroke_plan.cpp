#include "keystroke_plan.h"

#include <utility>

#include "sheets/sheet_catalogue.h"
#include "tests/support/typing_session.h"

namespace vantrel::stress {

SheetFieldCounts CountSheetFields() {
    SheetFieldCounts counts;
    std::size_t total = 0;
    for (const SheetCatalogue* sheet : AllSheets()) {
        std::size_t fields = 0;
        for (const CatalogueGroup& group : sheet->groups) {
            fields += group.units.size();
        }
        counts.first.push_back(total);
        counts.fields.push_back(fields);
        total += fields;
    }
    return counts;
}

void TypeInto(TypingSession& session, const Keystroke& key, const SheetFieldCounts& sheets,
              bool tabCounts) {
    switch (key.kind) {
        case KeyKind::Character:
            session.Type(key.character);
            break;
        case KeyKind::Backspace:
            session.Backspace();
            break;
        case KeyKind::Tab:
            session.Focus(sheets.first[key.sheet] + key.field, tabCounts);
            break;
        case KeyKind::SelectAll:
            session.SelectAll();
            break;
        case KeyKind::SwitchSheet:
            session.SwitchSheet(key.sheet);
            break;
    }
}

namespace {

// Long enough for "-1,23456789E-123"-like texts; past it the field is cleared.
constexpr std::size_t kLongestTyping = 16;

}  // namespace

KeystrokePlan::KeystrokePlan(std::vector<std::size_t> fieldsPerSheet, std::uint64_t seed)
    : fieldsPerSheet_(std::move(fieldsPerSheet)), random_(seed) {}

void KeystrokePlan::TypeCharacter(char character) {
    Push(KeyKind::Character, character);
    ++typed_;
    last_ = character;
    if (exponent_ && character >= '0' && character <= '9') {
        ++exponentDigits_;
    }
    exponent_ = exponent_ || character == 'E' || character == 'e';
}

void KeystrokePlan::Push(KeyKind kind, char character) {
    Keystroke key;
    key.kind = kind;
    key.character = character;
    key.sheet = sheet_;
    key.field = field_;
    pending_.push_back(key);
}

void KeystrokePlan::Forget() {
    typed_ = 0;
    last_ = '\0';
    exponent_ = false;
    exponentDigits_ = 0;
}

Keystroke KeystrokePlan::Next() {
    if (pending_.empty()) {
        if (!focused_) {
            // From the page control, Tab enters the sheet's first field.
            field_ = 0;
            focused_ = true;
            Forget();
            Push(KeyKind::Tab);
        } else if (typed_ > kLongestTyping) {
            Push(KeyKind::SelectAll);
            Push(KeyKind::Backspace);
            Forget();
        } else {
            // Weights per thousand keystrokes.
            const std::size_t r = Roll(1000);
            // A number starts with a digit; now and then a user starts it with
            // a comma, which the window refuses with a message.
            const bool startsNumber = typed_ == 0 && r < 690;
            const bool digit = r < 560 || (startsNumber && Roll(100) != 0);
            if (digit && exponentDigits_ >= 2) {
                // Engineering exponents have two digits at most: move on.
                field_ = (field_ + 1) % fieldsPerSheet_[sheet_];
                Forget();
                Push(KeyKind::Tab);
            } else if (digit) {
                TypeCharacter(static_cast<char>('0' + Roll(10)));
            } else if (r < 610) {
                // After the exponent a comma would make the text unreadable.
                TypeCharacter(exponent_ ? '0' : (Roll(4) == 0 ? '.' : ','));
            } else if (r < 650) {
                TypeCharacter(Roll(4) == 0 ? 'e' : 'E');
            } else if (r < 680) {
                // The exponent's sign, right after the 'E'.
                TypeCharacter(last_ == 'E' || last_ == 'e' ? '-' : '5');
            } else if (r < 690) {
                // Letters, a space and a Cyrillic byte: the filter drops them.
                constexpr char kStray[] = {'x', ' ', '+', static_cast<char>(0xD0)};
                Push(KeyKind::Character, kStray[Roll(sizeof kStray)]);
            } else if (r < 800) {
                Push(KeyKind::Backspace);
                typed_ = typed_ > 0 ? typed_ - 1 : 0;
                last_ = '\0';
            } else if (r < 900) {
                field_ = (field_ + 1) % fieldsPerSheet_[sheet_];
                Forget();
                Push(KeyKind::Tab);
            } else if (r < 930) {
                Push(KeyKind::SelectAll);
                Push(KeyKind::Backspace);
                Forget();
            } else if (r < 950) {
                Push(KeyKind::SelectAll);
            } else if (r < 970) {
                sheet_ = Roll(fieldsPerSheet_.size());
                focused_ = false;
                Push(KeyKind::SwitchSheet);
            } else {
                // A fresh number over the whole text: select all, then type.
                Push(KeyKind::SelectAll);
                Forget();
                TypeCharacter(static_cast<char>('1' + Roll(9)));
            }
        }
    }
    const Keystroke key = pending_.front();
    pending_.pop_front();
    return key;
}

}  // namespace vantrel::stress
