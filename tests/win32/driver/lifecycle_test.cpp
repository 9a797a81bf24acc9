// How the program ends, seen from outside as its exit status: 1 from the
// Exit button, 0 from closing the window.
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
                                           EndingRow{"TitleBarClose", ClickClose, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel::driver
