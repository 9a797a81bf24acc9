#include "toolkit/qt/first_line_only.h"

#include <algorithm>

namespace vantrel {

QValidator::State FirstLineOnly::validate(QString& input, int& cursor) const {
    const auto isLineBreak = [](QChar c) { return c == u'\n' || c == u'\r'; };
    const auto lineBreak = std::find_if(input.cbegin(), input.cend(), isLineBreak);
    if (lineBreak != input.cend()) {
        // Drop the inserted text from its first line break on; the text after
        // the insertion stays.
        const auto at = static_cast<int>(lineBreak - input.cbegin());
        input.remove(at, cursor > at ? cursor - at : input.size() - at);
        cursor = at;
    }
    return Acceptable;
}

}  // namespace vantrel
