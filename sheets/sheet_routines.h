// One routine per sheet, run from the key-up event of every field of that
// sheet: builds the sheet's tables afresh and recalculates it from the
// focused field.
#pragma once

#include "toolkit/field_host.h"

namespace vantrel {

void RecalcVolumeFlow(const FieldHost& host);
void RecalcSpecificHeat(const FieldHost& host);
void RecalcHeatFlow(const FieldHost& host);
void RecalcHeat(const FieldHost& host);
void RecalcForce(const FieldHost& host);
void RecalcPressure(const FieldHost& host);

}  // namespace vantrel
