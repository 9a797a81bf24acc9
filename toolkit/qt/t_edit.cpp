#include "toolkit/qt/t_edit.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QScopedValueRollback>

#include "toolkit/qt/first_line_only.h"
#include "toolkit/qt/t_application.h"
#include "toolkit/qt/t_form.h"
#include "toolkit/qt/typed_key.h"

namespace vantrel {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    // Every character has to pass the key-press event; an input method would
    // commit composed text past it. Number text needs no composition.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Of a pasted text, the first line, as a Windows edit takes it.
    setValidator(new FirstLineOnly(this));
    connect(this, &QLineEdit::textEdited, this, &TEdit::NoteEdit);
}

std::string TEdit::GetText() const {
    return text().toStdString();
}

void TEdit::WriteText(const std::string& text) {
    setText(QString::fromStdString(text));
    setCursorPosition(0);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    const QScopedValueRollback<bool> typing(inKeyPress_, true);
    const QString typed = TypedText(*event);
    if (typed.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString accepted;
    for (const char32_t character : typed.toUcs4()) {
        char key = ToKeyChar(character);
        const char asTyped = key;
        RunEventMethod([&] { emit KeyPress(key); });
        if (key == asTyped) {
            accepted += QString::fromUcs4(&character, 1);
        } else if (key != 0) {
            accepted += QChar::fromLatin1(key);
        }
    }
    if (accepted == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!accepted.isEmpty()) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                          event->nativeVirtualKey(), event->nativeModifiers(), accepted,
                          event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&changed);
    }
}

void TEdit::NoteEdit() {
    if (inKeyPress_) {
        return;
    }
    // After the mouse press, menu or drop that made the edit has finished,
    // so that a message about the new text never opens inside a drag or a
    // menu.
    QMetaObject::invokeMethod(this, &TEdit::FinishEditWithoutKey, Qt::QueuedConnection);
}

void TEdit::FinishEditWithoutKey() {
    // The sheet recalculates from the focused field, which for this one call
    // is the field edited, wherever the focus is.
    auto* form = qobject_cast<TForm*>(window());
    if (form == nullptr) {
        return;
    }
    form->ReportFocusOn(this);
    RunEventMethod([this] { emit KeyUp(); });
    form->ReportFocusOn(nullptr);
}

void TEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Once the focus is on another control, a text wider than the field shows
    // its start: its tail alone reads as another number. Not for a context
    // menu or another window (the error box): the caret stays where it was.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        setCursorPosition(0);
    }
}

void TEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) {
        RunEventMethod([this] { emit KeyUp(); });
    }
}

}  // namespace vantrel
