#include "toolkit/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "toolkit/decimal_to_extended.h"
#include "toolkit/exceptions.h"

namespace vantrel {

namespace {

constexpr std::size_t kQuotedCharacters = 40;
constexpr int kSignificantDigits = 15;
// Fixed notation covers 1E-5 <= |x| < 1E15; beyond that the exponent form is
// shorter and keeps the 15 digits readable.
constexpr int kFixedMinExponent = -5;
constexpr int kFixedMaxExponent = 14;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

[[noreturn]] void RefuseText(std::string_view text) {
    throw EConvertError(QuoteForMessage(text) + " не является числом");
}

// The parts of a number text, checked against the grammar
//   [sign] digits [',' digits] [('E'|'e') [sign] digits]
// where the mantissa holds at least one digit and the exponent's digits may
// still be missing ("1E", "1E-"): a user typing an exponent passes there.
struct NumberParts {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

bool SplitNumber(std::string_view s, NumberParts& parts) {
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t start) {
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        return s.substr(start, i - start);
    };
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        parts.negative = s[i] == '-';
        ++i;
    }
    parts.integerDigits = digitsFrom(i);
    if (i < s.size() && s[i] == ',') {
        ++i;
        parts.fractionDigits = digitsFrom(i);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        return false;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
            parts.exponentNegative = s[i] == '-';
            ++i;
        }
        parts.exponentDigits = digitsFrom(i);
    }
    return i == s.size();
}

// The written exponent, saturated far outside any floating-point range so
// that a huge one cannot overflow.
long long ExponentOf(const NumberParts& parts) {
    constexpr long long kSaturated = 1'000'000'000'000LL;
    long long exponent = 0;
    for (char c : parts.exponentDigits) {
        exponent = std::min(kSaturated, exponent * 10 + (c - '0'));
    }
    return parts.exponentNegative ? -exponent : exponent;
}

}  // namespace

long double StrToFloat(std::string_view text) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    NumberParts parts;
    if (!SplitNumber(s, parts)) {
        RefuseText(text);
    }
    // Read exactly, the same on every platform: the C++ libraries' readers
    // differ (some read long double at double precision).
    const auto magnitude =
        DecimalToExtended(parts.integerDigits, parts.fractionDigits, ExponentOf(parts));
    if (!magnitude) {
        throw EConvertError(QuoteForMessage(text) + " — слишком большое число");
    }
    // Too small for extended precision reads as zero, with its sign.
    return parts.negative ? -*magnitude : *magnitude;
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
    // Rounded once, correctly, to 15 significant digits: "d.dddddddddddddde+XX".
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));

    const bool negative = scientific.front() == '-';
    const auto exponentAt = scientific.find('e');
    std::string digits;
    for (char ch : scientific.substr(0, exponentAt)) {
        if (IsDigit(ch)) {
            digits += ch;
        }
    }
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(exponentAt + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string out = negative ? "-" : "";
    if (exponent < kFixedMinExponent || exponent > kFixedMaxExponent) {
        out += digits.front();
        if (digits.size() > 1) {
            out += ',';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0,";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto integerLength = static_cast<std::size_t>(exponent) + 1;
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

int AnsiPos(std::string_view sub, std::string_view text) {
    const auto at = text.find(sub);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string QuoteForMessage(std::string_view text) {
    std::size_t characters = 0;
    std::size_t cut = 0;
    while (cut < text.size()) {
        // A UTF-8 character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80) {
            if (characters == kQuotedCharacters) {
                break;
            }
            ++characters;
        }
        ++cut;
    }
    std::string quoted = "«";
    quoted.append(text.substr(0, cut));
    if (cut < text.size()) {
        quoted += "…";
    }
    quoted += "»";
    return quoted;
}

}  // namespace vantrel
