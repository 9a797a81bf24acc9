// The Win32 toolkit from inside the program's process, under Wine: the key
// rules of a value field, the tab order the layout gives, the density the
// form lays itself out for (also when WM_DPICHANGED says the screen changed,
// which Wine never sends), the accessible names, and a refused text. Keys are
// posted as the window system would deliver them to the focused control and
// run through the application's own message handling.
#include <windows.h>
// After windows.h.
#include <oleacc.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "colour_contrast.h"
#include "dynamic_calls.h"
#include "edit_menu.h"
#include "t_application.h"
#include "t_edit.h"
#include "t_label.h"
#include "t_page_control.h"
#include "toolkit/design_metrics.h"
#include "ui/tfrm_vantrel.h"
#include "ui/win32/resource_ids.h"
#include "ui_vantrel_ids.h"
#include "wide_text.h"
#include "window_font.h"

namespace vantrel {
namespace {

// Handles the messages at hand as TApplication::Run does: the dialog
// manager's keys first, and a key press turned into the character it types.
void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TApplication::Dispatch(message);
    }
}

constexpr LPARAM kReleased = LPARAM{1} << 31 | LPARAM{1} << 30;
constexpr LPARAM kRepeated = LPARAM{1} << 30;

// One key stroke: the press to the focused control, the release to whatever
// has the focus then.
void Key(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, kReleased | 1);
    Pump();
}

std::wstring Text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

// Dismisses every message box the thread opens, as a user pressing OK would.
// While a MessageBoxes exists, it keeps each box's title and text; a box
// that no test waits for (one an edit raised after a failed assertion, say)
// fails the test, where it would otherwise wait for a user who never comes
// and hang the suite.
class MessageBoxes {
public:
    struct Shown {
        std::wstring title;
        std::wstring text;
    };

    MessageBoxes() { current_ = this; }
    ~MessageBoxes() { current_ = nullptr; }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    std::vector<Shown> shown;

    // For the whole test program, on its one thread.
    class Watcher : public testing::Environment {
    public:
        void SetUp() override {
            hook_ = SetWindowsHookExW(WH_CBT, Watch, nullptr, GetCurrentThreadId());
        }
        void TearDown() override { UnhookWindowsHookEx(hook_); }

    private:
        HHOOK hook_ = nullptr;
    };

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t windowClass[16] = {};
        if (code == HCBT_ACTIVATE && GetClassNameW(window, windowClass, 16) > 0 &&
            std::wstring(windowClass) == L"#32770") {
            // A message box's text is its static control 0xFFFF.
            Shown box{Text(window), Text(GetDlgItem(window, 0xFFFF))};
            if (current_ != nullptr) {
                current_->shown.push_back(std::move(box));
            } else {
                ADD_FAILURE() << "a message box no test waits for: " << ToUtf8(box.text);
            }
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline MessageBoxes* current_ = nullptr;
};

const testing::Environment* const kMessageBoxWatcher =
    testing::AddGlobalTestEnvironment(new MessageBoxes::Watcher);

// A form with one value field whose events the test sees: the key press
// discards 'x' and turns '.' into ','.
class CountingForm : public TForm {
public:
    CountingForm() {
        SetFont({8, true});
        SetDesignBounds({0, 0, 200, 60});
        field = Create<TEdit>(*this, {"Edt_a", 100, {8, 8, 121, 24}, L"", {}});
        field->KeyPress.Bind(this, &CountingForm::OnKeyPress);
        field->KeyUp.Bind(this, &CountingForm::OnKeyUp);
        SetTabOrder({field});
    }

    void OnKeyPress(char& key) {
        pressed += key;
        key = key == 'x' ? 0 : key == '.' ? ',' : key;
    }
    void OnKeyUp() { ++keyUps; }

