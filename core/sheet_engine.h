// The one conversion routine every sheet goes through.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/field_host.h"

namespace vantrel {

// One sheet described for one recalculation. Units form groups that share a
// base unit and differ by a whole-number scale; a factor converts a value in
// one group's base unit into another group's base unit.
struct SheetTables {
    int n = 0;                                          // number of unit groups
    std::vector<std::int32_t> GroupSizes;               // members of each group
    std::vector<std::vector<ValueField*>> FieldGrid;    // [group][member]
    std::vector<std::vector<double>> GroupFactors;      // [from group][to group]
    std::vector<std::vector<std::int32_t>> UnitScales;  // [group][member], never 0
};

// Recalculates a sheet from the focused field of `host`: parses its text,
// converts the value into every other unit of the sheet and writes the
// results; an empty source empties every other field. The source field is
// never written. Does nothing when the focus is not on one of the sheet's
// fields, or when the focused field's text is still the one its sheet last
// agreed with (see ValueField::SettledText). A text that is not a number, or
// a value that a double cannot hold with all its digits in the base unit of
// any of the sheet's groups (beyond its range, or not zero and below its
// smallest normal value; as computed, or as its written text reads back),
// raises EConvertError before any field is written. The tables are taken by
// value and released on every way out.
void RecalcSheet(const FieldHost& host, SheetTables tables);

}  // namespace vantrel
