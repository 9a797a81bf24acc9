#include "core/sheet_engine.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <stdexcept>
#include <string>

#include "sheets/sheet_catalogue.h"
#include "sheets/sheet_routines.h"
#include "tests/support/headless_window.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"

namespace vantrel {
namespace {

class SheetEngine : public testing::Test {
protected:
    HeadlessWindow window{AllFieldNames()};

    // Types `text` into a field as a user would: focus it, replace its text.
    void Type(std::string_view field, const std::string& text) {
        window.Focus(field);
        window.Edit(field).Insert(text);
    }
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> texts;
        for (const auto& name : window.LayoutNames()) {
            texts[name] = window.Text(name);
        }
        return texts;
    }
};

TEST_F(SheetEngine, SameGroupTargetsUseFactorOne) {
    Type("Edt_QMW", "1");
    RecalcHeatFlow(window);
    EXPECT_EQ(window.Text("Edt_QGW"), "0,001");
    EXPECT_EQ(window.Text("Edt_QkW"), "1000");
    EXPECT_EQ(window.Text("Edt_QW"), "1000000");
}

TEST_F(SheetEngine, NeverRewritesTheSourceField) {
    Type("Edt_QkW", "1,50");
    RecalcHeatFlow(window);
    EXPECT_EQ(window.Text("Edt_QkW"), "1,50");
    EXPECT_EQ(window.Text("Edt_QW"), "1500");
    // Entering with Tab selected the text; a rewrite would have dropped that.
    window.Focus("Edt_QkW");
    RecalcHeatFlow(window);
    EXPECT_TRUE(window.Edit("Edt_QkW").HasSelection());
}

TEST_F(SheetEngine, ZeroFillsTheSheetWithZeros) {
    Type("Edt_Pkg_cm", "0");
    RecalcPressure(window);
    for (const auto& unit : {"Edt_PGPa", "Edt_PPa", "Edt_Pmmrtst", "Edt_Pkg_mm", "Edt_Patm"}) {
        EXPECT_EQ(window.Text(unit), "0") << unit;
    }
}

TEST_F(SheetEngine, EmptySourceEmptiesItsSheetOnly) {
    Type("Edt_Gl_h", "5");
    RecalcVolumeFlow(window);
    Type("Edt_QW", "5");
    RecalcHeatFlow(window);
    ASSERT_FALSE(window.Text("Edt_QGkh").empty());

    window.Focus("Edt_QW");
    window.Edit("Edt_QW").Backspace();
    RecalcHeatFlow(window);
    for (const auto& unit : {"Edt_QGW", "Edt_QMW", "Edt_QkW", "Edt_QGkh", "Edt_Qkh"}) {
        EXPECT_EQ(window.Text(unit), "") << unit;
    }
    EXPECT_EQ(window.Text("Edt_Gm_h"), "0,005");  // the volume-flow sheet keeps its texts
    EXPECT_EQ(window.Text("Edt_Gl_h"), "5");
}

TEST_F(SheetEngine, DoesNothingWhenTheFocusIsNotOnTheSheet) {
    Type("Edt_QkW", "1");
    RecalcHeatFlow(window);
    const auto before = Snapshot();
    window.Unfocus();
    RecalcHeatFlow(window);
    EXPECT_EQ(Snapshot(), before);
    Type("Edt_HH", "");  // an empty field of another sheet must not clear this one
    RecalcHeatFlow(window);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(SheetEngine, RefusedTextChangesNoFieldOfAnySheet) {
    const std::string refused[] = {
        ",",
        "E",
        "-",
        "E5",
        "1,,2",
        "12abc",
        "1 2",
        "nan",
        "inf",
        "жжж",
        std::string(1 << 20, '7') + "x",
        "1E400",  // readable, but a double cannot hold it
    };
    Type("Edt_QJ", "42");
    RecalcHeat(window);
    for (const auto& text : refused) {
        Type("Edt_QJ", text);
        const auto before = Snapshot();
        EXPECT_THROW(RecalcHeat(window), EConvertError) << text.substr(0, 20);
        EXPECT_EQ(Snapshot(), before) << text.substr(0, 20);
        EXPECT_EQ(window.Text("Edt_QkJ"), "0,042");
    }
}

// A recalculation from a field whose text its sheet already agrees with would
// convert a result back through factors that are not exact reciprocals.
TEST_F(SheetEngine, RecalculatesOnlyFromATextTheSheetHasNotSeen) {
    struct Step {
        const char* what;
        const char* field;  // focused for the key release
        const char* typed;  // replaces the field's text first; nullptr: no edit
        bool recalculates;
    };
    const Step steps[] = {
        {"typing 2,5 in m3/h", "Edt_Gm_h", "2,5", true},
        {"a second release in m3/h", "Edt_Gm_h", nullptr, false},
        {"Tab into the l/s result", "Edt_Gl_c", nullptr, false},
        {"Tab into the m3/min result", "Edt_Gm_m", nullptr, false},
        {"editing the m3/min result", "Edt_Gm_m", "0,04", true},
        {"back into m3/h, now a result", "Edt_Gm_h", nullptr, false},
        {"clearing m3/h", "Edt_Gm_h", "", true},
        {"a release in the cleared field", "Edt_Gm_h", nullptr, false},
    };
    for (const Step& step : steps) {
        if (step.typed != nullptr) {
            Type(step.field, step.typed);
        } else {
            window.Focus(step.field);
        }
        const auto before = Snapshot();
        RecalcVolumeFlow(window);
        EXPECT_EQ(Snapshot() != before, step.recalculates) << step.what;
    }
    EXPECT_EQ(window.Text("Edt_Gl_h"), "");
}

TEST_F(SheetEngine, ARefusedTextIsReportedOnceAndItsNextEditAfresh) {
    Type("Edt_HkH", "2");
    RecalcForce(window);
    Type("Edt_HkH", "abc");
    EXPECT_THROW(RecalcForce(window), EConvertError);
    EXPECT_NO_THROW(RecalcForce(window)) << "a key that changed nothing";
    EXPECT_EQ(window.Text("Edt_HkH"), "abc");
    EXPECT_EQ(window.Text("Edt_HH"), "2000");
    window.Edit("Edt_HkH").Insert("1");
    EXPECT_THROW(RecalcForce(window), EConvertError) << "the next edit";
    Type("Edt_HkH", "3");
    RecalcForce(window);
    EXPECT_EQ(window.Text("Edt_HH"), "3000");
}

TEST_F(SheetEngine, ValueTooLargeForItsBaseUnitIsRefusedWithAMessage) {
    Type("Edt_QGJ", "1E306");  // 1E306 GJ is 1E315 J
    try {
        RecalcHeat(window);
        FAIL() << "1E306 GJ was converted";
    } catch (const EConvertError& error) {
        EXPECT_NE(std::string(error.what()).find("«1E306»"), std::string::npos) << error.what();
    }
    EXPECT_EQ(window.Text("Edt_QJ"), "");
    Type("Edt_QJ", "1E306");  // the same number in joules fits
    RecalcHeat(window);
    EXPECT_EQ(window.Text("Edt_QGJ"), "1E297");
}

// Whether the reader or the engine finds a value out of a double's range, too
// large and too small have one wording each. A double holds a base value with
// every digit a field shows only down to its smallest normal value; zero is
// held, of either sign.
TEST_F(SheetEngine, ValuesADoubleCannotHoldAreRefusedWithOneWordingEach) {
    enum Verdict { kHeld, kTooLarge, kTooSmall };
    struct RangeCase {
        const char* field;
        const char* text;
        Verdict verdict;
        const char* joules = "";  // what Edt_QJ shows when held
    };
    const RangeCase cases[] = {
        {"Edt_QGJ", "1E306", kTooLarge},     // 1E315 J
        {"Edt_QJ", "1E-5000", kTooSmall},    // would read as zero
        {"Edt_QJ", "1E-400", kTooSmall},     // would be 0 as a double
        {"Edt_QkJ", "4,9E-324", kTooSmall},  // 4,9E-321 J: a subnormal double
        {"Edt_QJ", "2,3E-308", kTooSmall},   // 5,497E-309 cal
        {"Edt_Qk", "2,3E-308", kHeld, "9,6301E-308"},
        {"Edt_QGJ", "1E-290", kHeld, "1E-281"},
        {"Edt_Qk", "-0", kHeld, "0"},
        {"Edt_Qk", "0E-99999", kHeld, "0"},
    };
    for (const auto& [field, text, verdict, joules] : cases) {
        SCOPED_TRACE(std::string(field) + " " + text);
        Type("Edt_QJ", "");
        RecalcHeat(window);
        Type(field, text);
        try {
            RecalcHeat(window);
            EXPECT_EQ(verdict, kHeld);
            EXPECT_EQ(window.Text("Edt_QJ"), joules);
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), std::string(verdict == kTooLarge ? TooLargeError(text).what()
                                                                     : TooSmallError(text).what()));
            EXPECT_NE(verdict, kHeld);
            EXPECT_EQ(window.Text(field == std::string("Edt_QJ") ? "Edt_Qk" : "Edt_QJ"), "");
        }
    }
}