    TEdit* field;
    std::string pressed;
    int keyUps = 0;
};

// A control of the Vantrel window by its layout name, found as other programs
// find it: the descendant window with the control ID the layout gives it.
HWND Control(std::string_view name) {
    const auto named =
        std::find_if(std::begin(Ui::Frm_vantrelIds::all), std::end(Ui::Frm_vantrelIds::all),
                     [&](const auto& control) { return control.name == name; });
    struct Search {
        int id;
        HWND found = nullptr;
    } search{named != std::end(Ui::Frm_vantrelIds::all) ? named->id : -1};
    EnumChildWindows(
        Frm_vantrel->Handle(),
        [](HWND window, LPARAM context) {
            auto& search = *reinterpret_cast<Search*>(context);
            search.found = GetDlgCtrlID(window) == search.id ? window : nullptr;
            return search.found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    EXPECT_NE(search.found, nullptr) << "no control " << name;
    return search.found;
}

// The layout name of the control whose window this is, or "".
std::string NameOf(HWND window) {
    const TControl* control = TControl::FromHandle(window);
    return control != nullptr ? control->Name() : "";
}

// The application with the form created from the layout, shown and active.
class VantrelWindow : public testing::Test {
protected:
    void SetUp() override {
        application_.Initialize();
        application_.SetIconResource(VANTREL_ICON);
        application_.CreateForm(Frm_vantrel);
        Frm_vantrel->Show();
        Pump();
    }

    std::string Focused() const { return NameOf(GetFocus()); }

    int argc_ = 0;
    TApplication application_{argc_, nullptr};
};

struct KeyCase {
    const char* what;
    std::vector<MSG> messages;  // to the field; hwnd and time unused
    const wchar_t* text;        // the field's text afterwards
    std::string pressed;        // what reached the key press
    int keyUps;
};

MSG Down(WPARAM key, LPARAM data = 1) {
    return {nullptr, WM_KEYDOWN, key, data, 0, {}};
}
MSG Char(wchar_t typed) {
    return {nullptr, WM_CHAR, typed, 1, 0, {}};
}
MSG Up(WPARAM key) {
    return {nullptr, WM_KEYUP, key, kReleased | 1, 0, {}};
}

TEST(ValueField, KeysReachTheEventsAsTheQtFieldRaisesThem) {
    // A key press types its character as the message loop translates it;
    // a character posted alone stands for one an input method would type.
    const KeyCase cases[] = {
        {"a digit passes and is inserted", {Down('1'), Up('1')}, L"1", "1", 1},
        {"a changed character is inserted as changed",
         {Down(VK_OEM_PERIOD), Up(VK_OEM_PERIOD)},
         L",",
         ".",
         1},
        {"a discarded character is not", {Down('X'), Up('X')}, L"", "x", 1},
        {"a Cyrillic letter arrives as its Windows-1251 byte", {Char(L'а')}, L"а", "\xE0", 0},
        {"auto-repeat gives one key-up, on the release",
         {Down('2'), Down('2', kRepeated | 1), Up('2')},
         L"22",
         "22",
         1},
        {"Enter reaches the field, not the dialog manager",
         {Down(VK_RETURN), Up(VK_RETURN)},
         L"",
         "\r",
         1},
        {"Backspace passes the key press too",
         {Down('1'), Up('1'), Down(VK_BACK), Up(VK_BACK)},
         L"",
         "1\b",
         2},
        {"select all is a command, not a character",
         {Down('7'), Up('7'), Char(0x01), Down('8'), Up('8')},
         L"8",
         "78",
         2},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        CountingForm form;
        form.Loaded();
        form.Show();
        SetFocus(form.field->Handle());
        // One at a time, as input arrives: the character a press types comes
        // before the next press.
        for (MSG message : c.messages) {
            PostMessageW(form.field->Handle(), message.message, message.wParam, message.lParam);
            Pump();
        }
        EXPECT_EQ(Text(form.field->Handle()), c.text);
        EXPECT_EQ(form.pressed, c.pressed);
        EXPECT_EQ(form.keyUps, c.keyUps);
    }
}

TEST(ValueField, AnEditWithoutAKeyRaisesOneKeyUpAfterwardsAndTheProgramsTextNone) {
    CountingForm form;
    form.Loaded();
    form.Show();
    form.field->SetText("5");
    Pump();
    EXPECT_EQ(form.keyUps, 0);
    // As a screen reader or another program sets a value: the key-up comes
    // once the edit is done.
    SendMessageW(form.field->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
    EXPECT_EQ(form.keyUps, 0);
    Pump();
    EXPECT_EQ(form.keyUps, 1);
    // Delete from the context menu.
    SendMessageW(form.field->Handle(), EM_SETSEL, 0, -1);
    SendMessageW(form.field->Handle(), WM_CLEAR, 0, 0);
    Pump();
    EXPECT_EQ(form.keyUps, 2);
    EXPECT_EQ(form.field->GetText(), "");
    EXPECT_EQ(form.pressed, "");
}

TEST_F(VantrelWindow, TabFollowsTheLayoutsOrderOnTheShownSheetAndSelectsAFieldsText) {
    Frm_vantrel->PgCntrl->SetActivePageIndex(5);
    SetFocus(Control("PgCntrl"));
    Frm_vantrel->Edt_PMPa->SetText("42");
    const std::vector<std::string> expected = {
        "Edt_PGPa",   "Edt_PMPa",   "Edt_PkPa",    "Edt_PPa",    "Edt_Pmvst",
        "Edt_Pmmvst", "Edt_Pmrtst", "Edt_Pmmrtst", "Edt_Pkg_cm", "Edt_Pkg_m",
        "Edt_Patm",   "Edt_Pkg_mm", "Btn_Exit",    "Btn_Help",   "PgCntrl"};
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Key(VK_TAB);
        visited.push_back(Focused());
        if (visited.back() == "Edt_PMPa") {
            DWORD start = 1;
            DWORD end = 0;
            SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, 2u);
        }
    }
    EXPECT_EQ(visited, expected);
    // Nothing was typed, so nothing was recalculated.
    EXPECT_EQ(Frm_vantrel->Edt_PkPa->GetText(), "");
}

// Holds modifier keys down in the thread's keyboard state, as the window
// system does while the user holds them.
// Presses `key` while holding `modifiers` down in the thread's keyboard
// state, as the window system does while the user holds them.
void KeyHolding(WPARAM key, std::initializer_list<BYTE> modifiers) {
    BYTE saved[256];
    BYTE held[256];
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), held);
    for (const BYTE modifier : modifiers) {
        held[modifier] = 0x80;
    }
    SetKeyboardState(held);
    Key(key);
    SetKeyboardState(saved);
}

