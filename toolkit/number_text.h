// Number text as the value fields show it: ',' as decimal separator, 'E' as
// exponent letter, no thousands separators, whatever the machine's locale.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Reads a number text at extended precision. Accepts every text a user can
// type on the way to a number ("1E" and "1E-" read as 1, ",5" as 0.5, "-1E5"),
// a lower-case 'e', a '+' sign and spaces around the number. Refuses a text
// without a mantissa digit, and anything else, with EConvertError.
long double StrToFloat(std::string_view text);

// Writes a value rounded to 15 significant digits without trailing zeros:
// fixed notation for 1E-5 <= |x| < 1E15, otherwise "1,5E-7" / "2E20" style.
// Zero (of either sign) is "0". Every finite result reads back with
// StrToFloat to the same 15 digits.
std::string FloatToStr(long double value);

// 1-based position of the first occurrence of `sub` in `text`, 0 when absent;
// case-sensitive.
int AnsiPos(std::string_view sub, std::string_view text);

// A field text quoted for a message: at most its first 40 characters (UTF-8
// code points), with an ellipsis when it was longer.
std::string QuoteForMessage(std::string_view text);

}  // namespace vantrel
