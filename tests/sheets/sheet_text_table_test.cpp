// Every build shows exactly the texts of the case table the Linux build wrote
// (tests/sheets/sheet_texts.txt): the same typing, the same texts, to the
// character, in every field of every sheet.
#include "sheet_text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

namespace vantrel {
namespace {

const SheetCatalogue* FindSheet(const std::string& quantity) {
    const auto sheets = AllSheets();
    const auto found = std::find_if(sheets.begin(), sheets.end(), [&](const SheetCatalogue* s) {
        return s->quantity == quantity;
    });
    return found == sheets.end() ? nullptr : *found;
}

TEST(SheetTextTable, EveryFieldShowsTheTabledTextAfterTyping) {
    std::ifstream file(VANTREL_SHEET_TEXTS);
    ASSERT_TRUE(file) << "cannot open " << VANTREL_SHEET_TEXTS;
    const std::vector<SheetTextBlock> blocks = ParseSheetTexts(file);

    std::set<std::string> sheetsTabled;
    for (const SheetTextBlock& block : blocks) {
        const SheetCatalogue* sheet = FindSheet(block.sheet);
        ASSERT_NE(sheet, nullptr) << "no sheet [" << block.sheet << "]";
        ASSERT_EQ(block.fields, SheetFields(*sheet)) << block.sheet;
        sheetsTabled.insert(block.sheet);
        std::set<std::string> sources;
        for (const SheetTextRow& row : block.rows) {
            sources.insert(row.source);
            const std::vector<std::string> shown = ShownAfterTyping(*sheet, row.source, row.typed);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                EXPECT_EQ(shown[i], row.shown[i])
                    << "typing " << row.typed << " in " << row.source << ": " << block.fields[i];
            }
        }
        EXPECT_EQ(sources, std::set<std::string>(block.fields.begin(), block.fields.end()))
            << "every field of [" << block.sheet << "] is typed into at least once";
    }
    EXPECT_EQ(sheetsTabled.size(), AllSheets().size());
}

}  // namespace
}  // namespace vantrel