TEST_F(VantrelWindow, CtrlTabAndCtrlPageKeysSwitchSheetsFromAnywhereAndGoRound) {
    struct Switch {
        const char* what;
        int sheet;          // shown before
        const char* focus;  // has the focus before
        WPARAM key;
        std::initializer_list<BYTE> held;
        int shown;  // shown after
        const char* focusAfter;
    };
    const Switch switches[] = {
        {"Ctrl+Tab on the tabs", 0, "PgCntrl", VK_TAB, {VK_CONTROL}, 1, "PgCntrl"},
        {"Ctrl+PgDn in the last sheet's field",
         5,
         "Edt_PkPa",
         VK_NEXT,
         {VK_CONTROL},
         0,
         "Edt_Gm_h"},
        {"Ctrl+Shift+Tab in the first sheet's field",
         0,
         "Edt_Gl_c",
         VK_TAB,
         {VK_CONTROL, VK_SHIFT},
         5,
         "Edt_PGPa"},
        {"Ctrl+PgUp on a button", 2, "Btn_Exit", VK_PRIOR, {VK_CONTROL}, 1, "Edt_QGJ_k"},
        // AltGr, which Windows reports as Ctrl with Alt, types a character on
        // many keyboards; it switches nothing.
        {"AltGr+PgDn in a field", 3, "Edt_QGJ", VK_NEXT, {VK_CONTROL, VK_MENU}, 3, "Edt_QGJ"},
    };
    for (const Switch& c : switches) {
        SCOPED_TRACE(c.what);
        Frm_vantrel->PgCntrl->SetActivePageIndex(c.sheet);
        SetFocus(Control(c.focus));
        Frm_vantrel->Edt_Gm_h->SetText("7");
        KeyHolding(c.key, c.held);
        EXPECT_EQ(Frm_vantrel->PgCntrl->ActivePageIndex(), c.shown);
        EXPECT_EQ(Focused(), c.focusAfter);
        EXPECT_TRUE(IsWindowVisible(GetFocus()));
        DWORD start = 1;
        DWORD end = 0;
        SendMessageW(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        if (Focused() == "Edt_Gm_h") {
            EXPECT_EQ(end - start, 1u) << "Tab selects the field's text";
        }
    }
    // A sheet shown by the program takes the focus off the sheet it hides,
    // onto the tabs.
    Frm_vantrel->PgCntrl->SetActivePageIndex(0);
    SetFocus(Control("Edt_Gl_c"));
    Frm_vantrel->PgCntrl->SetActivePageIndex(4);
    EXPECT_EQ(Focused(), "PgCntrl");
}

TEST_F(VantrelWindow, OpensAtItsPlaceOnTheFirstSheetWithTheFocusOnTheTabs) {
    // Wine's desktop is at 120 ppi here, the design density.
    ASSERT_EQ(Frm_vantrel->Dpi(), 120u);
    RECT outer{};
    GetWindowRect(Frm_vantrel->Handle(), &outer);
    EXPECT_EQ(outer.left, 190);
    EXPECT_EQ(outer.top, 132);
    RECT client{};
    GetClientRect(Frm_vantrel->Handle(), &client);
    EXPECT_EQ(client.right, 821);
    EXPECT_EQ(client.bottom, 366);
    // A fixed border, the system menu and Minimise, no Maximise.
    const auto style = GetWindowLongW(Frm_vantrel->Handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_SYSMENU | WS_MINIMIZEBOX),
              WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(Text(Control("StatusBar1")), L"");
    EXPECT_EQ(Frm_vantrel->PgCntrl->ActivePageIndex(), 0);
    EXPECT_TRUE(IsWindowVisible(Control("Edt_Gm_h")));
    EXPECT_FALSE(IsWindowVisible(Control("Edt_QGW")));
    EXPECT_EQ(Focused(), "PgCntrl");
    // Controls are found by their IDs: no global atom names one.
    EXPECT_EQ(GlobalFindAtomW(L"Edt_Gm_h"), 0);
    // Typing before any field has the focus changes no field.
    Key('1');
    EXPECT_EQ(Frm_vantrel->Edt_Gm_h->GetText(), "");
}

// The window's icons are `big` and `small` pixels square.
void ExpectIcons(int big, int small) {
    for (const auto& [kind, size] : {std::pair{ICON_BIG, big}, {ICON_SMALL, small}}) {
        const auto icon =
            reinterpret_cast<HICON>(SendMessageW(Frm_vantrel->Handle(), WM_GETICON, kind, 0));
        ICONINFO info{};
        ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info)) << "icon " << kind;
        BITMAP bitmap{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap),
                   &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size) << "icon " << kind;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

