#include "toolkit/number_text.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

#include "toolkit/decimal_to_extended.h"
#include "toolkit/exceptions.h"

namespace vantrel {

namespace {

constexpr std::size_t kQuotedCharacters = 40;

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
