#include "vantrel_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "ui_vantrel_ids.h"

#include "user_input.h"

namespace vantrel::driver {

namespace {

constexpr UINT kReplyLimitMs = 2000;

}  // namespace

std::string Utf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::optional<std::string> TextIfAny(HWND control) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyLimitMs,
                             &length)) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, kReplyLimitMs,
                             &copied)) {
        return std::nullopt;
    }
    text.resize(copied);
    return Utf8(text);
}

std::string TextOf(HWND control) {
    std::optional<std::string> text = TextIfAny(control);
    if (!text) {
        throw std::runtime_error("a control does not answer WM_GETTEXT (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    return *text;
}

RECT RectIn(HWND control, HWND reference) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

VantrelWindow::VantrelWindow(const std::string& exe, const Layout& layout)
    : layout_(layout), program_(std::make_unique<RemoteProgram>(WindowsPath(exe))) {
    window_ = program_->WaitForWindow(Wide(layout.title));
    if (window_ == nullptr) {
        throw std::runtime_error("the window titled \"" + layout.title + "\" never showed");
    }
    thread_ = GetWindowThreadProcessId(window_, nullptr);
    // The window must have the keyboard, and its first control the focus,
    // before the first key is sent.
    if (!WaitUntil([&] { return GetForegroundWindow() == window_ && !FocusName().empty(); })) {
        throw std::runtime_error("the window never took the keyboard focus");
    }
    // GetKeyState on a shared input state or WaitForInputIdle would be the
    // usual ways to know; under Wine neither tells when the keys were handled.
    const HMODULE hooks = LoadLibraryW(L"vantrel_window_hooks.dll");
    const auto note = hooks == nullptr ? nullptr
                                       : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                             GetProcAddress(hooks, "NoteInputTakenIn")));
    takenInEvent_ = CreateEventW(
        nullptr, FALSE, FALSE, (L"VantrelDriverInputTakenIn-" + std::to_wstring(thread_)).c_str());
    takenIn_ = note == nullptr ? nullptr : SetWindowsHookExW(WH_KEYBOARD, note, hooks, thread_);
    if (takenIn_ == nullptr || takenInEvent_ == nullptr) {
        throw std::runtime_error("cannot watch the window's keyboard input");
    }
}

VantrelWindow::~VantrelWindow() {
    UnhookWindowsHookEx(takenIn_);
    CloseHandle(takenInEvent_);
}

HWND VantrelWindow::Control(std::string_view layoutName) {
    HWND control = ControlIfAny(layoutName);
    if (control == nullptr) {
        throw std::runtime_error("the window has no control " + std::string(layoutName));
    }
    return control;
}

HWND VantrelWindow::ControlIfAny(std::string_view layoutName) {
    const auto known = controls_.find(layoutName);
    if (known != controls_.end()) {
        return known->second;
    }
    HWND control = FindControl(layoutName);
    if (control != nullptr) {
        controls_.emplace(layoutName, control);
    }
    return control;
}

Texts VantrelWindow::SheetTexts(std::string_view sheet) {
    Texts texts;
    for (const LayoutControl* field : layout_.OfKind("TEdit")) {
        if (sheet.empty() || field->parent == sheet) {
            texts[field->name] = Text(field->name);
        }
    }
    return texts;
}

Texts VantrelWindow::AllTexts() {
    return SheetTexts({});
}

std::string VantrelWindow::FocusName() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread_, &info) || info.hwndFocus == nullptr) {
        return {};
    }
    for (const LayoutControl& control : layout_.controls) {
        if (control.kind != "TForm" && control.kind != "TLabel" && control.kind != "TTabSheet" &&
            ControlIfAny(control.name) == info.hwndFocus) {
            return control.name;
        }
    }
    return {};
}

bool VantrelWindow::TabTo(std::string_view layoutName) {
    const std::size_t stops = layout_.OfKind("TEdit").size() + 3;
    for (std::size_t presses = 0; presses <= stops; ++presses) {
        const std::string before = FocusName();
        if (before == layoutName) {
            return true;
        }
        Tap(VK_TAB);
        if (!WaitUntil([&] { return FocusName() != before; })) {
            return false;
        }
    }
    return false;
}

bool VantrelWindow::ShowSheet(int index) {
    if (!TabTo("PgCntrl")) {
        return false;
    }
    HWND pages = Control("PgCntrl");
    const auto shown = [&] { return static_cast<int>(SendMessageW(pages, TCM_GETCURSEL, 0, 0)); };
    for (int moves = 0; moves < 12 && shown() != index; ++moves) {
        const int before = shown();
        Tap(before < index ? VK_RIGHT : VK_LEFT);
        if (!WaitUntil([&] { return shown() != before; })) {
            return false;
        }
    }
    Settle();
    return shown() == index;
}

void VantrelWindow::Settle() {
    if (!TrySettle()) {
        throw std::runtime_error("the window did not take in the keys sent to it");
    }
}

bool VantrelWindow::TrySettle() {
    ResetEvent(takenInEvent_);
    Tap(VK_F24);
    return WaitForSingleObject(takenInEvent_, kReplyLimitMs) == WAIT_OBJECT_0;
}

std::vector<MessageBoxSeen> VantrelWindow::Boxes() {
    std::vector<MessageBoxSeen> boxes;
    for (HWND box : program_->Windows(L"#32770")) {
        // A message box shows its message in the static control 0xFFFF. A box
        // that is closing may be gone before it is read.
        const std::optional<std::string> title = TextIfAny(box);
        const std::optional<std::string> message = TextIfAny(GetDlgItem(box, 0xFFFF));
        if (title && message) {
            boxes.push_back({*title, *message});
        }
    }
    return boxes;
}

}  // namespace vantrel::driver

namespace vantrel::driver {

// Every control's window has the control ID the layout gives it, which the
// form compiler writes into ui_vantrel_ids.h: as Windows programs find a
// dialog's controls, by ID. The form is the window itself.
HWND VantrelWindow::FindControl(std::string_view layoutName) const {
    if (layoutName == layout_.controls.front().name) {
        return window_;
    }
    const auto& ids = Ui::Frm_vantrelIds::all;
    const auto named = std::find_if(std::begin(ids), std::end(ids), [&](const auto& control) {
        return control.name == layoutName;
    });
    if (named == std::end(ids)) {
        return nullptr;
    }
    struct Search {
        int id;
        HWND found = nullptr;
    } search{named->id};
    EnumChildWindows(
        window_,
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            search.found = GetDlgCtrlID(window) == search.id ? window : nullptr;
            return search.found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vantrel::driver
