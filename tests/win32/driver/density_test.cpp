// The window at 96, 120 and 144 pixels per inch: a fixed frame, a client
// area of 821 x 366 design pixels scaled by dpi / 120, and every control at
// its scaled place. Wine takes the density from the registry when a program
// starts, so each density other than the shared window's starts its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "shared_window.h"

namespace vantrel::driver {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Sets the density for programs started from now on, and back to the design
// density afterwards, so later programs start as they did before.
class Density {
public:
    explicit Density(DWORD dpi) { Set(dpi); }
    ~Density() { Set(120); }
    Density(const Density&) = delete;
    Density& operator=(const Density&) = delete;

private:
    static void Set(DWORD dpi) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
};

// A design length in device pixels. Rounding may differ by one pixel from
// the program's own, which may round an edge instead of a length.
int Device(int design, int dpi) {
    return static_cast<int>(std::lround(design * dpi / 120.0));
}

#define EXPECT_NEAR_PIXEL(actual, design, dpi, what) \
    EXPECT_NEAR((actual), Device((design), (dpi)), 1) << (what) << " at " << (dpi) << " ppi"

void CheckWindow(VantrelWindow& window, int dpi) {
    const Layout& layout = TheLayout();
    const LayoutControl& form = layout.controls.front();
    const LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame can be resized";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window offers Maximise";
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);

    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_NEAR_PIXEL(client.right, form.width, dpi, "client width");
    EXPECT_NEAR_PIXEL(client.bottom, form.height, dpi, "client height");
    RECT outer{};
    GetWindowRect(window.Handle(), &outer);
    EXPECT_NEAR_PIXEL(outer.left, 190, dpi, "window left");
    EXPECT_NEAR_PIXEL(outer.top, 132, dpi, "window top");

    // Unit captions are as wide as their text and superscripts follow the
    // letters they raise, so of labels only a caption's corner is fixed.
    for (const LayoutControl& control : layout.controls) {
        const bool caption =
            control.name.starts_with("Lbl_") &&
            std::ranges::any_of(layout.OfKind("TEdit"), [&](const LayoutControl* field) {
                return field->name.substr(4) == control.name.substr(4);
            });
        if (control.kind != "TEdit" && control.kind != "TButton" &&
            control.kind != "TPageControl" && control.kind != "TStatusBar" && !caption) {
            continue;
        }
        HWND handle = window.Control(control.name);
        const RECT rect = RectIn(handle, GetParent(handle));
        EXPECT_NEAR_PIXEL(rect.left, control.left, dpi, control.name + " left");
        EXPECT_NEAR_PIXEL(rect.top, control.top, dpi, control.name + " top");
        if (!caption) {
            EXPECT_NEAR_PIXEL(rect.right - rect.left, control.width, dpi, control.name + " width");
            EXPECT_NEAR_PIXEL(rect.bottom - rect.top, control.height, dpi,
                              control.name + " height");
        }
    }
}

class DensityTest : public ::testing::TestWithParam<int> {};

TEST_P(DensityTest, WindowAndControlsScaleFromTheDesign) {
    const int dpi = GetParam();
    if (dpi == 120) {
        CheckWindow(Shared().Window(), dpi);
        return;
    }
    std::unique_ptr<VantrelWindow> window;
    {
        const Density density(static_cast<DWORD>(dpi));
        window = std::make_unique<VantrelWindow>(ProgramPath(), TheLayout());
    }
    CheckWindow(*window, dpi);
}

INSTANTIATE_TEST_SUITE_P(Densities, DensityTest, ::testing::Values(96, 120, 144),
                         [](const auto& info) { return std::to_string(info.param) + "ppi"; });

}  // namespace
}  // namespace vantrel::driver
