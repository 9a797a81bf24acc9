#include "toolkit/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <span>
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

// Characters as their UTF-8 bytes: a field's text is UTF-8 on both toolkits.
constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
constexpr std::string_view kThinSpace = "\u2009";
constexpr std::string_view kMinusSign = "\u2212";

// What a copied spreadsheet cell or line of a document brings around a number.
constexpr auto kBlanks =
    std::to_array<std::string_view>({" ", "\t", "\r", "\n", kNoBreakSpace, kNarrowNoBreakSpace});
// What documents put between groups of three integer digits.
constexpr auto kGroupSeparators =
    std::to_array<std::string_view>({" ", kNoBreakSpace, kNarrowNoBreakSpace, kThinSpace});
constexpr auto kSigns = std::to_array<std::string_view>({"-", "+", kMinusSign});
// The Cyrillic Е and е look like the Latin letters, and a Russian keyboard
// layout types them.
constexpr auto kExponentLetters = std::to_array<std::string_view>({"E", "e", "\u0415", "\u0435"});

// Removes the first of `tokens` that starts `s`, and returns it (empty: none).
std::string_view TakeFront(std::string_view& s, std::span<const std::string_view> tokens) {
    for (const std::string_view token : tokens) {
        if (s.starts_with(token)) {
            s.remove_prefix(token.size());
            return token;
        }
    }
    return {};
}

bool TakeBack(std::string_view& s, std::span<const std::string_view> tokens) {
    for (const std::string_view token : tokens) {
        if (s.ends_with(token)) {
            s.remove_suffix(token.size());
            return true;
        }
    }
    return false;
}

bool IsMinus(std::string_view sign) {
    return sign == "-" || sign == kMinusSign;
}

std::string_view TakeDigits(std::string_view& s) {
    std::size_t count = 0;
    while (count < s.size() && IsDigit(s[count])) {
        ++count;
    }
    const std::string_view digits = s.substr(0, count);
    s.remove_prefix(count);
    return digits;
}

// The parts of a number text, checked against the grammar
//   [sign] integer [point digits] [exponent-letter [sign] digits]
// where a sign is '-', '+' or U+2212 (the minus sign), the point ',' or '.',
// and the integer part plain digits or groups of three, after a first group
// of one to three, with a group separator between them. The mantissa holds at
// least one digit; the exponent's digits may still be missing ("1E", "1E-"):
// a user typing an exponent passes there. A text with both ',' and '.'
// ("1.000,5", "1,000.5") cannot match: it could mean either number.
struct NumberParts {
    bool negative = false;
    std::string integerDigits;  // without the group separators
    std::string_view fractionDigits;
    bool exponentNegative = false;
    std::string_view exponentDigits;
};

// Reads "12345" or "12 345 678"; false on a group of other than three digits.
bool TakeIntegerDigits(std::string_view& s, std::string& digits) {
    const std::string_view first = TakeDigits(s);
    digits = first;
    if (first.empty() || first.size() > 3) {
        return true;
    }
    while (!TakeFront(s, kGroupSeparators).empty()) {
        const std::string_view group = TakeDigits(s);
        if (group.size() != 3) {
            return false;
        }
        digits += group;
    }
    return true;
}

bool SplitNumber(std::string_view s, NumberParts& parts) {
    parts.negative = IsMinus(TakeFront(s, kSigns));
    if (!TakeIntegerDigits(s, parts.integerDigits)) {
        return false;
    }
    if (s.starts_with(',') || s.starts_with('.')) {
        s.remove_prefix(1);
        parts.fractionDigits = TakeDigits(s);
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        return false;
    }
    if (!TakeFront(s, kExponentLetters).empty()) {
        parts.exponentNegative = IsMinus(TakeFront(s, kSigns));
        parts.exponentDigits = TakeDigits(s);
    }
    return s.empty();
}

bool HasNonzeroDigit(std::string_view digits) {
    return digits.find_first_not_of('0') != std::string_view::npos;
}

// The written exponent, saturated far outside any floating-point range so
// that a huge one cannot overflow.
long long ExponentOf(const NumberParts& parts) {
    constexpr long long kSaturated = 1'000'000'000'000LL;
    long long exponent = 0;
    for (const char c : parts.exponentDigits) {
        exponent = std::min(kSaturated, exponent * 10 + (c - '0'));
    }
    return parts.exponentNegative ? -exponent : exponent;
}

}  // namespace

long double StrToFloat(std::string_view text) {
    std::string_view s = text;
    while (!TakeFront(s, kBlanks).empty()) {
    }
    while (TakeBack(s, kBlanks)) {
    }
    NumberParts parts;
    if (!SplitNumber(s, parts)) {
        throw EConvertError(QuoteForMessage(text) + " не является числом");
    }
    // Read exactly, the same on every platform: the C++ libraries' readers
    // differ (some read long double at double precision).
    const auto magnitude =
        DecimalToExtended(parts.integerDigits, parts.fractionDigits, ExponentOf(parts));
    if (!magnitude) {
        throw TooLargeError(text);
    }
    // A number that is not zero must not read as zero.
    if (*magnitude == 0 &&
        (HasNonzeroDigit(parts.integerDigits) || HasNonzeroDigit(parts.fractionDigits))) {
        throw TooSmallError(text);
    }
    return parts.negative ? -*magnitude : *magnitude;
}

EConvertError TooLargeError(std::string_view text) {
    return EConvertError{QuoteForMessage(text) + " — слишком большое число для пересчёта"};
}

EConvertError TooSmallError(std::string_view text) {
    return EConvertError{QuoteForMessage(text) + " — слишком близкое к нулю число для пересчёта"};
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
