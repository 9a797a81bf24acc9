#include "t_edit.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include "edit_menu.h"
#include "t_application.h"
#include "t_form.h"
#include "toolkit/exceptions.h"
#include "toolkit/key_char.h"
#include "wide_text.h"

namespace vantrel {

namespace {

// Posted to a field after an edit made without a key, so that its key-up
// comes once the menu or message that made the edit is done: a message
// about the new text never opens inside a menu.
constexpr UINT kEditWithoutKeyDone = WM_APP + 1;

constexpr wchar_t kSelectAll = 0x01;  // Ctrl+A

// The control codes of the editing commands a single-line edit carries out
// on WM_CHAR: select all, copy, paste, cut, undo.
bool IsEditingCommand(WPARAM character) {
    return character == kSelectAll || character == 0x03 || character == 0x16 || character == 0x18 ||
           character == 0x1A;
}

// Sets a flag for as long as it lives.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Raised() { flag_ = was_; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
    bool was_;
};

}  // namespace

TEdit::TEdit(TControl& parent, const ControlSpec& creation) : TControl(parent, creation) {
    // Created first, so that it stands just before the field in the z-order.
    nameLabel_ =
        CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                        ParentWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (nameLabel_ == nullptr) {
        throw Exception("Не удалось создать подпись поля " + Name());
    }
    CreateHandle(WC_EDITW,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL,
                 WS_EX_CLIENTEDGE, true);
    // Every character has to pass the key-press event; an input method would
    // commit composed text past it. Number text needs no composition.
    ImmAssociateContextEx(Handle(), nullptr, 0);
    // No limit on the length of the text beyond the system's.
    SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
}

std::string TEdit::GetText() const {
    return ToUtf8(Caption());
}

void TEdit::WriteText(const std::string& text) {
    const Raised writing(writing_);
    SetWindowTextW(Handle(), ToWide(text).c_str());
    SendMessageW(Handle(), EM_SETSEL, 0, 0);
    SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
}

void TEdit::SetAccessibleName(std::wstring_view name) {
    SetWindowTextW(nameLabel_, std::wstring(name).c_str());
    TControl::SetAccessibleName(name);
}

LRESULT TEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            // Enter belongs to the field, not to a dialog's default button.
            LRESULT code = DefaultHandling(message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                code |= DLGC_WANTALLKEYS;
            }
            return code;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            const Raised typing(inKey_);
            return DefaultHandling(message, wParam, lParam);
        }
        case WM_CHAR: {
            const Raised typing(inKey_);
            return TypeCharacter(wParam, lParam);
        }
        case WM_SYSCHAR: {
            const Raised typing(inKey_);
            return DefaultHandling(message, wParam, lParam);
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            RunEventMethod([this] { KeyUp(); });
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefaultHandling(message, wParam, lParam);
            // Once the focus is on another control of the form, a text wider
            // than the field shows its start: its tail alone reads as another
            // number. Not when another window (the error box) takes the
            // focus: the caret stays where it was.
            const auto next = reinterpret_cast<HWND>(wParam);
            if (next != nullptr && GetAncestor(next, GA_ROOT) == GetAncestor(Handle(), GA_ROOT)) {
                SendMessageW(Handle(), EM_SETSEL, 0, 0);
                SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
            }
            return result;
        }
        case WM_CONTEXTMENU:
            ShowEditMenu(Handle(), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case kEditWithoutKeyDone:
            FinishEditWithoutKey();
            return 0;
        default:
            break;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

LRESULT TEdit::TypeCharacter(WPARAM character, LPARAM keyData) {
    if (character == kSelectAll) {
        SendMessageW(Handle(), EM_SETSEL, 0, -1);
        return 0;
    }
    if (IsEditingCommand(character)) {
        return DefaultHandling(WM_CHAR, character, keyData);
    }
    char key = ToKeyChar(static_cast<char32_t>(character));
    const char asTyped = key;
    RunEventMethod([&] { KeyPress(key); });
    if (key == 0) {
        return 0;
    }
    const WPARAM inserted = key == asTyped ? character : static_cast<WPARAM>(FromKeyChar(key));
    return DefaultHandling(WM_CHAR, inserted, keyData);
}

void TEdit::Command(WORD code) {
    if (code != EN_CHANGE || inKey_ || writing_ || editWithoutKeyDue_) {
        return;
    }
    editWithoutKeyDue_ = true;
    PostMessageW(Handle(), kEditWithoutKeyDone, 0, 0);
}

void TEdit::FinishEditWithoutKey() {
    editWithoutKeyDue_ = false;
    // The sheet recalculates from the focused field, which for this one call
    // is the field edited, wherever the focus is: on another field, or in
    // another program that set this one's text.
    TForm& form = OwnerForm();
    form.ReportFocusOn(this);
    RunEventMethod([this] { KeyUp(); });
    form.ReportFocusOn(nullptr);
}

}  // namespace vantrel
