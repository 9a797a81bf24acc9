#include "core/sheet_engine.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/extended_precision.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"

namespace vantrel {

namespace {

// Results are computed in extended precision, with no rounding to double
// between the factor and the scale: x87's 80-bit format on every platform the
// program is built for (Linux and MinGW alike).
static_assert(std::numeric_limits<long double>::digits == 64,
              "the conversions rely on long double's 64-bit mantissa");

constexpr long double kLargest = std::numeric_limits<double>::max();
constexpr long double kSmallest = std::numeric_limits<double>::min();  // the smallest normal

// Whether a double holds a value in a base unit with every digit a field shows.
enum class Range : std::uint8_t { kHeld, kTooLarge, kTooSmall };

Range RangeOf(long double inBaseUnit) {
    const long double magnitude = std::fabs(inBaseUnit);
    if (magnitude > kLargest) {
        return Range::kTooLarge;
    }
    return magnitude != 0 && magnitude < kSmallest ? Range::kTooSmall : Range::kHeld;
}

void CheckShape(const SheetTables& t) {
    const auto n = static_cast<std::size_t>(t.n);
    bool ok = t.n > 0 && t.GroupSizes.size() == n && t.FieldGrid.size() == n &&
              t.GroupFactors.size() == n && t.UnitScales.size() == n;
    for (std::size_t g = 0; ok && g < n; ++g) {
        const auto size = static_cast<std::size_t>(t.GroupSizes[g]);
        ok = t.GroupSizes[g] > 0 && t.FieldGrid[g].size() == size &&
             t.UnitScales[g].size() == size && t.GroupFactors[g].size() == n;
        for (std::size_t m = 0; ok && m < size; ++m) {
            ok = t.UnitScales[g][m] != 0 && t.FieldGrid[g][m] != nullptr;
        }
    }
    if (!ok) {
        throw std::invalid_argument("sheet tables are inconsistent");
    }
}

// The texts of a recalculation's results, in the order of the fields they go
// into; computed whole before the first is written.
struct Result {
    ValueField* field;
    std::string text;
};

// Converts the source's `text` (group `c`, member `b`) into every other field
// of the sheet, or raises EConvertError. Runs under the caller's
// ExtendedPrecision and calls nothing outside the program.
std::vector<Result> Convert(const SheetTables& tables, const std::string& text, std::size_t c,
                            std::size_t b);

}  // namespace

void RecalcSheet(const FieldHost& host, SheetTables tables) {
    CheckShape(tables);
    ValueField* const source = host.FocusedField();
    const auto n = static_cast<std::size_t>(tables.n);

    // The whole grid is scanned: the source is wherever the focused field is.
    bool found = false;
    std::size_t c = 0;
    std::size_t b = 0;
    for (std::size_t g = 0; g < n; ++g) {
        for (std::size_t m = 0; m < tables.FieldGrid[g].size(); ++m) {
            if (source != nullptr && tables.FieldGrid[g][m] == source) {
                found = true;
                c = g;
                b = m;
            }
        }
    }
    if (!found) {
        return;  // the focus is not on this sheet: there is nothing to convert from
    }

    // A key release that changed nothing (Tab into a result, an arrow, Shift,
    // a copy) leaves the sheet alone: the factors between groups are not
    // exact reciprocals, so converting from a result would replace the value
    // the user typed with a slightly different one. A refused text is
    // settled too, so it is reported once; its next edit is judged afresh.
    const std::string text = source->GetText();
    if (text == source->SettledText()) {
        return;
    }
    source->Settle(text);
    if (text.empty()) {
        for (const auto& row : tables.FieldGrid) {
            for (ValueField* field : row) {
                if (field != source) {
                    field->SetText({});
                }
            }
        }
        return;
    }

    // Every result is computed before the first is written. Writing a field
    // runs code outside the program on this thread (accessibility hooks, an
    // input method, a screen reader's helper handle the text change at once),
    // and any of it may leave the x87 unit at another precision or rounding;
    // so writing comes only once the guard is given back, with every digit
    // already decided.
    std::vector<Result> results;
    {
        const ExtendedPrecision precision;
        results = Convert(tables, text, c, b);
    }
    for (const Result& result : results) {
        result.field->SetText(result.text);
    }
}

namespace {

std::vector<Result> Convert(const SheetTables& tables, const std::string& text, std::size_t c,
                            std::size_t b) {
    const auto n = static_cast<std::size_t>(tables.n);
    // Parse before writing anything, so a refused text leaves the sheet as it was.
    // The source value in its group's base unit is held as a double, with
    // all its digits: a subnormal one keeps fewer than a field shows.
    const long double inBaseUnit = StrToFloat(text) * tables.UnitScales[c][b];
    if (const Range range = RangeOf(inBaseUnit); range != Range::kHeld) {
        throw range == Range::kTooLarge ? TooLargeError(text) : TooSmallError(text);
    }
    const auto v = static_cast<double>(inBaseUnit);

    // Every field written must serve as a source in its turn: a result whose
    // value in its own base unit a double cannot hold is refused like the
    // source itself, before any field changes; so is one whose written text,
    // rounded to the digits the field shows, reads back as such a value.
    // Rounding to even a single significant digit changes a value by at most
    // a third either way, so only results above half the largest double or
    // below twice the smallest need their texts read back.
    const auto rangeOfResults = [&](std::size_t j) {
        const long double inGroupBase = static_cast<long double>(v) * tables.GroupFactors[c][j];
        const long double magnitude = std::fabs(inGroupBase);
        if (RangeOf(inGroupBase) != Range::kHeld || magnitude == 0 ||
            (magnitude >= 2 * kSmallest && magnitude <= kLargest / 2)) {
            return RangeOf(inGroupBase);
        }
        for (std::size_t k = 0; k < tables.FieldGrid[j].size(); ++k) {
            const auto scale = tables.UnitScales[j][k];
            if (j == c && k == b) {
                continue;
            }
            if (const Range range = RangeOf(StrToFloat(FloatToStr(inGroupBase / scale)) * scale);
                range != Range::kHeld) {
                return range;
            }
        }
        return Range::kHeld;
    };
    for (std::size_t j = 0; j < n; ++j) {
        if (const Range range = rangeOfResults(j); range != Range::kHeld) {
            throw range == Range::kTooLarge ? TooLargeError(text) : TooSmallError(text);
        }
    }

    std::vector<Result> results;
    for (std::size_t j = 0; j < n; ++j) {
        for (std::size_t k = 0; k < tables.FieldGrid[j].size(); ++k) {
            if (j == c && k == b) {
                continue;
            }
            // Extended precision from left to right, no rounding to double between.
            const long double r =
                static_cast<long double>(v) * tables.GroupFactors[c][j] / tables.UnitScales[j][k];
            results.push_back({tables.FieldGrid[j][k], FloatToStr(r)});
        }
    }
    return results;
}

}  // namespace

}  // namespace vantrel
