#include "core/number_key_filter.h"

#include <string>

#include "toolkit/number_text.h"

namespace vantrel {

namespace {
constexpr signed char kBackspace = 8;
}

void FilterNumberKey(const FieldHost& host, char& key) {
    const ValueField* const focused = host.FocusedField();
    const std::string text = focused != nullptr ? focused->GetText() : std::string();
    auto contains = [&text](const char* sub) { return AnsiPos(sub, text) > 0; };

    // Signed comparison: every byte of code 128 or above is negative here and
    // falls through to the last rule.
    const auto c = static_cast<signed char>(key);
    if (c == kBackspace || (c >= '0' && c <= '9')) {
        return;
    }
    if (c == '.' || c == ',') {
        key = contains(",") ? '\0' : ',';
    } else if (c == 'E' || c == 'e') {
        key = contains("e") || contains("E") ? '\0' : 'E';
    } else if (c == '-') {
        // A pasted lower-case "e" accepts at once; otherwise an 'E' is needed
        // and no '-' yet.
        const bool accept = contains("e") || (contains("E") && !contains("-"));
        key = accept ? '-' : '\0';
    } else {
        key = '\0';
    }
}

}  // namespace vantrel
