#include "core/number_key_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless_window.h"

namespace vantrel {
namespace {

struct KeyCase {
    const char* text;  // the focused field's whole text
    char typed;
    char result;  // '\0': discarded
};

char Filtered(const char* text, char typed) {
    HeadlessWindow window({"Edt_PPa"});
    window.Focus("Edt_PPa");
    window.Edit("Edt_PPa").SetText(text);
    FilterNumberKey(window, typed);
    return typed;
}

TEST(FilterNumberKey, FollowsItsTableRowByRow) {
    const KeyCase cases[] = {
        // backspace and digits always pass
        {"", '\b', '\b'},
        {"1,5E-3", '\b', '\b'},
        {"", '0', '0'},
        {"1,5E-3", '9', '9'},
        // one decimal comma; '.' is typed as ','
        {"", ',', ','},
        {"", '.', ','},
        {"12", '.', ','},
        {"1,5", ',', '\0'},
        {"1,5", '.', '\0'},
        {"1E5", ',', ','},  // the comma rule looks only for an existing ','
        // one exponent letter; 'e' is typed as 'E'
        {"", 'e', 'E'},
        {"1", 'E', 'E'},
        {"2E3", 'e', '\0'},
        {"2E3", 'E', '\0'},
        {"2e3", 'E', '\0'},  // a pasted lower-case 'e' counts too
        // minus: only as the exponent's (or, caret moved, the mantissa's) sign
        {"", '-', '\0'},
        {"12", '-', '\0'},
        {"1E", '-', '-'},
        {"1E-", '-', '\0'},
        {"1E5", '-', '-'},
        {"-1E5", '-', '\0'},
        {"1e5", '-', '-'},
        {"1e-5", '-', '-'},  // a pasted 'e' accepts every time
        // everything else is discarded
        {"", 'x', '\0'},
        {"", ' ', '\0'},
        {"", '+', '\0'},
        {"", '\r', '\0'},
        {"", '\t', '\0'},
        {"", '\x01', '\0'},
        {"", '\x7f', '\0'},
        {"", '\0', '\0'},
    };
    for (const auto& [text, typed, result] : cases) {
        EXPECT_EQ(Filtered(text, typed), result)
            << "typing '" << typed << "' (" << static_cast<int>(typed) << ") into \"" << text
            << '"';
    }
}

TEST(FilterNumberKey, DiscardsEveryByteOfCode128OrAbove) {
    // Cyrillic letters arrive as bytes of 128 and above, whatever the code page.
    for (int code = 128; code < 256; ++code) {
        EXPECT_EQ(Filtered("", static_cast<char>(code)), '\0') << code;
        EXPECT_EQ(Filtered("1E", static_cast<char>(code)), '\0') << code;
    }
}

TEST(FilterNumberKey, IgnoresTheCaretAndTheSelection) {
    HeadlessWindow window({"Edt_PPa"});
    window.Focus("Edt_PPa");
    HeadlessField& field = window.Edit("Edt_PPa");
    field.SetText("1E5");
    field.MoveCaret(0);
    char minus = '-';
    FilterNumberKey(window, minus);
    ASSERT_EQ(minus, '-');
    field.Insert(std::string(1, minus));
    EXPECT_EQ(field.GetText(), "-1E5");

    field.SetText("1,5");
    field.SelectAll();  // even a selected comma still blocks another
    char comma = ',';
    FilterNumberKey(window, comma);
    EXPECT_EQ(comma, '\0');
}

TEST(FilterNumberKey, JudgesAgainstAnEmptyTextWhenNoFieldHasTheFocus) {
    HeadlessWindow window({"Edt_PPa"});
    char e = 'e';
    FilterNumberKey(window, e);
    EXPECT_EQ(e, 'E');
}

}  // namespace
}  // namespace vantrel
