// Keeps a value field to one line, as a Windows single-line edit does: of a
// text pasted or dropped into it, only the first line is inserted. A copied
// spreadsheet cell ends in a line break; kept, it would make the field's text
// something other than the number it shows.
#pragma once

#include <QValidator>

namespace vantrel {

class FirstLineOnly : public QValidator {
public:
    using QValidator::QValidator;

    // `input` is the field's text after an insertion and `cursor` where the
    // insertion ended; the field's text before held no line break, so the
    // first one is in the inserted text.
    State validate(QString& input, int& cursor) const override;
};

}  // namespace vantrel
