#include "toolkit/decimal_to_extended.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace vantrel {

namespace {

using Extended = std::numeric_limits<long double>;
// The rounding below produces the x87 extended format: a 64-bit mantissa with
// an explicit leading bit, values below 2^16384, subnormals down to 2^-16445.
// Converting the 64-bit mantissa to long double must be exact for that.
static_assert(Extended::digits == 64 && Extended::max_exponent == 16384 &&
                  Extended::min_exponent == -16381,
              "long double must be the 80-bit x87 extended format");

constexpr int kMantissaBits = Extended::digits;
constexpr long long kHighestLeadingBit = Extended::max_exponent - 1;
constexpr long long kLowestBit = Extended::min_exponent - 1 - (kMantissaBits - 1);

// A leading digit at 10^4933 or above is beyond the largest finite value; one
// below 10^-4951 is below half the smallest subnormal (2^-16446 = 1.8E-4951)
// and rounds to zero. Inside these bounds the numbers stay a few thousand
// digits long.
constexpr long long kHighestLeadingDigit = Extended::max_exponent10;
constexpr long long kLowestLeadingDigit = -4951;

// The longest halfway point between two long doubles, (2^65-1) * 2^-16446,
// has 11,515 significant digits. Digits after this many can only tell whether
// the value lies above a halfway point that the kept digits hit exactly, so
// they count as one "something follows" bit: every input is rounded correctly
// while the arithmetic never grows past a few thousand 32-bit words.
constexpr std::size_t kMaxSignificantDigits = 11'520;

// An unsigned integer as large as the conversion needs.
class Natural {
public:
    explicit Natural(std::uint32_t value) {
        if (value != 0) {
            limbs_.push_back(value);
        }
    }

    void MultiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry));
        }
    }

    void ShiftLeft(std::size_t bits) {
        if (limbs_.empty()) {
            return;
        }
        const auto part = static_cast<unsigned>(bits % 32);
        if (part != 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t out = limb >> (32 - part);
                limb = (limb << part) | carry;
                carry = out;
            }
            if (carry != 0) {
                limbs_.push_back(carry);
            }
        }
        limbs_.insert(limbs_.begin(), bits / 32, 0);
    }

    // Subtracts a number not larger than this one.
    void Subtract(const Natural& smaller) {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < limbs_.size(); ++i) {
            const std::uint64_t taken =
                std::uint64_t{i < smaller.limbs_.size() ? smaller.limbs_[i] : 0U} + borrow;
            borrow = limbs_[i] < taken ? 1 : 0;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - taken);
        }
        while (!limbs_.empty() && limbs_.back() == 0) {
            limbs_.pop_back();
        }
    }

    std::size_t BitLength() const {
        return limbs_.empty() ? 0
                              : (limbs_.size() - 1) * 32 +
                                    static_cast<std::size_t>(std::bit_width(limbs_.back()));
    }
    bool IsZero() const { return limbs_.empty(); }

    friend std::strong_ordering operator<=>(const Natural& a, const Natural& b) {
        if (a.limbs_.size() != b.limbs_.size()) {
            return a.limbs_.size() <=> b.limbs_.size();
        }
        return std::lexicographical_compare_three_way(a.limbs_.rbegin(), a.limbs_.rend(),
                                                      b.limbs_.rbegin(), b.limbs_.rend());
    }

private:
    std::vector<std::uint32_t> limbs_;  // least significant first, no zero on top
};

void MultiplyByPowerOfFive(Natural& number, long long power) {
    constexpr std::uint32_t kFiveToThe13 = 1'220'703'125;
    for (; power >= 13; power -= 13) {
        number.MultiplyAdd(kFiveToThe13, 0);
    }
    std::uint32_t rest = 1;
    for (; power > 0; --power) {
        rest *= 5;
    }
    number.MultiplyAdd(rest, 0);
}

// The integer and fraction digits read as one run of digits.
class DigitRun {
public:
    DigitRun(std::string_view integer, std::string_view fraction)
        : integer_(integer), fraction_(fraction) {}
    std::size_t size() const { return integer_.size() + fraction_.size(); }
    std::uint32_t operator[](std::size_t i) const {
        const char digit = i < integer_.size() ? integer_[i] : fraction_[i - integer_.size()];
        return static_cast<std::uint32_t>(digit - '0');
    }

private:
    std::string_view integer_;
    std::string_view fraction_;
};

}  // namespace

