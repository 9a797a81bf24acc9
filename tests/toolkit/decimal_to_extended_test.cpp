// The exact reader behind StrToFloat, against values computed independently of
// it: the compiler's long double literals, halfway points built digit by digit
// from the binary values either side, and (on Linux) glibc's strtold.
#include "toolkit/decimal_to_extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"

namespace vantrel {
namespace {

struct LiteralCase {
    std::string text;  // as a user types it
    long double value;
};

// The literal's own digits, typed with a decimal comma, against the value g++
// gives the literal: it rounds long double literals correctly on every target.
#define TYPED_AS(literal)               \
    LiteralCase {                       \
        CommaText(#literal), literal##L \
    }

std::string CommaText(std::string text) {
    for (char& c : text) {
        c = c == '.' ? ',' : c;
    }
    return text;
}

TEST(ExtendedReader, ReadsTheNearestLongDoubleAsTheCompilerDoes) {
    const LiteralCase cases[] = {
        TYPED_AS(0.1),
        TYPED_AS(0.3),
        TYPED_AS(2.5e-3),
        TYPED_AS(1e400),
        TYPED_AS(1.1629999999999999999),
        TYPED_AS(3.14159265358979323846264338327950288419716939937510582097494459),
        TYPED_AS(9007199254740993.0),  // 2^53 + 1: lost at double precision
        TYPED_AS(123456789012345678901234567890.123456789),
        // Halfway between two long doubles: to the even mantissa; a trace above: up.
        TYPED_AS(1.0000000000000000000542101086242752217003726400434970855712890625),
        TYPED_AS(1.00000000000000000005421010862427522170037264004349708557128906250001),
        TYPED_AS(1.0000000000000000001626303258728256651011179201304912567138671875),
        TYPED_AS(18446744073709551617.0),
        TYPED_AS(18446744073709551619.0),
        TYPED_AS(36893488147419103231.0),  // rounds up into the next power of two
        // The ends of the range: largest finite, just below where it overflows,
        // smallest normal, subnormals, double's extremes.
        TYPED_AS(1.18973149535723176502e4932),
        TYPED_AS(1.189731495357231765053e4932),
        TYPED_AS(3.36210314311209350626e-4932),
        TYPED_AS(3.36210314311209350625e-4932),
        TYPED_AS(1e-4940),
        TYPED_AS(3.6451995318824746025e-4951),
        TYPED_AS(1.9e-4951),
        TYPED_AS(1.7976931348623157e308),
        TYPED_AS(4.9406564584124654e-324),
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(StrToFloat(text), value) << text;
        EXPECT_EQ(StrToFloat("-" + text), -value) << text;
    }
}

// The reader's value, infinity where it has none (as strtold and nextafter say).
long double Read(std::string_view integer, std::string_view fraction, long long exponent) {
    return DecimalToExtended(integer, fraction, exponent)
        .value_or(std::numeric_limits<long double>::infinity());
}

TEST(ExtendedReader, TooSmallReadsAsZeroAndTooLargeIsRefused) {
    EXPECT_EQ(Read("1", "8", -4951), 0.0L);  // just below half the smallest subnormal
    EXPECT_EQ(Read("1", "", -99999999999999), 0.0L);
    // A number that is not zero is never read as zero.
    EXPECT_THROW(StrToFloat("1,8E-4951"), EConvertError);
    EXPECT_THROW(StrToFloat("-1E-99999999999999999999"), EConvertError);
    EXPECT_THROW(StrToFloat("1,189731495357231765054E4932"), EConvertError);
    EXPECT_THROW(StrToFloat("1E4933"), EConvertError);
}

TEST(ExtendedReader, PastedMegabytesReadCorrectlyRounded) {
    const std::string megabyte(1 << 20, '9');
    EXPECT_EQ(StrToFloat(megabyte + "E-1048576"), 1.0L);  // 1 - 1E-1048576
    EXPECT_EQ(StrToFloat("0," + megabyte), 1.0L);
    EXPECT_EQ(StrToFloat("1" + std::string(1 << 20, '0') + "E-1048576"), 1.0L);
    EXPECT_EQ(Read("0", std::string(1 << 20, '0') + "1", 0), 0.0L);
}

// Decimal digits of the point halfway between mantissa * 2^power and the next
// long double up, (2 * mantissa + 1) * 2^(power - 1), as digits * 10^exponent.
struct DecimalText {
    std::string digits;
    long long exponent = 0;
};

DecimalText HalfwayAbove(std::uint64_t mantissa, int power) {
    constexpr std::uint32_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> limbs;  // base 10^9, least significant first
    for (std::uint64_t m = mantissa; m != 0; m /= kBase) {
        limbs.push_back(static_cast<std::uint32_t>(m % kBase));
    }
    auto multiplyAdd = [&limbs](std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs) {
            carry += std::uint64_t{limb} * factor;
            limb = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
        for (; carry != 0; carry /= kBase) {
            limbs.push_back(static_cast<std::uint32_t>(carry % kBase));
        }
    };
    multiplyAdd(2, 1);
    const int half = power - 1;  // 2^half, or 5^-half * 10^half when negative
    const std::uint32_t step = half >= 0 ? 1U << 29 : 1'220'703'125;  // 2^29, 5^13
    const int stepPower = half >= 0 ? 29 : 13;
    int left = std::abs(half);
    for (; left >= stepPower; left -= stepPower) {
        multiplyAdd(step, 0);
    }
    for (; left > 0; --left) {
        multiplyAdd(half >= 0 ? 2 : 5, 0);
    }
    DecimalText out{std::to_string(limbs.back()), half >= 0 ? 0 : half};
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string digits = std::to_string(*limb);
        out.digits += std::string(9 - digits.size(), '0') + digits;
    }
    return out;
}

TEST(ExtendedReader, HalfwayPointsRoundToEvenAndATraceAwayDecides) {
    struct Neighbours {
        std::uint64_t mantissa;
        int power;
    };
    constexpr int kLowest = -16445;  // the smallest subnormal is 2^-16445
    std::vector<Neighbours> cases = {
        {0, kLowest},                                        // half the smallest subnormal
        {1, kLowest},                                        // between subnormals
        {(std::uint64_t{1} << 63) - 1, kLowest},             // into the smallest normal
        {std::numeric_limits<std::uint64_t>::max(), 0},      // into the next power of two
        {std::numeric_limits<std::uint64_t>::max(), 16320},  // beyond the largest finite
    };
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<int> power(kLowest, 16320);
    for (int i = 0; i < 200; ++i) {
        const std::uint64_t bits = random();
        cases.push_back({i % 10 == 0 ? bits >> 1 : bits | std::uint64_t{1} << 63,
                         i % 10 == 0 ? kLowest : power(random)});
    }
    for (const auto& [mantissa, p] : cases) {
        const long double below = std::ldexp(static_cast<long double>(mantissa), p);
        const long double above =
            std::nextafter(below, std::numeric_limits<long double>::infinity());
        const DecimalText tie = HalfwayAbove(mantissa, p);
        const std::string where = std::to_string(mantissa) + " * 2^" + std::to_string(p);

        EXPECT_EQ(Read(tie.digits, "", tie.exponent), mantissa % 2 == 0 ? below : above) << where;
        std::string under = tie.digits + "0000";  // minus one unit in the last place
        auto digit = under.rbegin();
        for (; *digit == '0'; ++digit) {
            *digit = '9';
        }
        --*digit;
        EXPECT_EQ(Read(under, "", tie.exponent - 4), below) << where;
        EXPECT_EQ(Read(tie.digits, "0001", tie.exponent), above) << where;
    }
}

#ifdef __GLIBC__
TEST(ExtendedReader, AgreesWithGlibcOnRandomDigitStrings) {
    std::mt19937_64 random(4932);
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-5000, 5000);
    for (int i = 0; i < 20000; ++i) {
        std::string digits;
        for (int n = i % 100 == 0 ? 2000 : length(random); n > 0; --n) {
            digits += static_cast<char>('0' + digit(random));
        }
        const int e = exponent(random);
        const std::string text = digits + "E" + std::to_string(e);
        ASSERT_EQ(Read(digits, "", e), std::strtold(text.c_str(), nullptr)) << text;
    }
}
#endif

}  // namespace
}  // namespace vantrel
