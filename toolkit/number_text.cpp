#include "toolkit/number_text.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>

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

// Decimal exponent of the leading digit of a mantissa that is not zero,
// saturated far outside any floating-point range so huge exponents cannot
// overflow the arithmetic.
long long LeadingDigitExponent(const NumberParts& parts) {
    constexpr long long kSaturated = 1'000'000'000'000LL;
    long long exponent = 0;
    for (char c : parts.exponentDigits) {
        exponent = std::min(kSaturated, exponent * 10 + (c - '0'));
    }
    if (parts.exponentNegative) {
        exponent = -exponent;
    }
    const auto firstInteger = parts.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string_view::npos) {
        return exponent + static_cast<long long>(parts.integerDigits.size() - firstInteger) - 1;
    }
    const auto firstFraction = parts.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long long>(firstFraction) - 1;
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
    // std::from_chars reads the C form whatever the locale; rebuild the text
    // in that form ('.' and an exponent only when it has digits).
    std::string c;
    c.reserve(s.size() + 4);
    if (parts.negative) {
        c += '-';
    }
    c += parts.integerDigits.empty() ? std::string_view("0") : parts.integerDigits;
    if (!parts.fractionDigits.empty()) {
        c += '.';
        c += parts.fractionDigits;
    }
    if (!parts.exponentDigits.empty()) {
        c += parts.exponentNegative ? "e-" : "e";
        c += parts.exponentDigits;
    }
    long double value = 0;
    const auto [end, error] = std::from_chars(c.data(), c.data() + c.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small for extended precision reads as zero; too large is refused.
        if (LeadingDigitExponent(parts) < 0) {
            return parts.negative ? -0.0L : 0.0L;
        }
        throw EConvertError(QuoteForMessage(text) + " — слишком большое число");
    }
    if (error != std::errc() || end != c.data() + c.size()) {
        RefuseText(text);
    }
    return value;
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
