// What a key press types, as the keystroke filter of a value field sees it.
#pragma once

#include <QString>

#include "toolkit/key_char.h"

class QKeyEvent;

namespace vantrel {

// The text a key press would insert into a single-line edit field, or an
// empty string when the key is an editing command that types nothing
// (cursor movement, Delete, clipboard and undo shortcuts, select all, Tab,
// Enter, Esc, Ctrl combinations). Backspace types the character 8, which
// the filter always lets through.
QString TypedText(const QKeyEvent& event);

}  // namespace vantrel
