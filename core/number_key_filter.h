// Judges each character typed into a value field so that its text stays a
// number text: digits, one ',' one 'E' and a '-' for the exponent.
#pragma once

#include "toolkit/field_host.h"

namespace vantrel {

// Lets `key` through, changes it ('.' to ',', 'e' to 'E') or sets it to 0,
// which tells the field to insert nothing. Looks only at the character and at
// the whole text of the focused field, never at the caret or the selection.
// Characters are compared as signed 8-bit values, so everything of code 128
// or above is discarded.
void FilterNumberKey(const FieldHost& host, char& key);

}  // namespace vantrel
