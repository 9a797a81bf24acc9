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

#include "core/extended_precision.h"
#include "sheets/sheet_routines.h"
#include "support/headless_window.h"

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

#if defined(__i386__) || defined(__x86_64__)
// As code the program did not write may leave the x87 unit, at 53 bits and
// rounding up (each alone changes a digit here): so before the recalculation
// (a DLL loaded into the program), or while the recalculation writes its
// first result (a hook handling the text change).
TEST(ExtendedArithmetic, ARecalculationRunsAtSixtyFourBitsWhateverTheUnitIsSetTo) {
    constexpr unsigned kPrecision = 0x0300;
    constexpr unsigned kRounding = 0x0C00;
    const unsigned short original = ExtendedPrecision::ControlWord();
    const auto fiftyThreeBitsUp =
        static_cast<unsigned short>((original & ~(kPrecision | kRounding)) | 0x0A00U);
    struct Case {
        const char* when;
        unsigned short before;        // the unit as the recalculation finds it
        unsigned short onFirstWrite;  // as the first result's write leaves it; 0: untouched
    };
    for (const Case& c : {Case{"set before", fiftyThreeBitsUp, 0},
                          Case{"set by a field's write", original, fiftyThreeBitsUp}}) {
        SCOPED_TRACE(c.when);
        HeadlessWindow window({"Edt_QGW", "Edt_QMW", "Edt_QkW", "Edt_QW", "Edt_QGkh", "Edt_QMkh",
                               "Edt_Qkkh", "Edt_Qkh"});
        window.Focus("Edt_Qkh");
        window.Edit("Edt_Qkh").Insert("351,509975");
        // ГВт is the first result written, Гкал/ч comes after it.
        if (c.onFirstWrite != 0) {
            window.Edit("Edt_QGW").OnWrite(
                [&] { ExtendedPrecision::SetControlWord(c.onFirstWrite); });
        }
        ExtendedPrecision::SetControlWord(c.before);
        RecalcHeatFlow(window);
        const unsigned short after = ExtendedPrecision::ControlWord();
        ExtendedPrecision::SetControlWord(original);
        // At 53 bits, or rounding up, the division crosses the eighth digit:
        // 3,5150998E-7.
        EXPECT_EQ(window.Text("Edt_QGkh"), "3,5150997E-7");
        EXPECT_EQ(window.Text("Edt_QGW"), "4,088061E-10");
        EXPECT_EQ(after, c.onFirstWrite != 0 ? c.onFirstWrite : c.before)
            << "the unit is left as the program found it";
    }
}
#endif

}  // namespace
}  // namespace vantrel
