// Typing into the real window from outside, as a user does: every sheet
// shows what the project's own core computes for the same keys, a result can
// be visited without changing, a refused text gets one box, sheets keep their
// texts, and Help does nothing.
#include <gtest/gtest.h>

#include "shared_window.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"
#include "user_input.h"

namespace vantrel::driver {
namespace {

struct TypedRow {
    int sheetIndex;
    const char* sheet;
    const char* field;
    const wchar_t* keys;
    const char* shown;  // what the keystroke filter leaves in the field
};

// One value typed on each sheet, through the filter: '.' becomes ',', 'e'
// becomes 'E', letters (Latin and Cyrillic), spaces and a minus before any
// exponent are dropped.
const TypedRow kTyped[] = {
    {0, "TbSht_G", "Edt_Gl_m", L"2.5", "2,5"},   {1, "TbSht_c", "Edt_QkJ_k", L"1e-3", "1E-3"},
    {2, "TbSht_Q", "Edt_QkW", L"4x y,5", "4,5"}, {3, "TbSht_QQ", "Edt_Qkk", L"1\u043a.5", "1,5"},
    {4, "TbSht_H", "Edt_Hkg", L"-7.25", "7,25"}, {5, "TbSht_P", "Edt_PMPa", L"1", "1"},
};

class TypingTest : public ::testing::TestWithParam<TypedRow> {};

TEST_P(TypingTest, TypingAValueFillsEveryFieldOfItsSheet) {
    const TypedRow& row = GetParam();
    SharedWindow& shared = Shared();
    ASSERT_TRUE(shared.ShowSheet(row.sheetIndex));
    ASSERT_TRUE(shared.TabTo(row.field));
    shared.Type(row.keys);
    const Texts expected = shared.Expected(row.sheet);
    ASSERT_EQ(expected.at(row.field), row.shown);
    // Every other field holds a result, so a sheet that stayed empty fails.
    for (const auto& [name, text] : expected) {
        ASSERT_FALSE(text.empty()) << name;
    }
    EXPECT_EQ(shared.Window().SheetTexts(row.sheet), expected);
    EXPECT_TRUE(shared.Window().Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EverySheet, TypingTest, ::testing::ValuesIn(kTyped),
                         [](const auto& info) { return std::string(info.param.field); });

// Tab, the arrows, Home and End in a result change no text: recalculating
// from a result would replace the typed value (the calorie factors are not
// exact reciprocals), so the window must tell a visit from an edit.
TEST(VisitingTest, MovingThroughAResultChangesNothing) {
    SharedWindow& shared = Shared();
    VantrelWindow& window = shared.Window();
    ASSERT_TRUE(shared.ShowSheet(2));
    ASSERT_TRUE(shared.TabTo("Edt_QkW"));
    shared.Type(L"1");
    const Texts typed = window.SheetTexts("TbSht_Q");
    ASSERT_EQ(typed, shared.Expected("TbSht_Q"));

    ASSERT_TRUE(shared.TabTo("Edt_Qkkh"));
    HWND result = window.Control("Edt_Qkkh");
    const auto selection = [&] {
        return static_cast<DWORD>(SendMessageW(result, EM_GETSEL, 0, 0));
    };
    const DWORD length = static_cast<DWORD>(window.Text("Edt_Qkkh").size());
    // Each key's effect on the caret shows that the window has handled it.
    const struct {
        WORD key;
        DWORD caret;
    } moves[] = {{VK_END, length}, {VK_HOME, 0}, {VK_RIGHT, 1}, {VK_LEFT, 0}};
    for (const auto& move : moves) {
        Tap(move.key);
        EXPECT_TRUE(WaitUntil([&] {
            return selection() == static_cast<DWORD>(MAKELONG(move.caret, move.caret));
        })) << "key "
            << move.key;
        window.Settle();
        EXPECT_EQ(window.SheetTexts("TbSht_Q"), typed) << "after key " << move.key;
    }
    Tap(VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(WaitUntil([&] { return window.FocusName() == "Edt_QMkh"; }));
    window.Settle();
    EXPECT_EQ(window.SheetTexts("TbSht_Q"), typed);
}

std::string ParserMessage(const std::string& text) {
    try {
        StrToFloat(text);
    } catch (const EConvertError& error) {
        return error.what();
    }
    return "(read without error)";
}

// A refused text: one box with the parser's message, titled as the window;
// the sheet keeps its results; the Enter that dismisses the box does not
// raise it again when released over the field; the next edit is judged afresh.
TEST(RefusedTextTest, OneBoxNothingChangedDismissedWithEnter) {
    SharedWindow& shared = Shared();
    VantrelWindow& window = shared.Window();
    ASSERT_TRUE(shared.ShowSheet(2));
    ASSERT_TRUE(shared.TabTo("Edt_QMkh"));
    shared.Type(L"3");
    const Texts before = window.SheetTexts("TbSht_Q");
    ASSERT_TRUE(shared.TabTo("Edt_QMW"));
    ASSERT_TRUE(shared.TabTo("Edt_QMkh"));  // Tab selects the text; ',' replaces it
    shared.Type(L",");

    ASSERT_TRUE(WaitUntil([&] { return !window.Boxes().empty(); })) << "no message box";
    const std::vector<MessageBoxSeen> boxes = window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes.front().title, TheLayout().title);
    EXPECT_EQ(boxes.front().text, ParserMessage(","));
    Texts after = window.SheetTexts("TbSht_Q");
    EXPECT_EQ(after.at("Edt_QMkh"), ",");
    after["Edt_QMkh"] = before.at("Edt_QMkh");
    EXPECT_EQ(after, before);

    Tap(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return window.Boxes().empty(); })) << "Enter left the box open";
    EXPECT_TRUE(WaitUntil([&] { return window.FocusName() == "Edt_QMkh"; }));
    window.Settle();
    Sleep(300);  // time for a box raised by the Enter's release to show
    EXPECT_TRUE(window.Boxes().empty()) << "the released Enter raised the box again";
    EXPECT_EQ(window.SheetTexts("TbSht_Q"), shared.Expected("TbSht_Q"));

