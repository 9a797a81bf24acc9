// A value field: a single-line edit whose typed characters pass through a
// key-press event that may change or discard them, and whose key releases
// raise a key-up event, as the Qt toolkit's TEdit does:
//
// - KeyPress runs on WM_CHAR, once for each typed character, as its
//   Windows-1251 byte (ToKeyChar); the field inserts what the handler leaves
//   (nothing for 0). Backspace passes through it too. The clipboard, undo and
//   select-all keys (Ctrl+C, V, X, Z, A: their WM_CHAR control codes) are
//   editing commands and bypass it; so do Delete and the arrows, which type
//   no character.
// - KeyUp runs after the field has handled the release of a key, the Tab
//   that moved the focus here included. Auto-repeat raises it once, on the
//   physical release. (A release that changes nothing, such as that of the
//   Enter that dismissed a message box, recalculates nothing: the sheet
//   agrees with the field's text already.)
// - Enter reaches the field (WM_GETDLGCODE), not a default button of the
//   dialog manager.
// - An edit made without a key of the field (paste, cut, delete or undo from
//   the context menu, WM_SETTEXT, WM_PASTE or WM_UNDO sent by another
//   program) raises KeyUp too, once the edit is done, with the field reported
//   as the form's focused field for that call: every edit that changes the
//   text is followed by a key-up, and the focus stays where it is.
// - Text the program writes (SetText) raises neither.
// - Its context menu is the program's own, in Russian (edit_menu.h).
//
// Its accessible name is the window text of a hidden static text standing
// just before it in the z-order: Windows' standard accessible object for an
// edit, and Wine's, take the name from there.
#pragma once

#include <windows.h>

#include <string>

#include "t_control.h"
#include "t_event.h"
#include "toolkit/field_host.h"

namespace vantrel {

class TEdit : public TControl, public ValueField {
public:
    TEdit(TControl& parent, const ControlSpec& creation);

    std::string GetText() const override;
    void SetAccessibleName(std::wstring_view name) override;

    // Before a typed character is inserted, as one 8-bit character.
    TEvent<char&> KeyPress;
    // After a key release or an edit without a key; see above.
    TEvent<> KeyUp;

protected:
    // Shows `text` from its first character, as a field written by the
    // program does, so a long text shows its beginning.
    void WriteText(const std::string& text) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Command(WORD code) override;

private:
    LRESULT TypeCharacter(WPARAM character, LPARAM keyData);
    void FinishEditWithoutKey();

    HWND nameLabel_ = nullptr;
    bool inKey_ = false;              // edits by key get the key's own release
    bool writing_ = false;            // the program's text raises nothing
    bool editWithoutKeyDue_ = false;  // one key-up for a burst of edits
};

}  // namespace vantrel