// The Vantrel window laid out for `dpi`: its client area, the one field off
// the grid, the status bar at the bottom edge, the window font.
void ExpectLaidOutFor(UINT dpi) {
    const double factor = dpi / kDesignDpi;
    const auto scaled = [factor](int design) { return ScaledLength(design, factor); };
    RECT client{};
    GetClientRect(Frm_vantrel->Handle(), &client);
    EXPECT_EQ(client.right, scaled(821));
    EXPECT_EQ(client.bottom, scaled(366));
    // The one field off the grid, within its sheet.
    RECT field{};
    GetWindowRect(Control("Edt_QMk_k"), &field);
    MapWindowPoints(nullptr, Control("TbSht_c"), reinterpret_cast<POINT*>(&field), 2);
    EXPECT_EQ(field.left, scaled(272));
    EXPECT_EQ(field.top, scaled(88));
    EXPECT_EQ(field.right, scaled(272 + 121));
    // The status bar still meets the bottom edge.
    RECT status{};
    GetWindowRect(Control("StatusBar1"), &status);
    MapWindowPoints(nullptr, Frm_vantrel->Handle(), reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(status.bottom, client.bottom);
    // Text at whole pixels, rounded down: 13 design pixels of character.
    LOGFONTW font{};
    GetObjectW(Frm_vantrel->FontHandle(), sizeof(font), &font);
    EXPECT_EQ(-font.lfHeight, WholeFontPixels(13, factor));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
}

TEST_F(VantrelWindow, LaysItselfOutForEachDensity) {
    constexpr UINT kGetDpiScaledSize = 0x02E4;  // Windows 10 1703's WM_GETDPISCALEDSIZE
    // Windows 10 1607's, which Wine has.
    const auto metricForDpi = reinterpret_cast<int(WINAPI*)(int, UINT)>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    ASSERT_NE(metricForDpi, nullptr);
    const auto bigIcon = [] {
        return reinterpret_cast<HICON>(
            SendMessageW(Frm_vantrel->Handle(), WM_GETICON, ICON_BIG, 0));
    };
    for (const UINT dpi : {96u, 144u, 192u, 120u}) {
        SCOPED_TRACE(dpi);
        const HICON previous = bigIcon();
        // Windows asks first how large the window will be, then suggests a
        // rectangle of that size with WM_DPICHANGED.
        SIZE asked{};
        ASSERT_TRUE(SendMessageW(Frm_vantrel->Handle(), kGetDpiScaledSize, dpi,
                                 reinterpret_cast<LPARAM>(&asked)));
        RECT suggested{};
        GetWindowRect(Frm_vantrel->Handle(), &suggested);
        suggested.right = suggested.left + asked.cx;
        suggested.bottom = suggested.top + asked.cy;
        SendMessageW(Frm_vantrel->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        ExpectLaidOutFor(dpi);
        ExpectIcons(metricForDpi(SM_CXICON, dpi), metricForDpi(SM_CXSMICON, dpi));
        // The icon replaced is gone, not kept for the life of the process.
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(previous, &info));
    }
}

// While the form lays itself out for a new density, every message to one of
// its windows finds the font that window draws with still alive: each has its
// new font before the old one is deleted.
TEST_F(VantrelWindow, EveryControlHasItsNewFontBeforeTheOldOneIsDeleted) {
    static int checked = 0;
    static int deleted = 0;
    static int hidden = 0;  // messages while the form was not visible
    // Every message to a window of the form, as the window gets it.
    const HHOOK hook = SetWindowsHookExW(
        WH_CALLWNDPROC,
        [](int code, WPARAM wParam, LPARAM lParam) {
            static bool asking = false;
            const HWND window = reinterpret_cast<const CWPSTRUCT*>(lParam)->hwnd;
            if (code == HC_ACTION && !asking &&
                GetAncestor(window, GA_ROOT) == Frm_vantrel->Handle()) {
                asking = true;
                const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
                asking = false;
                checked += font != nullptr ? 1 : 0;
                deleted += font != nullptr && GetObjectType(font) != OBJ_FONT ? 1 : 0;
                hidden += IsWindowVisible(Frm_vantrel->Handle()) ? 0 : 1;
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    // What the process holds of GDI objects, where Windows counts them (Wine
    // does not: 0).
    const auto gdiObjects = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    const DWORD before = gdiObjects();
    for (const UINT dpi : {144u, 96u, 120u}) {
        Frm_vantrel->ChangeDpi(dpi, nullptr);
        Pump();
    }
    UnhookWindowsHookEx(hook);
    EXPECT_GT(checked, 0);
    EXPECT_EQ(deleted, 0) << "of " << checked << " messages";
    // Laid out again, the form stays shown: it holds back no redraw by
    // hiding itself (WM_SETREDRAW clears WS_VISIBLE).
    EXPECT_EQ(hidden, 0) << "of " << checked << " messages";
    // Back at the density it started at, it holds as many GDI objects.
    EXPECT_EQ(gdiObjects(), before);
    // Where Wine counts none: the tab body's brush keeps its own copy of the
    // pattern, and the bitmap it was drawn in is gone.
    if (const HBRUSH body = Frm_vantrel->PgCntrl->Body()) {
        LOGBRUSH pattern{};
        ASSERT_EQ(GetObjectW(body, sizeof pattern, &pattern), static_cast<int>(sizeof pattern));
        EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(pattern.lbHatch)), 0u);
    }
}

RECT PlaceIn(HWND control, HWND container) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// A 32-bit drawing surface in memory, top row first, for reading back what
// was drawn on it.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    // The colour at a point, as 0xRRGGBB, once drawing has finished.
    DWORD Pixel(int x, int y) const {
        GdiFlush();
        return static_cast<const DWORD*>(bits_)[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    void* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// The pixels a label inks when it draws itself alone, in its parent's
// coordinates.
std::vector<POINT> InkOf(HWND label) {
    const RECT box = PlaceIn(label, GetParent(label));
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    // Drawn as it is and drawn without its text: the ink is what differs,
    // on whatever background the label has (the button face, a tab body).
    const Canvas drawn(width, height);
    const Canvas background(width, height);
    const std::wstring text = Text(label);
    SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowTextW(label, L"");
    SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(background.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowTextW(label, text.c_str());
    std::vector<POINT> ink;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (drawn.Pixel(x, y) != background.Pixel(x, y)) {
                ink.push_back({box.left + x, box.top + y});
            }
        }
    }
    return ink;
}

// A sheet shows the visual style's tab body, as a property sheet's page does,
// captions included; without a visual style, the button face.
TEST_F(VantrelWindow, SheetsShowTheTabBodyOfTheVisualStyle) {
    const HWND sheet = Frm_vantrel->TbSht_G->Handle();
    RECT client{};
    GetClientRect(sheet, &client);
    const Canvas expected(client.right, client.bottom);
    const HANDLE theme = OpenThemeData(Frm_vantrel->PgCntrl->Handle(), L"TAB");
    if (theme != nullptr) {
        DrawThemeBackground(theme, expected.Dc(), TABP_BODY, 0, &client, nullptr);
        CloseThemeData(theme);
    } else {
        FillRect(expected.Dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    const Canvas shown(client.right, client.bottom);
    SendMessageW(sheet, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.Dc()), PRF_ERASEBKGND);
    const RECT caption = PlaceIn(Frm_vantrel->Lbl_Gl_c->Handle(), sheet);
    const Canvas label(caption.right - caption.left, caption.bottom - caption.top);
    SendMessageW(Frm_vantrel->Lbl_Gl_c->Handle(), WM_PRINTCLIENT,
                 reinterpret_cast<WPARAM>(label.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    for (const POINT p : {POINT{client.right - 3, 3}, POINT{client.right / 2, client.bottom - 3}}) {
        EXPECT_EQ(shown.Pixel(p.x, p.y), expected.Pixel(p.x, p.y)) << p.x << "," << p.y;
    }
    // The caption's box, right of its text.
    const int right = caption.right - caption.left - 1;
    EXPECT_EQ(label.Pixel(right, 0), expected.Pixel(caption.left + right, caption.top));
}

// How well the text drawn in `window` reads: the contrast of the pixel that
// stands out most from the colour at its box's right edge (a caption's box
// runs on past its text; a field's past its number). A tab control's box is
// its shown tab's.
double ContrastOf(HWND window, UINT what) {
    RECT client{};
    GetClientRect(window, &client);
    RECT box = client;
    wchar_t windowClass[32] = {};
    GetClassNameW(window, windowClass, static_cast<int>(std::size(windowClass)));
    if (std::wstring_view(windowClass) == WC_TABCONTROLW) {
        TabCtrl_GetItemRect(window, TabCtrl_GetCurSel(window), &box);
    }
    const Canvas drawn(client.right, client.bottom);
    // A colour no scheme here has marks what the window did not draw.
    constexpr DWORD kUndrawn = 0xFF00FF;
    const HBRUSH undrawn = CreateSolidBrush(RGB(0xFF, 0x00, 0xFF));
    FillRect(drawn.Dc(), &client, undrawn);
    DeleteObject(undrawn);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Dc()), what);
    const auto colour = [](DWORD rgb) {
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    const POINT edge{box.right - 3, (box.top + box.bottom) / 2};
    const COLORREF background = colour(drawn.Pixel(edge.x, edge.y));
    EXPECT_NE(drawn.Pixel(edge.x, edge.y), kUndrawn) << "no background drawn";
    double most = 1;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (drawn.Pixel(x, y) != kUndrawn) {
                most = std::max(most, ContrastRatio(colour(drawn.Pixel(x, y)), background));
            }
        }
    }
    return most;
}

// In every system colour scheme each caption, superscript, field, button and
// tab reads: 4.5 : 1 or more against what is beneath it. The scheme changes
// as Windows changes it, with the form told by WM_SYSCOLORCHANGE.
TEST_F(VantrelWindow, EveryTextReadsInEverySystemColourScheme) {
    constexpr int kElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    struct Scheme {
        const char* name;
        COLORREF colours[std::size(kElements)];
    };
    const COLORREF saved[] = {GetSysColor(kElements[0]), GetSysColor(kElements[1]),
                              GetSysColor(kElements[2]), GetSysColor(kElements[3])};
    const Scheme schemes[] = {
        {"high-contrast black",
         {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)}},
        {"high-contrast white",
         {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)}},
        {"dark", {RGB(30, 30, 30), RGB(230, 230, 230), RGB(45, 45, 45), RGB(240, 240, 240)}},
        {"3D objects dark", {saved[0], saved[1], RGB(64, 64, 64), RGB(255, 255, 255)}},
        {"as it was", {saved[0], saved[1], saved[2], saved[3]}},
    };
    Frm_vantrel->PgCntrl->SetActivePageIndex(5);
    Frm_vantrel->Edt_PGPa->SetText("7");
    // Captions, a superscript, a field, a button, the tabs.
    const HWND texts[] = {Control("Lbl_PGPa"), Control("Lbl_Pkg_cm"), Control("Label2"),
                          Control("Edt_PGPa"), Control("Btn_Exit"),   Control("PgCntrl")};
    // With Wine's visual style, or without one where the session has the
    // classic look (Wine draws a session's look whatever a program asks). The
    // last scheme puts the colours back.
    for (const Scheme& scheme : schemes) {
        SCOPED_TRACE(scheme.name);
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, scheme.colours);
        SendMessageW(Frm_vantrel->Handle(), WM_SYSCOLORCHANGE, 0, 0);
        Pump();
        for (const HWND text : texts) {
            EXPECT_GE(ContrastOf(text, PRF_CLIENT | PRF_ERASEBKGND), 4.5) << NameOf(text);
        }
    }
}