TEST_F(SheetEngine, EveryWrittenFieldCanBeTheNextSource) {
    // 1E308 l/s is 3,6E311 l/h: no double holds that, so nothing is written
    // that would be refused when the user moves into it.
    Type("Edt_Gl_c", "1E308");
    EXPECT_THROW(RecalcVolumeFlow(window), EConvertError);
    EXPECT_EQ(window.Text("Edt_Gl_h"), "");

    // The largest double itself is a source like any other: each joule text,
    // rounded to the digits its field shows, reads back within range. (From
    // calories it would not: 0,239 and 4,187 are not exact reciprocals.)
    Type("Edt_QJ", "1,7976931348623157E308");
    RecalcHeat(window);
    for (const auto& name : {"Edt_QGJ", "Edt_QMJ", "Edt_QkJ"}) {
        window.Focus(name);
        EXPECT_NO_THROW(RecalcHeat(window)) << name << " shows " << window.Text(name);
    }

    Type("Edt_Gl_c", "1E304");
    RecalcVolumeFlow(window);
    for (const auto& name : {"Edt_Gm_h", "Edt_Gl_h", "Edt_Gm_m", "Edt_Gl_m", "Edt_Gm_c"}) {
        window.Focus(name);
        EXPECT_NO_THROW(RecalcVolumeFlow(window)) << name << " shows " << window.Text(name);
    }
}

