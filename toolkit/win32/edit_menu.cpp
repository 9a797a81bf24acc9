#include "edit_menu.h"

#include <algorithm>

namespace vantrel {

HMENU CreateEditMenu(HWND edit) {
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selected = start != end;
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    const bool writable = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0;
    const bool canUndo = writable && SendMessageW(edit, EM_CANUNDO, 0, 0) != 0;
    const bool canPaste = writable && IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    const bool allSelected = std::min(start, end) == 0 && std::max(start, end) >= length;
    const auto item = [menu](EditCommand command, const wchar_t* text, bool enabled) {
        AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(command), text);
    };
    item(EditCommand::kUndo, L"&Отменить", canUndo);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    item(EditCommand::kCut, L"&Вырезать", writable && selected);
    item(EditCommand::kCopy, L"&Копировать", selected);
    item(EditCommand::kPaste, L"В&ставить", canPaste);
    item(EditCommand::kDelete, L"&Удалить", writable && selected);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    item(EditCommand::kSelectAll, L"Выделить &всё", length > 0 && !allSelected);
    return menu;
}

void RunEditCommand(HWND edit, UINT command) {
    switch (static_cast<EditCommand>(command)) {
        case EditCommand::kUndo:
            SendMessageW(edit, WM_UNDO, 0, 0);
            break;
        case EditCommand::kCut:
            SendMessageW(edit, WM_CUT, 0, 0);
            break;
        case EditCommand::kCopy:
            SendMessageW(edit, WM_COPY, 0, 0);
            break;
        case EditCommand::kPaste:
            SendMessageW(edit, WM_PASTE, 0, 0);
            break;
        case EditCommand::kDelete:
            SendMessageW(edit, WM_CLEAR, 0, 0);
            break;
        case EditCommand::kSelectAll:
            SendMessageW(edit, EM_SETSEL, 0, -1);
            break;
        default:
            break;
    }
}

void ShowEditMenu(HWND edit, POINT screen) {
    if (GetFocus() != edit) {
        SetFocus(edit);
    }
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the field's lower left corner, as Windows
        // puts its own.
        RECT field{};
        GetWindowRect(edit, &field);
        screen = {field.left, field.bottom};
    }
    const HMENU menu = CreateEditMenu(edit);
    if (menu == nullptr) {
        return;
    }
    const auto command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        screen.x, screen.y, 0, edit, nullptr));
    DestroyMenu(menu);
    RunEditCommand(edit, command);
}

}  // namespace vantrel
