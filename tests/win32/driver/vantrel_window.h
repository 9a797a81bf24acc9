// One running Vantrel.exe and its window, driven from outside: controls found
// by their layout names, texts read with WM_GETTEXT, the focus read from the
// window's thread, keys and clicks sent as a user's input.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout_file.h"
#include "remote_program.h"

namespace vantrel::driver {

// Texts by layout name, UTF-8.
using Texts = std::map<std::string, std::string>;

struct MessageBoxSeen {
    std::string title;
    std::string text;
};

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);
// A control's text through WM_GETTEXT, which Windows carries across processes;
// throws std::runtime_error when the control does not answer.
std::string TextOf(HWND control);
// The same, or nothing when the control has gone.
std::optional<std::string> TextIfAny(HWND control);
// A rectangle of `control` in the client coordinates of `reference`.
RECT RectIn(HWND control, HWND reference);

class VantrelWindow {
public:
    // Starts the program and waits for its window; throws std::runtime_error
    // when the window does not show.
    VantrelWindow(const std::string& exe, const Layout& layout);
    ~VantrelWindow();
    VantrelWindow(const VantrelWindow&) = delete;
    VantrelWindow& operator=(const VantrelWindow&) = delete;

    RemoteProgram& Program() { return *program_; }
    HWND Handle() const { return window_; }

    // The control with this layout name; throws std::runtime_error when the
    // window has none.
    HWND Control(std::string_view layoutName);
    // The same, or nullptr while the window has none by that name (yet).
    HWND ControlIfAny(std::string_view layoutName);
    std::string Text(std::string_view layoutName) { return TextOf(Control(layoutName)); }
    // Every value field of one sheet (a TbSht_ name), or of all sheets.
    Texts SheetTexts(std::string_view sheet);
    Texts AllTexts();
    // The layout name of the control holding the keyboard focus; empty when
    // the focus is on none of them (a message box, another window, the window
    // itself while it is still making its sheets).
    std::string FocusName();

    // Tab presses until `layoutName` has the focus; false when it never does.
    bool TabTo(std::string_view layoutName);
    // Focus on the page control, then the arrow keys until sheet `index` shows.
    bool ShowSheet(int index);
    // Waits until the window has taken in all input sent so far: presses and
    // releases a key that no control uses (F24) and waits for a keyboard hook
    // on the window's thread to see its release taken off the queue, which
    // happens only after the keys before it have been handled.
    void Settle();
    // The same, false when the key does not come back (it went to another
    // window) instead of throwing.
    bool TrySettle();

    // The message boxes the program shows now.
    std::vector<MessageBoxSeen> Boxes();

private:
    HWND FindControl(std::string_view layoutName) const;

    const Layout& layout_;
    std::unique_ptr<RemoteProgram> program_;
    HWND window_ = nullptr;
    DWORD thread_ = 0;
    HHOOK takenIn_ = nullptr;
    HANDLE takenInEvent_ = nullptr;
    std::map<std::string, HWND, std::less<>> controls_;
};

}  // namespace vantrel::driver
