// Writing number text: the value a field shows, in the widest text it shows
// whole.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "toolkit/number_text.h"

namespace vantrel {

namespace {

// On a tie in significant digits, fixed notation is kept from 1E-5 up:
// "0,00086" reads better than "8,6E-4", and "1E-6" better than "0,000001".
constexpr int kFixedMinExponent = -5;
// The most significant digits any text can show within the budget.
constexpr int kMostDigits = kNumberTextBudget / kDigitWidth;
// Significant digits of the one expansion every text is rounded from: more
// than any text shows, so that what follows the digits a text keeps is seldom
// exactly half a unit (the one case the long double has to decide again), and
// few enough to stay in std::string's inline buffer.
constexpr int kExpandedDigits = 15;
static_assert(kExpandedDigits > kMostDigits);

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A finite value that is not zero as decimal significant digits:
// (-1)^negative * d.ddd... * 10^exponent, the first digit not zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal Scientific(long double value, int significantDigits) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    // "-d.ddde+XX": the leading digit, then those after the point.
    Decimal decimal;
    decimal.negative = text.front() == '-';
    const std::size_t leading = decimal.negative ? 1 : 0;
    const auto exponentAt = text.find('e');
    decimal.digits.assign(1, text[leading]);
    if (exponentAt > leading + 2) {
        decimal.digits.append(text.substr(leading + 2, exponentAt - leading - 2));
    }
    const std::string_view exponentText = text.substr(exponentAt + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), decimal.exponent);
    return decimal;
}

// `value` rounded to `significantDigits` (at most kExpandedDigits), from its
// expansion. The expansion is itself rounded, so its tail decides only when
// it is not exactly half a unit: then it lies on the same side of the half as
// the value does. At exactly half (the value may be just off it, or on it) the
// value is rounded again from the long double itself.
Decimal Rounded(long double value, const Decimal& expanded, int significantDigits) {
    const auto kept = static_cast<std::size_t>(significantDigits);
    const std::string_view tail = std::string_view(expanded.digits).substr(kept);
    const bool restIsZero =
        tail.size() <= 1 || tail.find_first_not_of('0', 1) == std::string_view::npos;
    if (!tail.empty() && tail.front() == '5' && restIsZero) {
        return Scientific(value, significantDigits);
    }
    Decimal rounded{.negative = expanded.negative,
                    .digits = expanded.digits.substr(0, kept),
                    .exponent = expanded.exponent};
    if (!tail.empty() && tail.front() >= '5') {
        auto at = rounded.digits.size();
        while (at > 0 && rounded.digits[at - 1] == '9') {
            rounded.digits[--at] = '0';
        }
        if (at == 0) {  // 9,99 -> 10,0: one more integer digit
            rounded.digits.insert(0, 1, '1');
            rounded.digits.pop_back();
            ++rounded.exponent;
        } else {
            ++rounded.digits[at - 1];
        }
    }
    return rounded;
}

int DecimalDigits(int n) {
    int digits = 1;
    for (n = std::abs(n); n >= 10; n /= 10) {
        ++digits;
    }
    return digits;
}

enum class Notation : std::uint8_t { kFixed, kExponent };

// The width of a text with `digits` significant digits, trailing zeros kept.
int TextWidth(Notation notation, bool negative, int exponent, int digits) {
    int width = negative ? kMinusWidth : 0;
    if (notation == Notation::kExponent) {
        width += digits * kDigitWidth + (digits > 1 ? kCommaWidth : 0) + kExponentLetterWidth;
        return width + (exponent < 0 ? kMinusWidth : 0) + DecimalDigits(exponent) * kDigitWidth;
    }
    if (exponent < 0) {  // "0," and the zeros after the comma come first
        return width + (digits - exponent) * kDigitWidth + kCommaWidth;
    }
    const int integerDigits = exponent + 1;
    if (digits <= integerDigits) {
        return width + integerDigits * kDigitWidth;
    }
    return width + digits * kDigitWidth + kCommaWidth;
}

std::string Layout(Notation notation, const Decimal& d) {
    std::string digits = d.digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string out = d.negative ? "-" : "";
    if (notation == Notation::kExponent) {
        out += digits.front();
        if (digits.size() > 1) {
            out += ',';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(d.exponent);
    } else if (d.exponent < 0) {
        out += "0,";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += digits;
    } else {
        const auto integerLength = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= integerLength) {
            out += digits;
            out.append(integerLength - digits.size(), '0');
        } else {
            out.append(digits, 0, integerLength);
            out += ',';
            out.append(digits, integerLength);
        }
    }
    return out;
}

// A value written in one notation, and how many significant digits it shows
// once trailing zeros are dropped.
struct Candidate {
    std::string text;
    std::size_t shownDigits = 0;
    int exponent = 0;
};

// The value in `notation` with as many significant digits as fit the budget;
// none when not even one digit fits (fixed notation for very large or very
// small values).
std::optional<Candidate> Written(long double value, const Decimal& expanded, Notation notation) {
    int digits = kMostDigits;
    while (digits > 0 &&
           TextWidth(notation, expanded.negative, expanded.exponent, digits) > kNumberTextBudget) {
        --digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    const Decimal rounded = Rounded(value, expanded, digits);
    Candidate candidate{
        .text = Layout(notation, rounded), .shownDigits = 0, .exponent = rounded.exponent};
    // Rounding may carry into one more integer digit (99999999999,7 -> 1E11),
    // which fixed notation may have no room for.
    if (rounded.exponent != expanded.exponent &&
        NumberTextWidth(candidate.text) > kNumberTextBudget) {
        return std::nullopt;
    }
    candidate.shownDigits = rounded.digits.find_last_not_of('0') + 1;
    return candidate;
}

}  // namespace

int NumberTextWidth(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            width += kDigitWidth;
        } else if (c == 'E') {
            width += kExponentLetterWidth;
        } else if (c == ',') {
            width += kCommaWidth;
        } else if (c == '-') {
            width += kMinusWidth;
        } else {
            width += kOtherCharacterWidth;
        }
    }
    return width;
}

std::string FloatToStr(long double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0) {
        return "0";
    }
    const Decimal expanded = Scientific(value, kExpandedDigits);
    const std::optional<Candidate> fixed = Written(value, expanded, Notation::kFixed);
    // Exponent notation always fits: one digit and an exponent of at most
    // four digits are far within the budget.
    const Candidate scientific = Written(value, expanded, Notation::kExponent).value();
    if (!fixed || fixed->shownDigits < scientific.shownDigits) {
        return scientific.text;
    }
    if (fixed->shownDigits > scientific.shownDigits || fixed->exponent >= kFixedMinExponent) {
        return fixed->text;
    }
    return scientific.text;
}

}  // namespace vantrel
