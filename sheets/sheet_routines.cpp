#include "sheets/sheet_routines.h"

#include "core/sheet_engine.h"
#include "sheets/sheet_catalogue.h"

namespace vantrel {

// Tables are built afresh for every key release; nothing about a sheet
// persists between recalculations except the texts in its fields.
void RecalcVolumeFlow(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kVolumeFlow, host));
}
void RecalcSpecificHeat(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kSpecificHeat, host));
}
void RecalcHeatFlow(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kHeatFlow, host));
}
void RecalcHeat(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kHeat, host));
}
void RecalcForce(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kForce, host));
}
void RecalcPressure(const FieldHost& host) {
    RecalcSheet(host, MakeSheetTables(kPressure, host));
}

}  // namespace vantrel
