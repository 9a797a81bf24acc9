// The rules every sheet obeys after a recalculation, checked from outside the
// engine: each field the user did not edit is empty or holds a number text the
// engine would write, converted from the source with the sheet's tables.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "sheets/sheet_catalogue.h"
#include "toolkit/field_host.h"

namespace vantrel::stress {

// A text the engine writes: FloatToStr of what it reads back as.
bool IsWrittenNumber(const std::string& text);

// Checks `sheet` after a successful recalculation from the field `source`
// holding `sourceText` (an empty `source`: the sheet was never recalculated,
// so every field must still be empty). Fields for which `skip` answers true
// are not checked. Returns the first fault found, empty when the sheet holds.
std::string CheckSheet(const SheetCatalogue& sheet, const FieldHost& host, std::string_view source,
                       const std::string& sourceText,
                       const std::function<bool(std::string_view)>& skip);

}  // namespace vantrel::stress
