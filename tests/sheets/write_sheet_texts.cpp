// Writes the case table of sheet texts as this build shows them:
//   write_sheet_texts tests/sheets/sheet_texts.txt
// (the update_sheet_texts target runs it on the table in the source tree).
#include <fstream>
#include <iostream>

#include "sheet_text_table.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_sheet_texts TABLE_FILE\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << vantrel::FormatSheetTexts(vantrel::ComputeSheetTexts());
    out.close();
    if (!out) {
        std::cerr << "write_sheet_texts: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
