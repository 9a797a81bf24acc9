// A long, repeatable stream of keystrokes such as a user makes across the six
// sheets: numbers typed digit by digit with commas and exponents, mistakes
// corrected with backspace, Tab from field to field, sheet switches and
// cleared fields. The same seed always gives the same stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

namespace vantrel::stress {

enum class KeyKind {
    Character,  // a typed character, before the keystroke filter
    Backspace,
    Tab,          // focus moves to `field` of `sheet`
    SelectAll,    // Ctrl+A
    SwitchSheet,  // the page control takes the focus and shows `sheet`
};

struct Keystroke {
    KeyKind kind = KeyKind::Character;
    char character = '\0';
    std::size_t sheet = 0;
    std::size_t field = 0;  // within the sheet, in catalogue order
};

// How many value fields each sheet has, and the index of each sheet's first
// field among all 50, in catalogue order.
struct SheetFieldCounts {
    std::vector<std::size_t> fields;
    std::vector<std::size_t> first;
};
SheetFieldCounts CountSheetFields();

class TypingSession;

// Types one keystroke into the headless window. `tabCounts`: whether a Tab's
// release recalculates (its press was made in a value field).
void TypeInto(TypingSession& session, const Keystroke& key, const SheetFieldCounts& sheets,
              bool tabCounts = true);

class KeystrokePlan {
public:
    // `fieldsPerSheet`: how many value fields each sheet has, in tab order.
    KeystrokePlan(std::vector<std::size_t> fieldsPerSheet, std::uint64_t seed);

    Keystroke Next();

private:
    std::size_t Roll(std::size_t below) { return random_() % below; }
    void Push(KeyKind kind, char character = '\0');
    void TypeCharacter(char character);
    void Forget();  // a new or emptied field: nothing typed yet

    std::vector<std::size_t> fieldsPerSheet_;
    std::mt19937_64 random_;
    std::deque<Keystroke> pending_;
    std::size_t sheet_ = 0;
    std::size_t field_ = 0;
    bool focused_ = false;
    // What has been typed into the field since it was entered or emptied.
    std::size_t typed_ = 0;
    char last_ = '\0';
    bool exponent_ = false;
    std::size_t exponentDigits_ = 0;
};

}  // namespace vantrel::stress