// Where the ink of `text` ends, drawn unclipped in `font` from x = 0.
long FreeInkEnd(HFONT font, const std::wstring& text) {
    constexpr int kWidth = 400;
    constexpr int kHeight = 60;
    const Canvas canvas(kWidth, kHeight);
    const HGDIOBJ previousFont = SelectObject(canvas.Dc(), font);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    TextOutW(canvas.Dc(), 0, 0, text.c_str(), static_cast<int>(text.size()));
    long end = 0;
    for (int x = 0; x < kWidth; ++x) {
        for (int y = 0; y < kHeight; ++y) {
            if (canvas.Pixel(x, y) != 0xFFFFFF) {
                end = x + 1;
            }
        }
    }
    SelectObject(canvas.Dc(), previousFont);
    return end;
}

// Every caption of the Vantrel window shows whole, and each superscript digit
// stands right after the letters it raises, as laid out for `dpi`.
void ExpectCaptionsWholeFor(UINT dpi) {
    const std::pair<const char*, const char*> superscripts[] = {
        {"Label3", "Lbl_Gm_h"},   {"Label4", "Lbl_Gm_m"},      {"Label5", "Lbl_Gm_c"},
        {"Label2", "Lbl_Pkg_mm"}, {"Lbl_Index", "Lbl_Pkg_cm"}, {"Label1", "Lbl_Pkg_m"},
    };
    // No caption loses ink to its own box.
    for (const char* sheet : {"TbSht_G", "TbSht_c", "TbSht_Q", "TbSht_QQ", "TbSht_H", "TbSht_P"}) {
        for (HWND w = GetWindow(Control(sheet), GW_CHILD); w != nullptr;
             w = GetWindow(w, GW_HWNDNEXT)) {
            const std::string name = NameOf(w);
            if (name.rfind("Lbl_", 0) != 0) {
                continue;
            }
            const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
            long shown = 0;
            for (const POINT& p : InkOf(w)) {
                shown = std::max(shown, p.x + 1 - PlaceIn(w, GetParent(w)).left);
            }
            EXPECT_EQ(shown, FreeInkEnd(font, Text(w))) << name;
        }
    }
    for (const auto& [digitName, captionName] : superscripts) {
        SCOPED_TRACE(digitName);
        const HWND digit = Control(digitName);
        const HWND caption = Control(captionName);
        const std::vector<POINT> digitInk = InkOf(digit);
        const std::vector<POINT> captionInk = InkOf(caption);
        ASSERT_FALSE(digitInk.empty());
        long digitInkLeft = LONG_MAX;
        for (const POINT& p : digitInk) {
            digitInkLeft = std::min(digitInkLeft, p.x);
        }
        // The raised letters are the caption's ink before the digit's.
        long raisedInkEnd = LONG_MIN;
        const RECT digitBox = PlaceIn(digit, GetParent(digit));
        for (const POINT& p : captionInk) {
            if (p.x < digitInkLeft) {
                raisedInkEnd = std::max(raisedInkEnd, p.x + 1);
            }
            // The digit's opaque box would hide it.
            EXPECT_FALSE(PtInRect(&digitBox, p)) << p.x << "," << p.y;
        }
        // Clear of them, and no farther than the Linux window's four
        // pixels at 120 ppi.
        EXPECT_GE(digitInkLeft - raisedInkEnd, 1);
        EXPECT_LE(digitInkLeft - raisedInkEnd, ScaledLength(4, dpi / kDesignDpi));
        // Drawn above its caption in the z-order.
        bool above = false;
        for (HWND w = GetWindow(caption, GW_HWNDPREV); w != nullptr;
             w = GetWindow(w, GW_HWNDPREV)) {
            above = above || w == digit;
        }
        EXPECT_TRUE(above);
    }
}

