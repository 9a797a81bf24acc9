// The engine computes every result in 80-bit extended precision, and the
// number reader builds its values from 64-bit mantissas. Both hold only while
// the x87 unit rounds to 64 bits; a runtime that sets it to 53 bits (as some
// Windows runtimes do) would silently compute at double precision. The
// program's own thread starts at 64 bits; under Wine a thread started with
// CreateThread begins at 53, so the engine stays on the program's thread.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace vantrel {
namespace {

TEST(ExtendedArithmetic, RunsAtSixtyFourBitsOfPrecision) {
    // volatile: computed by the processor at run time, never folded by the compiler.
    volatile long double one = 1.0L;
    volatile long double three = 3.0L;
    volatile long double epsilon = std::numeric_limits<long double>::epsilon();  // 2^-63
    volatile std::uint64_t mantissa = std::numeric_limits<std::uint64_t>::max();
    volatile int power = -64;

    EXPECT_EQ((one + epsilon) - one, epsilon);
    EXPECT_EQ(one / three, 1.0L / 3.0L);  // the constant is rounded to 64 bits by the compiler
    // How the reader puts a value together: 64 mantissa bits scaled by a power of two.
    EXPECT_EQ(std::ldexp(static_cast<long double>(mantissa), power),
              0.999999999999999999945789891375724778L);  // 1 - 2^-64
}

}  // namespace
}  // namespace vantrel
