#include "toolkit/qt/typed_key.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <array>

namespace vantrel {

namespace {

// Shortcuts a line edit handles as commands. Most carry no printable text or
// hold Ctrl anyway; listing them keeps a keyboard scheme that binds one to a
// printable key from sending it through the filter.
constexpr std::array kEditingCommands = {
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::SelectAll,
    QKeySequence::Copy,
    QKeySequence::Cut,
    QKeySequence::Paste,
    QKeySequence::Delete,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::DeleteEndOfLine,
    QKeySequence::DeleteCompleteLine,
};

bool IsEditingCommand(const QKeyEvent& event) {
    for (QKeySequence::StandardKey command : kEditingCommands) {
        if (event.matches(command)) {
            return true;
        }
    }
    return false;
}

// A line edit inserts a key's text when it is printable and the key is not
// a Ctrl (or Ctrl+Shift) combination; AltGr, which some layouts report as
// Ctrl+Alt, still types.
bool InsertsText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    const QChar first = text.front();
    return first.isPrint() || first.category() == QChar::Other_Format ||
           first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

}  // namespace

QString TypedText(const QKeyEvent& event) {
    if (IsEditingCommand(event)) {
        return {};
    }
    if (event.key() == Qt::Key_Backspace && !(event.modifiers() & Qt::ControlModifier)) {
        return QString(QChar(8));
    }
    return InsertsText(event) ? event.text() : QString();
}

}  // namespace vantrel
