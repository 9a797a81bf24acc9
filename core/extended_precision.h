// The engine computes its results in 80-bit extended precision, which holds
// only while the x87 unit rounds to 64 bits of mantissa, to nearest. A Windows
// program shares its thread with code it did not write (an input method, a
// screen reader's hook, a graphics driver), and a DLL among them may set the
// unit to 53 bits: results would then silently be computed at double
// precision. A recalculation holds an ExtendedPrecision while it computes its
// results, and the unit goes back to what it was when it ends. It writes them
// only afterwards: writing a field runs such code at once.
#pragma once

namespace vantrel {

#if defined(__i386__) || defined(__x86_64__)

class ExtendedPrecision {
public:
    ExtendedPrecision() : saved_(ControlWord()) {
        // Precision control (bits 8-9) 64 bits, rounding control (bits 10-11)
        // to nearest; the exception masks stay as they are.
        constexpr unsigned kPrecisionAndRounding = 0x0F00;
        constexpr unsigned kSixtyFourBitsToNearest = 0x0300;
        SetControlWord(static_cast<unsigned short>((saved_ & ~kPrecisionAndRounding) |
                                                   kSixtyFourBitsToNearest));
    }
    ~ExtendedPrecision() { SetControlWord(saved_); }
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

    static unsigned short ControlWord() {
        // Not const: fnstcw stores into it, which clang-tidy cannot see.
        unsigned short word = 0;  // NOLINT(misc-const-correctness)
        __asm__ volatile("fnstcw %0" : "=m"(word));
        return word;
    }
    static void SetControlWord(unsigned short word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

private:
    unsigned short saved_;
};

#else

// No x87 unit: long double arithmetic is what the platform makes it.
class ExtendedPrecision {};

#endif

}  // namespace vantrel