TEST_F(VantrelWindow, EveryCaptionShowsWholeAndEachSuperscriptRightAfterItsLetters) {
    for (const UINT dpi : {72u, 96u, 144u, 120u}) {
        SCOPED_TRACE(dpi);
        Frm_vantrel->ChangeDpi(dpi, nullptr);
        ExpectCaptionsWholeFor(dpi);
    }
}

// Windows 7 has no per-window density: the window is laid out once, when it
// is created, for the system's density.
TEST(Windows7, TheWindowIsLaidOutOnceForTheSystemsDensity) {
    // 0: the screen's own, as Windows 7 reads it; Wine's desktop is at 120
    // ppi here.
    for (const UINT systemDpi : {96u, 144u, 0u}) {
        SCOPED_TRACE(systemDpi);
        const UINT dpi = systemDpi != 0 ? systemDpi : 120;
        UseWindows7Fallbacks(true, systemDpi);
        {
            int argc = 0;
            TApplication application(argc, nullptr);
            application.Initialize();
            application.SetIconResource(VANTREL_ICON);
            application.CreateForm(Frm_vantrel);
            Frm_vantrel->Show();
            Pump();
            EXPECT_EQ(Frm_vantrel->Dpi(), dpi);
            RECT outer{};
            GetWindowRect(Frm_vantrel->Handle(), &outer);
            EXPECT_EQ(outer.left, ScaledLength(190, dpi / kDesignDpi));
            EXPECT_EQ(outer.top, ScaledLength(132, dpi / kDesignDpi));
            ExpectLaidOutFor(dpi);
            ExpectCaptionsWholeFor(dpi);
            // Windows 7 shows icons at the system's sizes.
            ExpectIcons(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CXSMICON));
        }
        UseWindows7Fallbacks(false);
    }
}

