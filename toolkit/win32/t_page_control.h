// A page control and its sheets. The tabs wrap onto further rows when they do
// not fit in one (TCS_MULTILINE); each sheet fills the control's display area
// below them, and only the active sheet is shown.
//
// As in a Windows property sheet, the sheets' windows are the page control's
// siblings, not its children, so that the dialog manager takes Tab from the
// tab strip into the shown sheet's fields. The form puts the page control at
// the bottom of the z-order, below the sheets that cover its display area
// (see TForm::SetTabOrder).
#pragma once

#include <string>
#include <vector>

#include "t_control.h"

namespace vantrel {

class TTabSheet;

class TPageControl : public TControl {
public:
    TPageControl(TControl& parent, const ControlSpec& creation);

    void SetActivePageIndex(int index);
    int ActivePageIndex() const;
    // Shows the sheet `step` tabs on, going round from the last to the first
    // and back (Ctrl+Tab, Ctrl+PgDn...). The focus stays on the tab strip if
    // it is there; anywhere else, it goes to the new sheet's first field, as
    // the dialog manager's Tab enters it.
    void StepPage(int step);
    // Its font and the tabs' padding for it, which the display area, where
    // the sheets go, depends on.
    void TakeFont(const DesignScale& scale, std::vector<UniqueFont>& retired) override;

    // A sheet joins its page control before its window is created, as its
    // last tab, captioned `caption`.
    int AddSheet(TTabSheet& sheet, std::wstring_view caption);
    void SetTabCaption(int index, std::wstring_view caption);
    // The area below the tabs, in the coordinates of the page control's
    // parent window, which holds the sheets' windows.
    RECT DisplayArea() const;
    // The visual style's tab body at the display area's size, which every
    // sheet shows, made when first asked for; nullptr without a visual style.
    HBRUSH Body();
    // The colour of text drawn on the body.
    COLORREF BodyText() const { return bodyText_; }
    // Makes the body again when next asked for: the style, the colours or
    // the size changed.
    void ForgetBody() {
        body_.Reset();
        bodySize_ = {};
    }

protected:
    HWND ChildParentHandle() const override;
    LRESULT Notify(const NMHDR& header) override;

private:
    // Room either side of each tab's caption for the captions as drawn now:
    // PadTabs measures them all again (a new font), SetPadding uses what was
    // measured.
    void PadTabs(const DesignScale& scale);
    void SetPadding(const DesignScale& scale);
    // How much farther a caption's ink reaches than its advance.
    int OverhangOf(const std::wstring& caption) const;
    // Moves the sheets that have windows to the display area, where it moved.
    void PlaceSheets();
    void ShowActivePage();

    std::vector<TTabSheet*> sheets_;
    std::vector<std::wstring> captions_;
    int overhang_ = 0;  // the widest of the captions'
    UniqueBrush body_;
    SIZE bodySize_{};
    COLORREF bodyText_ = 0;
};

// One page of a page control. Where Windows draws its tabs with a visual
// style, the sheet and its captions show the style's tab body, as a property
// sheet's pages do; otherwise the form's button-face colour. Its window text
// is its accessible name.
class TTabSheet : public TControl {
public:
    TTabSheet(TControl& parent, const ControlSpec& creation);

    // The caption of its tab.
    void SetCaption(std::wstring_view caption) override;
    void SetAccessibleName(std::wstring_view name) override;

protected:
    RECT PlaceFor(const DesignScale& scale) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TPageControl& pages_;
    int index_;
};

}  // namespace vantrel
