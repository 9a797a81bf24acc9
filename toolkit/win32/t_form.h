// A top-level window built from a stored layout: fixed single border, system
// menu and Minimise but no Maximise, button-face background. The layout gives
// its controls in design pixels; the form takes the density of its screen
// before its first control is created, so that every control is created at
// its place and in its font for that density. It lays them out again when it
// moves to a screen of another density (WM_DPICHANGED).
//
// Focus and keys, as in a Windows dialog: the application's message loop
// hands the form's messages to the dialog manager (IsDialogMessage), which
// moves the focus with Tab and Shift+Tab through the windows in their z-order,
// the layout's tab order, skipping what is hidden (the fields of the sheets
// not shown), and selects a field's text as Tab enters it. Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch sheets from anywhere in the
// form.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "accessible_annotation.h"
#include "qt_markers.h"
#include "t_control.h"
#include "window_font.h"

namespace vantrel {

class TEdit;
class TPageControl;

class TForm : public TControl {
public:
    TForm();
    ~TForm() override;

    // Outer top-left corner on the screen, in design pixels.
    void SetLeft(int left) { left_ = left; }
    void SetTop(int top) { top_ = top; }
    // The form's controls in the order Tab visits them.
    void SetTabOrder(std::initializer_list<TControl*> order);

    // The form's design pixels on its screen. The first call, when the form's
    // own properties are set and before its first control is created, chooses
    // the window font and places and sizes the form for its screen's density.
    const DesignScale& Scale();
    // Runs once, after the layout has been built: the form is ready to show.
    void Loaded();
    // Lays the form out again for `dpi`, in `suggested` where given (what
    // Windows proposes with WM_DPICHANGED), else with its corner where it is.
    // Wine never sends WM_DPICHANGED; a test calls this itself.
    void ChangeDpi(UINT dpi, const RECT* suggested);
    UINT Dpi() const { return static_cast<UINT>(scale_.Dpi()); }
    const std::wstring& FontFace() const { return fontFace_; }

    // Shows the form, active, and paints it; then publishes its controls'
    // annotations for assistive technology. The focus goes to the first
    // control of the tab order that can take it once the form is complete.
    void Show();

    // What the layout creates only once the form has been shown: the controls
    // of the sheets not shown at first, which a window needs no sooner than
    // its user can switch to them. It runs from the message loop right after
    // the first paint (the loop takes posted messages before any input), or
    // when Complete is called before that.
    void CreateLater(std::function<void()> rest) { rest_ = std::move(rest); }
    // Creates what waits, if anything does; throws what creating a control
    // throws. A form that has been shown then takes the focus into its first
    // tab stop.
    void Complete();
    // The message the form posts itself to be completed from the loop.
    static constexpr UINT kCompleteMessage = WM_APP + 0x100;

    // The value field that has the keyboard focus within the form, or nullptr.
    TEdit* FocusedEdit() const;
    // The form's value field with this layout name, or nullptr.
    TEdit* FindEdit(std::string_view layoutName) const;

    // Every control of the form by its control ID: a control joins when its
    // window is created.
    void AddControl(TControl& control);
    TControl* ControlWithId(int id) const;
    // The annotations for assistive technology of the form's controls.
    AccessibleAnnotations& Annotations() { return annotations_; }

    // While set, FocusedEdit reports `edit`, whatever has the focus: a field
    // edited without a key recalculates its sheet from itself, and the focus
    // stays where it is. nullptr ends it.
    void ReportFocusOn(TEdit* edit);

    // The form's part of the message loop, before the dialog manager's: the
    // keys that switch sheets. True when it took the message.
    bool PreTranslate(const MSG& message);
    // The form a window belongs to, or nullptr.
    static TForm* OfWindow(HWND window);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The outer corner for `dpi`, in its screen's pixels.
    POINT CornerFor(UINT dpi) const;
    // The outer size whose client area is the layout's at `scale`, with the
    // frame drawn at `frameDpi`.
    SIZE OuterSizeFor(const DesignScale& scale, UINT frameDpi) const;
    // Takes `dpi` and the form's font and icons for it, and sizes the form so
    // that its client area is the layout's, its corner moved to `where`'s if
    // given; `retired` gets the font it replaces.
    void TakeDpi(UINT dpi, const RECT* where, std::vector<UniqueFont>& retired);
    // The program's icons at the sizes Windows shows them at `dpi`; the ones
    // they replace are destroyed.
    void TakeIcons(UINT dpi);
    HWND FirstTabStop() const;
    void RestoreFocus();

    int left_ = 0;
    int top_ = 0;
    bool scaled_ = false;
    bool loaded_ = false;
    DesignScale scale_{96, 0};
    SIZE outerSize_{};
    UniqueIcon icons_[2];  // ICON_BIG, ICON_SMALL; destroyed after the window
    std::wstring fontFace_;
    std::vector<TControl*> tabOrder_;
    TPageControl* pages_ = nullptr;  // the first of the tab order, whose sheets the keys switch
    std::function<void()> rest_;
    HWND savedFocus_ = nullptr;
    TEdit* reportedFocus_ = nullptr;
    std::map<int, TControl*> controlsById_;
    mutable std::map<std::string, TEdit*, std::less<>> editsByName_;
    AccessibleAnnotations annotations_;
};

}  // namespace vantrel
