#include "sheet_text_table.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "core/sheet_engine.h"
#include "tests/support/headless_window.h"

namespace vantrel {

namespace {

// Values a user types: plain, fractional, negative with an exponent, small,
// large, more digits than extended precision holds, and both ends of the range
// the sheets accept.
constexpr const char* kTypedValues[] = {
    "1",        "2,5",      "-7,25E2", "0,000123", "123456789", "3,14159265358979323846",
    "1,5E-300", "9,99E290",
};

constexpr const char* kHeader =
    R"(# What every field of a sheet shows after a value is typed into one of its
# fields: per sheet, one row per case with the typed text, the field typed into
# (layout name) and the text of every field of the sheet in catalogue order;
# "=" marks the field typed into, which keeps the typed text.
#
# Every build must show exactly these texts: the Windows build checks them
# under Wine, and the Linux build, whose sheet catalogue test proves the values
# right against exact arithmetic, writes them. After a change to the number
# texts, rewrite the table from the Linux build and review the difference:
#
#   cmake --build --preset default --target update_sheet_texts
)";

constexpr const char* kTypedMark = "=";

std::vector<std::string> Tokens(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    return tokens;
}

// Rows of cells in columns padded to their widest cell.
void WriteAligned(std::ostream& out, const std::vector<std::vector<std::string>>& lines) {
    std::vector<std::size_t> widths;
    for (const auto& line : lines) {
        widths.resize(std::max(widths.size(), line.size()));
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], line[i].size());
        }
    }
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            text += line[i];
            text.append(widths[i] + 2 - line[i].size(), ' ');
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    }
}

}  // namespace

std::vector<std::string> SheetFields(const SheetCatalogue& sheet) {
    std::vector<std::string> fields;
    for (const CatalogueGroup& group : sheet.groups) {
        for (const CatalogueUnit& unit : group.units) {
            fields.emplace_back(unit.field);
        }
    }
    return fields;
}

std::vector<std::string> ShownAfterTyping(const SheetCatalogue& sheet, std::string_view source,
                                          std::string_view typed) {
    HeadlessWindow window(AllFieldNames());
    window.Focus(source);
    window.Edit(source).Insert(typed);
    RecalcSheet(window, MakeSheetTables(sheet, window));
    std::vector<std::string> shown;
    for (const std::string& field : SheetFields(sheet)) {
        shown.push_back(window.Text(field));
    }
    return shown;
}

std::vector<SheetTextBlock> ComputeSheetTexts() {
    std::vector<SheetTextBlock> blocks;
    for (const SheetCatalogue* sheet : AllSheets()) {
        SheetTextBlock& block = blocks.emplace_back();
        block.sheet = sheet->quantity;
        block.fields = SheetFields(*sheet);
        for (const std::string& source : block.fields) {
            for (const char* typed : kTypedValues) {
                block.rows.push_back({typed, source, ShownAfterTyping(*sheet, source, typed)});
            }
        }
    }
    return blocks;
}

std::string FormatSheetTexts(const std::vector<SheetTextBlock>& blocks) {
    std::ostringstream out;
    out << kHeader;
    for (const SheetTextBlock& block : blocks) {
        out << "\n[" << block.sheet << "]\n";
        std::vector<std::vector<std::string>> lines;
        lines.push_back({"typed", "source"});
        lines.back().insert(lines.back().end(), block.fields.begin(), block.fields.end());
        for (const SheetTextRow& row : block.rows) {
            lines.push_back({row.typed, row.source});
            for (std::size_t i = 0; i < row.shown.size(); ++i) {
                lines.back().push_back(block.fields[i] == row.source ? kTypedMark : row.shown[i]);
            }
        }
        WriteAligned(out, lines);
    }
    return out.str();
}

std::vector<SheetTextBlock> ParseSheetTexts(std::istream& in) {
    std::vector<SheetTextBlock> blocks;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const auto fail = [&](const std::string& why) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + why);
        };
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::vector<std::string> tokens = Tokens(line);
        if (tokens.empty() || tokens.front().starts_with('#')) {
            continue;
        }
        if (line.starts_with('[') && line.ends_with(']')) {
            blocks.emplace_back().sheet = line.substr(1, line.size() - 2);
        } else if (blocks.empty()) {
            fail("a row before the first [sheet]");
        } else if (SheetTextBlock& block = blocks.back(); block.fields.empty()) {
            if (tokens.size() < 3 || tokens[0] != "typed" || tokens[1] != "source") {
                fail("expected the header \"typed source <fields>\"");
            }
            block.fields.assign(tokens.begin() + 2, tokens.end());
        } else if (tokens.size() != block.fields.size() + 2) {
            fail("expected " + std::to_string(block.fields.size() + 2) + " columns");
        } else {
            SheetTextRow& row = block.rows.emplace_back(
                SheetTextRow{tokens[0], tokens[1], {tokens.begin() + 2, tokens.end()}});
            for (std::string& text : row.shown) {
                text = text == kTypedMark ? row.typed : text;
            }
        }
    }
    return blocks;
}

}  // namespace vantrel
