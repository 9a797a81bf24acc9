// A user's keyboard and mouse, through SendInput: the input goes to whatever
// window has the focus, exactly as a person's keystrokes and clicks do, so
// the program's own focus handling, filters and key-ups all take part.
// SendInput only queues the input: callers wait for its effect.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace vantrel::driver {

// Presses and releases a key while the modifier keys (VK_SHIFT, VK_MENU,
// VK_CONTROL) are held.
void Tap(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// One key per character: ASCII through the keyboard layout's keys, any other
// character as a typed Unicode character (VK_PACKET).
void Type(std::wstring_view text);
// A left click in the middle of a window or control.
void Click(HWND target);
// A left click at a point of the screen.
void ClickAt(POINT screen);

}  // namespace vantrel::driver