    shared.Backspace();
    EXPECT_TRUE(WaitUntil([&] { return window.Text("Edt_QMW").empty(); }));
    EXPECT_EQ(window.SheetTexts("TbSht_Q"), shared.Expected("TbSht_Q"));
}

TEST(SheetSwitchTest, SwitchingSheetsKeepsEveryText) {
    SharedWindow& shared = Shared();
    VantrelWindow& window = shared.Window();
    ASSERT_TRUE(shared.ShowSheet(0));
    ASSERT_TRUE(shared.TabTo("Edt_Gm_c"));
    shared.Type(L"3");
    const Texts all = window.AllTexts();
    ASSERT_EQ(all, shared.ExpectedAll());
    for (const int sheet : {5, 1, 4, 0}) {
        ASSERT_TRUE(shared.ShowSheet(sheet));
        EXPECT_EQ(window.AllTexts(), all) << "after showing sheet " << sheet;
    }
}

TEST(HelpTest, HelpDoesNothingAndTheStatusBarStaysEmpty) {
    SharedWindow& shared = Shared();
    VantrelWindow& window = shared.Window();
    const Texts all = window.AllTexts();
    Click(window.Control("Btn_Help"));
    ASSERT_TRUE(WaitUntil([&] { return window.FocusName() == "Btn_Help"; }));
    Tap(VK_SPACE);
    Type(L"5");
    window.Settle();
    EXPECT_EQ(window.AllTexts(), all);
    EXPECT_TRUE(window.Boxes().empty());
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_EQ(window.Text("StatusBar1"), "");
}

}  // namespace
}  // namespace vantrel::driver
