// The case table of the texts a sheet shows: which text was typed into which
// field, and the text every field of that sheet shows afterwards. The table is
// a data file written by the Linux build and checked on every platform, so
// that each build shows exactly the texts the others show.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "sheets/sheet_catalogue.h"

namespace vantrel {

struct SheetTextRow {
    std::string typed;
    std::string source;              // layout name of the field typed into
    std::vector<std::string> shown;  // one text per field of the sheet, in catalogue order
};

struct SheetTextBlock {
    std::string sheet;                // the catalogue's quantity
    std::vector<std::string> fields;  // layout names, in catalogue order
    std::vector<SheetTextRow> rows;
};

// Layout names of a sheet's fields, group by group.
std::vector<std::string> SheetFields(const SheetCatalogue& sheet);

// What this build shows in every field of `sheet` after `typed` is typed into
// the empty field `source`.
std::vector<std::string> ShownAfterTyping(const SheetCatalogue& sheet, std::string_view source,
                                          std::string_view typed);

// The table this build writes: a few typed values, every field of every sheet
// as the source.
std::vector<SheetTextBlock> ComputeSheetTexts();

std::string FormatSheetTexts(const std::vector<SheetTextBlock>& blocks);
// Throws std::runtime_error naming the line of a malformed table.
std::vector<SheetTextBlock> ParseSheetTexts(std::istream& in);

}  // namespace vantrel