// A written text is rounded to the digits its field shows, which may carry it
// past the largest double though the value itself fits. The catalogue's
// power-of-ten scales never meet that; a unit of 9 J does.
TEST_F(SheetEngine, RefusesAResultWhoseWrittenTextReadsBackBeyondADouble) {
    constexpr long double kLargest = std::numeric_limits<double>::max();
    const auto recalcWithNineJouleUnit = [this](const std::string& typed) {
        Type("Edt_QJ", typed);
        SheetTables tables = MakeSheetTables(kHeat, window);
        tables.UnitScales[0][0] = 9;  // Edt_QGJ
        RecalcSheet(window, std::move(tables));
    };
    const std::string roundsUp = FloatToStr(1.797693e308L / 9);
    ASSERT_GT(StrToFloat(roundsUp) * 9, kLargest) << roundsUp;
    EXPECT_THROW(recalcWithNineJouleUnit("1,797693E308"), EConvertError);
    EXPECT_EQ(window.Text("Edt_QkJ"), "");

    recalcWithNineJouleUnit("1,79769E308");
    EXPECT_LE(StrToFloat(window.Text("Edt_QGJ")) * 9, kLargest) << window.Text("Edt_QGJ");
    EXPECT_EQ(window.Text("Edt_QkJ"), "1,79769E305");
}

TEST_F(SheetEngine, RefusesInconsistentTables) {
    Type("Edt_QW", "1");
    SheetTables tables = MakeSheetTables(kHeatFlow, window);
    tables.UnitScales[1][2] = 0;
    EXPECT_THROW(RecalcSheet(window, std::move(tables)), std::invalid_argument);
    SheetTables ragged = MakeSheetTables(kHeatFlow, window);
    ragged.GroupFactors[0].pop_back();
    EXPECT_THROW(RecalcSheet(window, std::move(ragged)), std::invalid_argument);
}

}  // namespace
}  // namespace vantrel