// On a screen of another density than the system's (Windows 10 1607 and
// later), the window opens laid out for its screen's: 144 ppi here, on Wine's
// 120.
TEST(PerMonitorDensity, TheWindowOpensForItsScreensDensity) {
    AnswerWindowDpi(144);
    {
        int argc = 0;
        TApplication application(argc, nullptr);
        application.Initialize();
        application.CreateForm(Frm_vantrel);
        // The sheets not shown first are made too, as once the window is up.
        Frm_vantrel->Complete();
        EXPECT_EQ(Frm_vantrel->Dpi(), 144u);
        RECT outer{};
        GetWindowRect(Frm_vantrel->Handle(), &outer);
        EXPECT_EQ(outer.left, ScaledLength(190, 1.2));
        EXPECT_EQ(PlaceIn(Control("Edt_QMk_k"), Control("TbSht_c")).left, ScaledLength(272, 1.2));
    }
    AnswerWindowDpi(0);
}

TEST_F(VantrelWindow, TheWindowFontHasTheDesignsTextHeightAndCyrillic) {
    const FaceMeasurement measured = MeasureFace(Frm_vantrel->FontFace(), 13, true);
    EXPECT_TRUE(measured.installed) << ToUtf8(measured.face);
    EXPECT_TRUE(measured.cyrillic);
    EXPECT_EQ(measured.textHeight, 16);
}

TEST_F(VantrelWindow, FieldsAreNamedForAssistiveTechnologyAsTheirCaptionsRead) {
    struct Named {
        const char* field;
        const wchar_t* name;
    };
    // The accessible name, not the caption's own characters: a superscript
    // digit, a Cyrillic М where the caption has a Latin M.
    const Named fields[] = {
        {"Edt_Gm_h", L"м³/ч"}, {"Edt_QMW", L"МВт"}, {"Edt_Pkg_cm", L"кгс/см²"}, {"Edt_Hg", L"гс"}};
    for (const Named& f : fields) {
        IAccessible* accessible = nullptr;
        ASSERT_EQ(
            AccessibleObjectFromWindow(Control(f.field), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&accessible)),
            S_OK);
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_EQ(std::wstring(name != nullptr ? name : L""), f.name) << f.field;
        SysFreeString(name);
        accessible->Release();
    }
}

TEST_F(VantrelWindow, AnEditWithoutAKeyRecalculatesItsOwnSheetAndLeavesTheFocus) {
    SetFocus(Control("Edt_Gm_h"));
    // Set from outside in a field of a sheet not shown.
    SendMessageW(Control("Edt_QkW"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2"));
    Pump();
    EXPECT_EQ(Frm_vantrel->Edt_QW->GetText(), "2000");
    EXPECT_EQ(Frm_vantrel->Edt_Gm_m->GetText(), "");
    EXPECT_EQ(Focused(), "Edt_Gm_h");
    EXPECT_EQ(Frm_vantrel->PgCntrl->ActivePageIndex(), 0);
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (!text.empty()) {
        const HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(copy)), text.c_str());
        GlobalUnlock(copy);
        SetClipboardData(CF_UNICODETEXT, copy);
    }
    CloseClipboard();
}

// The items of a menu, "-" for a greyed one.
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION) > 0) {
            const bool greyed =
                (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) != 0;
            items.push_back((greyed ? L"-" : L"") + std::wstring(text));
        }
    }
    return items;
}

