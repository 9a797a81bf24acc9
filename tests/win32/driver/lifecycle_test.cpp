// How the program ends, seen from outside as its exit status: 1 from the
// Exit button, 0 from closing the window (its close button, Alt+F4), 2 when
// it cannot start.
#include <gtest/gtest.h>

#include "shared_window.h"
#include "user_input.h"

namespace vantrel::driver {
namespace {

struct EndingRow {
    const char* name;
    void (*end)(VantrelWindow&);
    DWORD status;
};

void ClickExit(VantrelWindow& window) {
    Click(window.Control("Btn_Exit"));
}

// The close button of the title bar, where the window system draws it: the
// middle of the stretch of the title bar that the window itself says is its
// close button.
void ClickClose(VantrelWindow& window) {
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetTitleBarInfo(window.Handle(), &bar));
    const LONG y = (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2;
    const auto isClose = [&](LONG x) {
        return SendMessageW(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
    };
    LONG right = bar.rcTitleBar.right;
    while (right > bar.rcTitleBar.left && !isClose(right)) {
        --right;
    }
    LONG left = right;
    while (left > bar.rcTitleBar.left && isClose(left - 1)) {
        --left;
    }
    ASSERT_LT(left, right) << "the title bar shows no close button";
    ClickAt({(left + right) / 2, y});
}

void PressAltF4(VantrelWindow& /*window*/) {
    Tap(VK_F4, {VK_MENU});
}

class EndingTest : public ::testing::TestWithParam<EndingRow> {};

TEST_P(EndingTest, TheProgramEndsWithItsStatus) {
    VantrelWindow window(ProgramPath(), TheLayout());
    GetParam().end(window);
    const std::optional<DWORD> status = window.Program().WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(*status, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(Endings, EndingTest,
                         ::testing::Values(EndingRow{"ExitButton", ClickExit, 1},
                                           EndingRow{"TitleBarClose", ClickClose, 0},
                                           EndingRow{"AltF4", PressAltF4, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window cannot be created: refused by a window hook on the program's
// thread (window_hooks.cpp), set before the program runs its first line. The
// program says so in a box and ends with status 2.
TEST(StartupFailureTest, AWindowThatCannotBeCreatedEndsWithABoxAndStatus2) {
    const HMODULE hook = LoadLibraryW(L"vantrel_window_hooks.dll");
    ASSERT_NE(hook, nullptr) << "no hook library beside the driver";
    const auto refuse = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(hook, "RefuseMainWindow")));
    ASSERT_NE(refuse, nullptr);
    RemoteProgram program(WindowsPath(ProgramPath()), true);
    const HHOOK refusal = SetWindowsHookExW(WH_CBT, refuse, hook, program.MainThreadId());
    ASSERT_NE(refusal, nullptr) << "error " << GetLastError();
    program.Resume();

    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> boxes = program.Windows(L"#32770");
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
    })) << "no message box";
    EXPECT_FALSE(TextOf(GetDlgItem(box, 0xFFFF)).empty()) << "the box says nothing";
    EXPECT_TRUE(program.Windows(L"VantrelForm").empty());
    // A user reads the box and presses Enter.
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box; }));
    Tap(VK_RETURN);
    const std::optional<DWORD> status = program.WaitForExit();
    UnhookWindowsHookEx(refusal);
    FreeLibrary(hook);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(*status, 2u);
}

}  // namespace
}  // namespace vantrel::driver
