// Exact conversion of a decimal number to the nearest 80-bit extended value,
// the same on every platform: it relies on no library's reading of numbers.
#pragma once

#include <optional>
#include <string_view>

namespace vantrel {

// The magnitude of integerDigits,fractionDigits × 10^exponent rounded once to
// the nearest long double, ties to the even mantissa. The digit strings hold
// only '0'-'9' and may be empty (no digits read as zero); any exponent is
// accepted. A value too small for the smallest subnormal rounds to 0 (or to
// it); one that rounds beyond the largest finite long double has none.
// Correctly rounded for every input; the work stays bounded however many
// digits or however large an exponent a text holds.
std::optional<long double> DecimalToExtended(std::string_view integerDigits,
                                             std::string_view fractionDigits, long long exponent);

}  // namespace vantrel