TEST_F(VantrelWindow, AFieldsContextMenuIsRussianAndItsEditsRecalculate) {
    const HWND field = Frm_vantrel->Edt_Gm_h->Handle();
    SetFocus(field);
    Key('2');
    struct MenuCase {
        const char* what;
        bool undoable;           // the field has an edit to undo
        const wchar_t* pasting;  // on the clipboard; L"" for nothing
        DWORD start, end;        // the selection
        std::vector<std::wstring> items;
    };
    const std::vector<MenuCase> cases = {
        {"nothing selected",
         true,
         L"",
         1,
         1,
         {L"&Отменить", L"-&Вырезать", L"-&Копировать", L"-В&ставить", L"-&Удалить",
          L"Выделить &всё"}},
        {"nothing to undo",
         false,
         L"",
         1,
         1,
         {L"-&Отменить", L"-&Вырезать", L"-&Копировать", L"-В&ставить", L"-&Удалить",
          L"Выделить &всё"}},
        {"all selected",
         true,
         L"7",
         0,
         DWORD(-1),
         {L"&Отменить", L"&Вырезать", L"&Копировать", L"В&ставить", L"&Удалить",
          L"-Выделить &всё"}},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.undoable) {
            SendMessageW(field, EM_EMPTYUNDOBUFFER, 0, 0);
        }
        PutOnClipboard(field, c.pasting);
        SendMessageW(field, EM_SETSEL, c.start, static_cast<LPARAM>(c.end));
        const HMENU menu = CreateEditMenu(field);
        EXPECT_EQ(Items(menu), c.items);
        DestroyMenu(menu);
        // For the next case: the typed '2' to undo.
        Key(VK_BACK);
        Key('2');
    }

    // The field's right button shows this menu, not Windows' own, and the
    // item chosen from it with the keys, «Вставить», pastes; the sheet follows.
    PutOnClipboard(field, L"7");
    SendMessageW(field, EM_SETSEL, 0, -1);
    static std::vector<std::wstring> shown;
    shown.clear();
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND popup = FindWindowW(L"#32768", nullptr);
        shown = Items(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
        // The fourth item that can be chosen.
        for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(popup, WM_KEYDOWN, key, 1);
            PostMessageW(popup, WM_KEYUP, key, kReleased | 1);
        }
    });
    RECT place{};
    GetClientRect(field, &place);
    const LPARAM inside = MAKELPARAM(place.right / 2, place.bottom / 2);
    PostMessageW(field, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    PostMessageW(field, WM_RBUTTONUP, 0, inside);
    Pump();
    Pump();
    EXPECT_EQ(shown, cases.back().items);
    EXPECT_EQ(Frm_vantrel->Edt_Gm_h->GetText(), "7");
    EXPECT_EQ(Frm_vantrel->Edt_Gl_h->GetText(), "7000");
    // Undone through the menu's command, the sheet follows too.
    RunEditCommand(field, static_cast<UINT>(EditCommand::kUndo));
    Pump();
    EXPECT_EQ(Frm_vantrel->Edt_Gl_h->GetText(), "2000");
}

TEST_F(VantrelWindow, ARefusedTextShowsOneWarningAndChangesNothing) {
    MessageBoxes boxes;
    Frm_vantrel->PgCntrl->SetActivePageIndex(2);
    SetFocus(Control("Edt_QkW"));
    Key('1');
    ASSERT_EQ(Frm_vantrel->Edt_QW->GetText(), "1000");
    // Set from outside, as a screen reader sets a value: judged once done.
    SendMessageW(Control("Edt_QkW"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1x"));
    Pump();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, L"Вантрел едениц измерения");
    EXPECT_NE(boxes.shown[0].text.find(L"1x"), std::wstring::npos);
    EXPECT_EQ(Frm_vantrel->Edt_QW->GetText(), "1000");
    EXPECT_EQ(Focused(), "Edt_QkW");
    // The Enter that dismissed the box is released over the field: nothing.
    PostMessageW(GetFocus(), WM_KEYUP, VK_RETURN, kReleased | 1);
    Pump();
    EXPECT_EQ(boxes.shown.size(), 1u);
}

// A text wider than its field shows its start once the focus has moved on:
// its tail alone, «32109,87654321», reads as another number. And a copied
// cell pastes as its first line, read as documents write numbers.
TEST_F(VantrelWindow, ALongTextShowsItsStartOnceTheFocusHasLeftAndACellPastesAsItsLine) {
    const HWND field = Frm_vantrel->Edt_Gm_h->Handle();
    SetFocus(field);
    for (const wchar_t c : std::wstring(L"98765432109,87654321")) {
        Key(c == L',' ? VK_OEM_COMMA : c);
    }
    const std::string litres = Frm_vantrel->Edt_Gl_h->GetText();
    ASSERT_GT(SendMessageW(field, EM_GETFIRSTVISIBLELINE, 0, 0), 0);  // its first visible character
    Key(VK_TAB);
    EXPECT_EQ(SendMessageW(field, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(Frm_vantrel->Edt_Gm_h->GetText(), "98765432109,87654321");
    EXPECT_EQ(Frm_vantrel->Edt_Gl_h->GetText(), litres);

    // Pasted over the text from the context menu.
    PutOnClipboard(field, L"1\u00A0000\r\n");
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_PASTE, 0, 0);
    Pump();
    EXPECT_EQ(Frm_vantrel->Edt_Gm_h->GetText(), "1\u00A0000");
    EXPECT_EQ(Frm_vantrel->Edt_Gl_h->GetText(), "1000000");
}

}  // namespace
}  // namespace vantrel
