// The six sheets as data: which units form groups, the scale of every unit
// within its group and the factors between the groups' base units.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/sheet_engine.h"
#include "toolkit/field_host.h"

namespace vantrel {

struct CatalogueUnit {
    std::string_view field;  // layout name of the value field
    std::string_view unit;   // plain notation, as a units handbook writes it
    std::int32_t scale;      // base units of the group in one of this unit
};

struct CatalogueGroup {
    std::string_view baseUnit;
    std::span<const CatalogueUnit> units;
};

struct SheetCatalogue {
    std::string_view quantity;
    std::span<const CatalogueGroup> groups;
    std::span<const double> factors;  // n x n, row-major: [from group][to group]

    double Factor(std::size_t from, std::size_t to) const {
        return factors[from * groups.size() + to];
    }
};

extern const SheetCatalogue kVolumeFlow;
extern const SheetCatalogue kSpecificHeat;
extern const SheetCatalogue kHeatFlow;
extern const SheetCatalogue kHeat;
extern const SheetCatalogue kForce;
extern const SheetCatalogue kPressure;

// The six sheets in the order of their tabs.
std::span<const SheetCatalogue* const> AllSheets();
// Layout names of all 50 value fields, sheet by sheet in catalogue order.
std::vector<std::string_view> AllFieldNames();

// Fresh tables for one recalculation, the fields resolved through `host`.
SheetTables MakeSheetTables(const SheetCatalogue& sheet, const FieldHost& host);

}  // namespace vantrel
