// The window most driver tests share: one Vantrel.exe started once at the
// design density, and beside it a headless window of the same core that is
// sent the same keys. The headless window says what every field must show.
#pragma once

#include <string>
#include <string_view>

#include "layout_file.h"
#include "tests/support/typing_session.h"
#include "vantrel_window.h"

namespace vantrel::driver {

// The program under test and its layout, as the build names them.
const std::string& ProgramPath();
const Layout& TheLayout();

class SharedWindow {
public:
    SharedWindow();

    VantrelWindow& Window() { return window_; }
    // What the window must show now.
    Texts Expected(std::string_view sheet) const;
    Texts ExpectedAll() const { return Expected({}); }

    // Keys typed into the focused field of both windows; then waits for the
    // window to take them in.
    void Type(std::wstring_view keys);
    void Backspace();
    bool TabTo(std::string_view layoutName);
    bool ShowSheet(int index);

private:
    VantrelWindow window_;
    stress::TypingSession model_;
};

// Started by the first test that asks, ended after the last test.
SharedWindow& Shared();

}  // namespace vantrel::driver
