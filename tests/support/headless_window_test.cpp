#include "tests/support/headless_window.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vantrel {
namespace {

TEST(HeadlessWindow, EditsLikeASingleLineField) {
    HeadlessWindow window({"Edt_A", "Edt_B"});
    HeadlessField& a = window.Edit("Edt_A");
    a.SetText("12");
    window.Focus("Edt_A");  // entering selects the whole text
    EXPECT_TRUE(a.HasSelection());
    a.Insert("7");
    EXPECT_EQ(a.GetText(), "7");
    a.Insert("5");
    a.MoveCaret(1);
    a.Insert(",");
    EXPECT_EQ(a.GetText(), "7,5");
    a.MoveCaret(99);
    a.Backspace();
    EXPECT_EQ(a.GetText(), "7,");
    a.MoveCaret(0);
    a.Backspace();  // nothing before the caret
    EXPECT_EQ(a.GetText(), "7,");
    EXPECT_EQ(window.FocusedField(), &a);
    window.Unfocus();
    EXPECT_EQ(window.FocusedField(), nullptr);
}

TEST(HeadlessWindow, RefusesUnknownAndDuplicateNames) {
    HeadlessWindow window({"Edt_A"});
    EXPECT_THROW(window.Field("Edt_Z"), std::out_of_range);
    EXPECT_THROW(HeadlessWindow({"Edt_A", "Edt_A"}), std::invalid_argument);
}

}  // namespace
}  // namespace vantrel
