#include "shared_window.h"

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "sheets/sheet_catalogue.h"
#include "user_input.h"

namespace vantrel::driver {

namespace {

// The test log reaches CTest through Wine's console, which would end every
// line with \r\n in text mode.
const int binaryOutput = _setmode(_fileno(stdout), _O_BINARY);

std::unique_ptr<SharedWindow> shared;

class DriverEnvironment : public ::testing::Environment {
public:
    // Positions and sizes in the window's own pixels, whatever the density:
    // a driver unaware of the density would see them scaled to 96 ppi.
    void SetUp() override {
        SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
    // Closes the shared window after the last test, as a user would.
    void TearDown() override {
        if (shared != nullptr) {
            PostMessageW(shared->Window().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            shared->Window().Program().WaitForExit();
            shared.reset();
        }
    }
};

const auto* const end = ::testing::AddGlobalTestEnvironment(new DriverEnvironment);

std::size_t ModelIndex(std::string_view field) {
    const std::vector<std::string_view> names = AllFieldNames();
    return static_cast<std::size_t>(std::find(names.begin(), names.end(), field) - names.begin());
}

}  // namespace

const std::string& ProgramPath() {
    static const std::string path = VANTREL_PROGRAM;
    return path;
}

const Layout& TheLayout() {
    static const Layout layout = ReadLayout(VANTREL_LAYOUT);
    return layout;
}

SharedWindow& Shared() {
    if (shared == nullptr) {
        shared = std::make_unique<SharedWindow>();
    }
    // Another test's window may have taken the keyboard; the keys of the
    // next test go to whichever window is in front, and to the control that
    // has the focus there once the window has taken it back. When that other
    // window closes, Wine may put this one in front before the window has
    // caught up (its focus is then on no control), and a key sent then can
    // be lost. So the window must be in front with a control focused, and
    // still be once it has taken in a key, which it does only after handling
    // everything before it; otherwise it is brought to the front again.
    VantrelWindow& window = shared->Window();
    const auto inFront = [&] {
        return GetForegroundWindow() == window.Handle() && !window.FocusName().empty();
    };
    for (int attempt = 1;; ++attempt) {
        if (GetForegroundWindow() != window.Handle()) {
            SetForegroundWindow(window.Handle());
        }
        if (WaitUntil(inFront) && window.TrySettle() && inFront()) {
            break;
        }
        if (attempt == 3) {
            throw std::runtime_error("the shared window cannot be brought to the front");
        }
    }
    return *shared;
}

SharedWindow::SharedWindow() : window_(ProgramPath(), TheLayout()) {}

Texts SharedWindow::Expected(std::string_view sheet) const {
    Texts texts;
    for (const LayoutControl* field : TheLayout().OfKind("TEdit")) {
        if (sheet.empty() || field->parent == sheet) {
            texts[field->name] = model_.Window().Text(field->name);
        }
    }
    return texts;
}

void SharedWindow::Type(std::wstring_view keys) {
    for (const wchar_t key : keys) {
        driver::Type(std::wstring(1, key));
        // The filter discards every character outside ASCII, whatever its
        // code page byte; any such byte stands for them in the model.
        model_.Type(key < 0x80 ? static_cast<char>(key) : '\xC0');
    }
    window_.Settle();
}

void SharedWindow::Backspace() {
    Tap(VK_BACK);
    model_.Backspace();
    window_.Settle();
}

bool SharedWindow::TabTo(std::string_view layoutName) {
    if (!window_.TabTo(layoutName)) {
        return false;
    }
    if (TheLayout().Control(layoutName).kind == "TEdit") {
        model_.Focus(ModelIndex(layoutName));
    }
    return true;
}

bool SharedWindow::ShowSheet(int index) {
    model_.SwitchSheet(static_cast<std::size_t>(index));
    return window_.ShowSheet(index);
}

}  // namespace vantrel::driver
