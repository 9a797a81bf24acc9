// What a key press types, as the keystroke filter of a value field sees it.
#pragma once

#include <QString>

class QKeyEvent;

namespace vantrel {

// The text a key press would insert into a single-line edit field, or an
// empty string when the key is an editing command that types nothing
// (cursor movement, Delete, clipboard and undo shortcuts, select all, Tab,
// Enter, Esc, Ctrl combinations). Backspace types the character 8, which
// the filter always lets through.
QString TypedText(const QKeyEvent& event);

// One typed character as an 8-bit character: ASCII as is, a Cyrillic letter
// as its Windows-1251 code, anything else as a code of 128 or more that is
// no character of that code page. Codes of 128 and above are negative as a
// signed char, which is how the filter tells them from the ASCII it accepts.
char ToKeyChar(char32_t character);

}  // namespace vantrel
