// Any byte string as a field text: StrToFloat either accepts it or raises
// EConvertError and nothing else; an accepted value written by FloatToStr has
// the fields' number form, fits a value field, is the value rounded to the
// digits the field holds and reads back to the same text.
// The same bytes also exercise AnsiPos and the message quote.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    // of both texts to extended precision (2^-64 each).
    const long double roundOff = 1e-18L * std::fabs(value);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    long double value = 0;
    bool accepted = true;
    try {
        value = vantrel::StrToFloat(text);
    } catch (const EConvertError&) {
        accepted = false;
    }
    if (accepted) {
        CheckRoundTrip(text, value);
    }
    CheckQuote(text);
    CheckAnsiPos(text);
    return 0;
}
