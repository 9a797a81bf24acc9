#include "toolkit/design_metrics.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(DesignMetrics, FontsRoundDownToWholePixelsAndLengthsToNearest) {
    struct Case {
        double dpi;
        int windowFont;  // 8 pt: 13 design pixels
        int fieldWidth;  // 121 design pixels
    };
    const Case cases[] = {
        {120, 13, 121}, {96, 10, 97}, {100, 10, 101}, {72, 7, 73}, {144, 15, 145}, {240, 26, 242},
    };
    EXPECT_EQ(FontDesignPixels(8), 13);
    EXPECT_EQ(FontDesignPixels(6), 10);
    for (const Case& c : cases) {
        const double factor = c.dpi / kDesignDpi;
        EXPECT_EQ(WholeFontPixels(FontDesignPixels(8), factor), c.windowFont) << c.dpi;
        EXPECT_EQ(ScaledLength(121, factor), c.fieldWidth) << c.dpi;
    }
    EXPECT_EQ(WholeFontPixels(1, 0.5), 1);
}

TEST(DesignMetrics, SuperscriptKeepsItsGapClearOfTheLettersAroundIt) {
    struct Case {
        const char* what;
        SuperscriptText text;
        double gap;
        int left;
    };
    const Case cases[] = {
        // "кгс/мм" then "2": nothing after the digit, the gap holds.
        {"gap after the raised letters", {560, 48.4, 47.0, std::nullopt, 1, 6}, 2, 610},
        // The raised letters' ink reaches past their advance: the digit moves clear.
        {"raised ink overhangs", {160, 10, 14.2, std::nullopt, 1, 6}, 1, 174},
        // "м  /ч": the slash after the gap bounds the digit's ink.
        {"letters after the gap", {160, 10, 9, 15.5, 1, 6}, 4, 169},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SuperscriptLeft(c.text, c.gap), c.left) << c.what;
    }
}

}  // namespace
}  // namespace vantrel
