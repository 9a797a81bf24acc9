#include "tests/support/shown_precision.h"

#include <charconv>
#include <cmath>

#include "toolkit/number_text.h"

namespace vantrel::stress {

ShownPrecision PrecisionShown(std::string_view text) {
    const auto exponentAt = text.find('E');
    const std::string_view mantissa = text.substr(0, exponentAt);
    int exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::from_chars(text.data() + exponentAt + 1, text.data() + text.size(), exponent);
    }
    const auto comma = mantissa.find(',');
    const int fractionDigits =
        comma == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - comma - 1);
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return {};
    }
    ShownPrecision shown;
    for (const char c : mantissa.substr(first)) {
        shown.digits += c >= '0' && c <= '9' ? 1 : 0;
    }
    shown.lastPlace = exponent - fractionDigits;
    // The zeros the field had room for: each takes a digit's width, and the
    // first one after an integer the comma too.
    const int room = kNumberTextBudget - NumberTextWidth(text) -
                     (comma == std::string_view::npos ? kCommaWidth : 0);
    if (room >= kDigitWidth) {
        shown.digits += room / kDigitWidth;
        shown.lastPlace -= room / kDigitWidth;
    }
    return shown;
}

long double HalfUnitShown(std::string_view text) {
    const ShownPrecision shown = PrecisionShown(text);
    return shown.digits == 0 ? 0.0L : 0.5L * std::pow(10.0L, shown.lastPlace);
}

}  // namespace vantrel::stress
