// A value field: a single-line edit whose typed characters pass through a
// key-press event that may change or discard them, and whose key releases
// raise a key-up event.
#pragma once

#include <QLineEdit>
#include <string>

#include "toolkit/field_host.h"

namespace vantrel {

class TEdit : public QLineEdit, public ValueField {
    Q_OBJECT
public:
    explicit TEdit(QWidget* parent = nullptr);

    std::string GetText() const override;

signals:
    // Before a typed character is inserted, as one 8-bit character; a handler
    // may change it, or set it to 0 so that nothing is inserted. Editing
    // commands (arrows, Delete, clipboard, undo) do not raise it.
    void KeyPress(char& key);
    // After the field has handled the release of a key, the Tab that moved
    // the focus here included. Auto-repeat raises it once, on the physical
    // release. (A release that changes nothing, such as that of the Enter
    // that dismissed a message box, recalculates nothing: the sheet agrees
    // with the field's text already.) An edit made without a key of the field
    // (pasting with the mouse or the context menu, undo from the menu,
    // dropping text) raises it too, once the edit is done, with the field
    // reported as the form's focused field for that call: every edit that
    // changes the text is followed by a key-up, and the focus stays where it
    // is.
    void KeyUp();

protected:
    // Shows `text` from its first character, as a field written by the
    // program does, so a long text shows its beginning.
    void WriteText(const std::string& text) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void NoteEdit();
    void FinishEditWithoutKey();

    bool inKeyPress_ = false;  // edits by key get the key's own release
};

}  // namespace vantrel
