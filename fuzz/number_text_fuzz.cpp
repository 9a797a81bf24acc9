// Any byte string as a field text: StrToFloat either accepts it or raises
// EConvertError and nothing else; an accepted value written by FloatToStr has
// the fields' number form, fits a value field, is the value rounded to the
// digits the field holds and reads back to the same text. A number as
// documents write it (blanks around, grouped digits, '.', U+2212, Cyrillic
// Е) reads as the same number typed does, or is refused as it is, by this
// file's own grammar.
// The same bytes also exercise AnsiPos and the message quote.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/shown_precision.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"

namespace {

using vantrel::EConvertError;

[[noreturn]] void Fail(const char* what, std::string_view text, const std::string& detail) {
    std::fprintf(stderr, "number text fault: %s\n  input: \"%.*s\"\n  detail: %s\n", what,
                 static_cast<int>(text.size()), text.data(), detail.c_str());
    std::abort();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The written form: [-]d[,ddd][E[-]d...] with no trailing fraction zeros, or "0".
bool HasWrittenForm(std::string_view s) {
    if (s == "0") {
        return true;
    }
    std::size_t i = s.starts_with('-') ? 1 : 0;
    const std::size_t mantissaStart = i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    if (i == mantissaStart || (s[mantissaStart] == '0' && i - mantissaStart > 1)) {
        return false;
    }
    if (i < s.size() && s[i] == ',') {
        const std::size_t fractionStart = ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        if (i == fractionStart || s[i - 1] == '0') {
            return false;
        }
    }
    if (i < s.size() && s[i] == 'E') {
        ++i;
        if (i < s.size() && s[i] == '-') {
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        if (i == exponentStart || s[exponentStart] == '0') {
            return false;
        }
    }
    return i == s.size();
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Structural UTF-8 check (lead byte and continuation bytes); enough to tell a
// quote cut through the middle of a character.
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(s[i]));
        if (length == 0 || i + length > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

void CheckRoundTrip(std::string_view text, long double value) {
    bool hasDigit = false;
    for (char c : text) {
        hasDigit = hasDigit || IsDigit(c);
    }
    if (!hasDigit) {
        Fail("accepted a text without a digit", text, {});
    }
    if (!std::isfinite(value)) {
        Fail("accepted a text as a value that is not finite", text, {});
    }
    const std::string written = vantrel::FloatToStr(value);
    if (!HasWrittenForm(written)) {
        Fail("FloatToStr wrote a text outside the fields' number form", text, written);
    }
    long double readBack = 0;
    try {
        readBack = vantrel::StrToFloat(written);
    } catch (const EConvertError&) {
        Fail("FloatToStr wrote a text StrToFloat refuses", text, written);
    }
    const std::string rewritten = vantrel::FloatToStr(readBack);
    if (rewritten != written) {
        Fail("written text does not read back to the same text", text,
             written + " -> " + rewritten);
    }
    if (vantrel::NumberTextWidth(written) > vantrel::kNumberTextBudget) {
        Fail("written text is wider than a value field", text, written);
    }
    // Within half a unit of the last digit the field holds, plus the rounding
    // of both texts to extended precision: 2^-64 of the value each, or half
    // the smallest subnormal each, which is more below 2^-16382.
    const long double roundOff =
        1e-18L * std::fabs(value) + std::numeric_limits<long double>::denorm_min();
    if (std::fabs(readBack - value) > vantrel::stress::HalfUnitShown(written) + roundOff) {
        Fail("written text is not the value rounded to the digits the field holds", text, written);
    }
    // At least 7 significant digits (6 for a negative value) while the
    // exponent has two digits at most.
    const auto shown = vantrel::stress::PrecisionShown(written);
    const int leading = shown.lastPlace + shown.digits - 1;
    const int kept = value < 0 ? 6 : 7;
    if (std::abs(leading) < 100 &&
        std::fabs(readBack - value) > 0.5L * std::pow(10.0L, leading - kept + 1) + roundOff) {
        Fail("written text keeps fewer significant digits than it must", text, written);
    }
}

// Stand-ins for the characters of pasted numbers the typed form has not: a
// blank that may also separate digit groups, a blank only, a separator only.
constexpr char kBlankOrGroup = '\x01';
constexpr char kBlankOnly = '\x02';
constexpr char kGroupOnly = '\x03';
constexpr std::string_view kStandIns = "\x01\x02\x03";
constexpr std::string_view kBlanks = "\x01\x02";
constexpr std::string_view kGroupSeparators = "\x01\x03";

constexpr std::pair<std::string_view, char> kReplaced[] = {
    {" ", kBlankOrGroup},   {"\u00A0", kBlankOrGroup}, {"\u202F", kBlankOrGroup},
    {"\u2009", kGroupOnly}, {"\t", kBlankOnly},        {"\r", kBlankOnly},
    {"\n", kBlankOnly},     {"\u2212", '-'},           {"e", 'E'},
    {"\u0415", 'E'},        {"\u0435", 'E'},
};

// The number as a user types it: blanks around dropped, digit groups of the
// integer part joined, '.' made ',', U+2212 made '-', 'e', 'Е' and 'е' made
// 'E'. Nothing when it cannot be a number: groups not by threes, or both ','
// and '.'.
std::optional<std::string> TypedForm(std::string_view text) {
    std::string s;
    for (std::size_t i = 0; i < text.size();) {
        const auto* found =
            std::find_if(std::begin(kReplaced), std::end(kReplaced),
                         [&](const auto& p) { return text.substr(i).starts_with(p.first); });
        s += found != std::end(kReplaced) ? found->second : text[i];
        i += found != std::end(kReplaced) ? found->first.size() : 1;
    }
    s.erase(0, std::min(s.size(), s.find_first_not_of(kBlanks)));
    s.erase(s.find_last_not_of(kBlanks) + 1);
    if (s.find(',') != std::string::npos && s.find('.') != std::string::npos) {
        return std::nullopt;
    }
    std::replace(s.begin(), s.end(), '.', ',');
    const std::size_t start = s.starts_with('-') || s.starts_with('+') ? 1 : 0;
    const std::size_t end = std::min(
        s.size(), s.find_first_not_of(std::string("0123456789").append(kGroupSeparators), start));
    // Plain digits, or groups of three after a first group of one to three.
    std::string integer;
    std::string_view run = std::string_view(s).substr(start, end - start);
    for (bool first = true;; first = false) {
        const std::size_t cut = std::min(run.size(), run.find_first_of(kGroupSeparators));
        const std::string_view group = run.substr(0, cut);
        const bool plain = first && cut == run.size();
        if (!plain && (first ? group.empty() || group.size() > 3 : group.size() != 3)) {
            return std::nullopt;
        }
        integer += group;
        if (cut == run.size()) {
            break;
        }
        run.remove_prefix(cut + 1);
    }
    return s.substr(0, start) + integer + s.substr(end);
}

void CheckQuote(std::string_view text) {
    const std::string quote = vantrel::QuoteForMessage(text);
    if (IsUtf8(text) && !IsUtf8(quote)) {
        Fail("the message quote cuts a character", text, quote);
    }
    if (!quote.starts_with("«") || !quote.ends_with("»")) {
        Fail("the message quote is not in guillemets", text, quote);
    }
}

void CheckAnsiPos(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const std::size_t subLength = static_cast<unsigned char>(bytes[0]) % 8;
    const std::string_view rest = bytes.substr(1);
    const std::string_view sub = rest.substr(0, subLength);
    const std::string_view text = rest.substr(sub.size());
    const auto at = text.find(sub);
    const int expected = at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
    if (!sub.empty() && vantrel::AnsiPos(sub, text) != expected) {
        Fail("AnsiPos disagrees with a plain search", bytes, std::to_string(expected));
    }
}

// The value read, or nothing for a refused text.
std::optional<long double> Read(std::string_view text) {
    try {
        return vantrel::StrToFloat(text);
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

void CheckPastedForm(std::string_view text, std::optional<long double> pasted) {
    if (text.find_first_of(kStandIns) != std::string_view::npos) {
        return;
    }
    const auto typed = TypedForm(text);
    const auto expected = typed ? Read(*typed) : std::nullopt;
    if (pasted.has_value() != expected.has_value() ||
        (pasted && (*pasted != *expected || std::signbit(*pasted) != std::signbit(*expected)))) {
        Fail("a pasted number reads otherwise than typed", text, typed.value_or("(no number)"));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = Read(text);
    if (value) {
        CheckRoundTrip(text, *value);
    }
    CheckPastedForm(text, value);
    CheckQuote(text);
    CheckAnsiPos(text);
    return 0;
}
