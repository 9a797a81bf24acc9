// A top-level window built from a stored layout: fixed single border, system
// menu and Minimise but no Maximise, button-face background. The layout gives
// its controls in design pixels; Loaded() scales them once for the screen.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class TEdit;

class TForm : public QWidget {
    Q_OBJECT
    // Outer top-left corner on the screen, in design pixels.
    Q_PROPERTY(int Left READ Left WRITE setLeft)
    Q_PROPERTY(int Top READ Top WRITE setTop)
public:
    explicit TForm(QWidget* parent = nullptr);

    int Left() const { return left_; }
    void setLeft(int left) { left_ = left; }
    int Top() const { return top_; }
    void setTop(int top) { top_ = top; }

    // Runs once, after the layout has been built: turns the layout's point
    // sizes into design-pixel fonts, scales every position, size and font by
    // the screen's logical DPI / 120, fits auto-sized labels to their text,
    // fixes the client size and places the window.
    void Loaded();

    // The value field that has the keyboard focus within the form, or nullptr.
    TEdit* FocusedEdit() const;
    // The form's value field with this layout name, or nullptr.
    TEdit* FindEdit(std::string_view layoutName) const;

    // While set, FocusedEdit reports `edit`, whatever has the focus: a field
    // edited without a key recalculates its sheet from itself, and the focus
    // stays where it is. nullptr ends it.
    void ReportFocusOn(TEdit* edit) { reportedFocus_ = edit; }

private:
    int left_ = 0;
    int top_ = 0;
    bool loaded_ = false;
    TEdit* reportedFocus_ = nullptr;
    mutable std::map<std::string, TEdit*, std::less<>> editsByName_;
};

}  // namespace vantrel
