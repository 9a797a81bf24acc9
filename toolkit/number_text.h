// Number text as the value fields show it: ',' as decimal separator, 'E' as
// exponent letter, no thousands separators, whatever the machine's locale.
// Reading also takes the forms a pasted number comes in.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/exceptions.h"

namespace vantrel {

// Reads a number text at extended precision. Accepts every text a user can
// type on the way to a number ("1E" and "1E-" read as 1, ",5" as 0.5, "-1E5"),
// and numbers as documents and spreadsheets write them, which reach a field
// by pasting: blanks around (spaces, tabs, no-break spaces, line breaks),
// integer digits grouped by threes ("1 000 000", with U+00A0, U+202F or
// U+2009 as well), '.' as the decimal separator in a text without ',', the
// minus sign U+2212, a '+' sign, and 'e' or a Cyrillic 'Е' or 'е' as the
// exponent letter. Refuses a text without a mantissa digit, one with both ','
// and '.', and anything else, with EConvertError; so it does a number beyond
// the range of long double, or one that is not zero but would read as zero.
long double StrToFloat(std::string_view text);

// The errors for a value too large or too small to convert, quoting the
// field's text. Each has one wording, whether the text itself is out of range
// or its value in a base unit is.
EConvertError TooLargeError(std::string_view text);
EConvertError TooSmallError(std::string_view text);

// How wide a number text is drawn, in hundredths of the width of a digit of
// the window font (DejaVu Sans Bold at 13 design pixels), whose ten digits all
// share one width. The other characters were measured against a digit with
// Qt at every density from 72 to 288 ppi, as the font lays them out and
// rounded to whole pixels each: 'E' 0.98 (1 rounded), ',' 0.55 (up to 4/7
// rounded), '-' 0.60 (up to 4/6 rounded). Each weight is the widest of these,
// rounded up, so a text never draws wider than its weight says.
inline constexpr int kDigitWidth = 100;
inline constexpr int kExponentLetterWidth = 100;
inline constexpr int kCommaWidth = 60;
inline constexpr int kMinusWidth = 67;
// Any other character ("NAN", "INF") weighs one and a half digits, more than
// the widest capital letter of the font.
inline constexpr int kOtherCharacterWidth = 150;

// The widest number text a value field shows whole. A field's text area (its
// 121 design pixels less frame and margins) holds 11.68 digits at 79 ppi, the
// tightest of all densities from 72 to 288; 11.79 at 88 (and 176 and 264,
// which Qt draws as 88 at a whole-number pixel ratio), 11.84 at 80, 11.87 at
// 72, and 11.9 to 13.3 elsewhere (the font's size is rounded to whole
// pixels, so its width against the field's varies). So a positive number
// keeps 11 digits with its comma, a negative one 10.
inline constexpr int kNumberTextBudget = 1160;

// The width of `text` in the weights above.
int NumberTextWidth(std::string_view text);

// Writes a value as a value field shows it, no wider than kNumberTextBudget:
// rounded once, correctly, to as many significant digits as fit, in fixed
// notation ("-0,0123", "860000") or exponent notation ("1,5E-7", "2E20"),
// whichever shows more significant digits; on a tie, fixed notation from 1E-5
// up. Integer digits and the exponent are never cut: a value whose integer
// digits do not fit is written with an exponent. A value whose exponent has at
// most two digits keeps at least 7 significant digits (6 when negative).
// Trailing zeros are dropped after rounding, zero of either sign is "0", and
// infinities and NaN are "INF", "-INF" and "NAN". Every finite result reads
// back with StrToFloat to a value that is written as the same text.
std::string FloatToStr(long double value);

// 1-based position of the first occurrence of `sub` in `text`, 0 when absent;
// case-sensitive.
int AnsiPos(std::string_view sub, std::string_view text);

// A field text quoted for a message: at most its first 40 characters (UTF-8
// code points), with an ellipsis when it was longer.
std::string QuoteForMessage(std::string_view text);

}  // namespace vantrel
