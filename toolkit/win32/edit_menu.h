// The context menu of a value field: the program's own, in Russian like the
// rest of the window, where Windows would show its own in the language of the
// user's Windows. Its items are the edit commands of Windows' menu, each
// enabled when Windows' would be, and each carried out by the message the
// system menu sends, so an edit made through it is an edit without a key,
// which recalculates the sheet (TEdit).
#pragma once

#include <windows.h>

namespace vantrel {

enum class EditCommand : UINT {
    kUndo = 1,
    kCut,
    kCopy,
    kPaste,
    kDelete,
    kSelectAll,
};

// A popup menu for the edit control `edit` as it is now; the caller destroys
// it (DestroyMenu). nullptr if Windows cannot make one.
HMENU CreateEditMenu(HWND edit);
// Carries out the menu's item `command` (an EditCommand) on `edit`; 0, the
// menu dismissed, does nothing.
void RunEditCommand(HWND edit, UINT command);
// Shows the menu at `screen` (for a keyboard's menu key, (-1, -1): at the
// field) and carries out what the user chooses.
void ShowEditMenu(HWND edit, POINT screen);

}  // namespace vantrel
