// A typed character as the keystroke filter sees it: one 8-bit character of
// the Windows-1251 code page, whatever the window system delivers (UTF-16 on
// Win32, UCS-4 from Qt).
#pragma once

namespace vantrel {

// ASCII as is, a Cyrillic letter as its Windows-1251 code, anything else as a
// code of 128 or more that is no character of that code page. Codes of 128
// and above are negative as a signed char, which is how the filter tells them
// from the ASCII it accepts.
char ToKeyChar(char32_t character);

// The character a key character stands for: the inverse of ToKeyChar for
// ASCII and Cyrillic letters, U+FFFD for the code that stands for anything
// else. Where the filter hands back a character other than the one typed,
// this is what the field inserts.
char32_t FromKeyChar(char key);

}  // namespace vantrel
