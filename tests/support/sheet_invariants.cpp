#include "tests/support/sheet_invariants.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "tests/support/shown_precision.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"

namespace vantrel::stress {

namespace {

// The engine rounds the source to a double in its base unit and each result
// to the digits its field holds; anything further off than half a unit of the
// last of those, and this share of the value for the double, is a wrong
// factor, scale or unit, not rounding.
constexpr long double kRelativeRoundOff = 1e-15L;

}  // namespace

bool IsWrittenNumber(const std::string& text) {
    try {
        return FloatToStr(StrToFloat(text)) == text;
    } catch (const EConvertError&) {
        return false;
    }
}

std::string CheckSheet(const SheetCatalogue& sheet, const FieldHost& host, std::string_view source,
                       const std::string& sourceText,
                       const std::function<bool(std::string_view)>& skip) {
    const CatalogueUnit* sourceUnit = nullptr;
    std::size_t sourceGroup = 0;
    for (std::size_t g = 0; g < sheet.groups.size(); ++g) {
        for (const CatalogueUnit& unit : sheet.groups[g].units) {
            if (unit.field == source) {
                sourceUnit = &unit;
                sourceGroup = g;
            }
        }
    }
    if (!source.empty() && sourceUnit == nullptr) {
        return std::string(source) + " is not a field of the " + std::string(sheet.quantity) +
               " sheet";
    }
    const bool expectEmpty = sourceUnit == nullptr || sourceText.empty();
    long double base = 0;
    if (!expectEmpty) {
        base = StrToFloat(sourceText) * sourceUnit->scale;
    }

    for (std::size_t g = 0; g < sheet.groups.size(); ++g) {
        for (const CatalogueUnit& unit : sheet.groups[g].units) {
            if (unit.field == source || skip(unit.field)) {
                continue;
            }
            const std::string text = host.Field(unit.field).GetText();
            // Named by field and unit, so a fault reads against a units handbook:
            // "heat flow sheet, Edt_QGW (GW of W) shows ... after Edt_Qkh (cal/h) = ...".
            auto fault = [&](const std::string& what) {
                const std::string sourceUnitName =
                    sourceUnit != nullptr ? " (" + std::string(sourceUnit->unit) + ")" : "";
                return std::string(sheet.quantity) + " sheet, " + std::string(unit.field) + " (" +
                       std::string(unit.unit) + " of " + std::string(sheet.groups[g].baseUnit) +
                       ") shows \"" + text + "\" after " + std::string(source) + sourceUnitName +
                       " = \"" + sourceText + "\": " + what;
            };
            if (expectEmpty) {
                if (!text.empty()) {
                    return fault("expected an empty field");
                }
                continue;
            }
            if (!IsWrittenNumber(text)) {
                return fault("not a number text the engine writes");
            }
            if (NumberTextWidth(text) > kNumberTextBudget) {
                return fault("wider than a value field shows");
            }
            // The field must serve as the next source: its value in its
            // group's base unit is zero or a normal double.
            const long double inBase = std::fabs(StrToFloat(text) * unit.scale);
            if (inBase > std::numeric_limits<double>::max() ||
                (inBase != 0 && inBase < std::numeric_limits<double>::min())) {
                return fault("a value no double holds in its base unit");
            }
            const long double expected = base * sheet.Factor(sourceGroup, g) / unit.scale;
            if (std::fabs(StrToFloat(text) - expected) >
                HalfUnitShown(text) + kRelativeRoundOff * std::fabs(expected)) {
                std::ostringstream value;
                value.precision(20);
                value << expected;
                return fault("expected " + value.str());
            }
        }
    }
    return {};
}

}  // namespace vantrel::stress
