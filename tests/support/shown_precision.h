// The precision a written number text stands for. FloatToStr rounds a value to
// as many significant digits as fit the field, then drops trailing zeros, so
// "0,86" stands for 0,8600000000: the dropped zeros count as shown digits, as
// far as the field would have held them.
#pragma once

#include <string_view>

namespace vantrel::stress {

struct ShownPrecision {
    int digits = 0;     // significant digits, dropped zeros included; 0 for "0"
    int lastPlace = 0;  // power of ten of the last of them
};

// For a text FloatToStr writes ("-1,5E-7", "860000", "0").
ShownPrecision PrecisionShown(std::string_view text);

// Half a unit in the last place shown: how far a correctly rounded text may
// be from the value it was written from. Zero for "0", which is written for
// zero alone.
long double HalfUnitShown(std::string_view text);

}  // namespace vantrel::stress