std::optional<long double> DecimalToExtended(std::string_view integerDigits,
                                             std::string_view fractionDigits, long long exponent) {
    const DigitRun digits(integerDigits, fractionDigits);
    std::size_t first = 0;
    while (first < digits.size() && digits[first] == 0) {
        ++first;
    }
    if (first == digits.size()) {
        return 0.0L;
    }
    std::size_t last = digits.size() - 1;
    while (digits[last] == 0) {
        --last;
    }

    // Saturated far outside the range, so that no sum below can overflow.
    constexpr long long kSaturated = 1'000'000'000'000'000LL;
    exponent = std::clamp(exponent, -kSaturated, kSaturated);
    const long long leadingDigit =
        exponent + static_cast<long long>(integerDigits.size()) - 1 - static_cast<long long>(first);
    if (leadingDigit > kHighestLeadingDigit) {
        return std::nullopt;
    }
    if (leadingDigit < kLowestLeadingDigit) {
        return 0.0L;
    }

    const std::size_t kept = std::min(last - first + 1, kMaxSignificantDigits);
    const bool digitsDropped = kept < last - first + 1;  // the last digit, at least, is not 0
    Natural numerator(0);
    for (std::size_t i = first; i < first + kept;) {
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (int n = 0; n < 9 && i < first + kept; ++n, ++i) {
            chunk = chunk * 10 + digits[i];
            scale *= 10;
        }
        numerator.MultiplyAdd(scale, chunk);
    }

    // value = numerator * 10^decimalScale = numerator * 5^decimalScale * 2^decimalScale,
    // kept as the exact fraction numerator / denominator times a power of two.
    const long long decimalScale = leadingDigit - static_cast<long long>(kept - 1);
    Natural denominator(1);
    MultiplyByPowerOfFive(decimalScale >= 0 ? numerator : denominator,
                          decimalScale >= 0 ? decimalScale : -decimalScale);
    long long leadingBit = decimalScale;
    const std::size_t numeratorBits = numerator.BitLength();
    const std::size_t denominatorBits = denominator.BitLength();
    if (numeratorBits >= denominatorBits) {
        denominator.ShiftLeft(numeratorBits - denominatorBits);
        leadingBit += static_cast<long long>(numeratorBits - denominatorBits);
    } else {
        numerator.ShiftLeft(denominatorBits - numeratorBits);
        leadingBit -= static_cast<long long>(denominatorBits - numeratorBits);
    }
    if (numerator < denominator) {
        numerator.ShiftLeft(1);
        --leadingBit;
    }
    // Now 1 <= numerator / denominator < 2 and value = that * 2^leadingBit.
    if (leadingBit > kHighestLeadingBit) {
        return std::nullopt;
    }

    // A normal value keeps 64 bits, a subnormal its bits down to 2^-16445;
    // below half the smallest subnormal a value rounds to zero.
    const long long precision = std::min<long long>(kMantissaBits, leadingBit - kLowestBit + 1);
    if (precision < 0) {
        return 0.0L;
    }
    auto nextBit = [&numerator, &denominator]() -> std::uint64_t {
        const bool one = numerator >= denominator;
        if (one) {
            numerator.Subtract(denominator);
        }
        numerator.ShiftLeft(1);
        return one ? 1 : 0;
    };
    std::uint64_t mantissa = 0;
    for (long long i = 0; i < precision; ++i) {
        mantissa = (mantissa << 1) | nextBit();
    }
    const bool half = nextBit() == 1;
    const bool beyondHalf = digitsDropped || !numerator.IsZero();
    auto lowestBit = static_cast<int>(leadingBit - precision + 1);
    if (half && (beyondHalf || (mantissa & 1) == 1)) {
        ++mantissa;
        if (mantissa == 0) {  // carried out of 64 bits: the next power of two
            mantissa = std::uint64_t{1} << (kMantissaBits - 1);
            ++lowestBit;
            if (leadingBit + 1 > kHighestLeadingBit) {
                return std::nullopt;
            }
        }
    }
    // Exact: the mantissa fits the format and the result is representable.
    return std::ldexp(static_cast<long double>(mantissa), lowestBit);
}

}  // namespace vantrel
