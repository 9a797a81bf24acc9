// A page control and its sheets. The tabs wrap onto further rows when they do
// not fit in one (TCS_MULTILINE); each sheet fills the control's display area
// below them, and only the active sheet is shown.
#pragma once

#include <string>
#include <vector>

#include "t_control.h"

namespace vantrel {

class TTabSheet;

class TPageControl : public TControl {
public:
    TPageControl(TControl& parent, std::string_view name);

    void SetActivePageIndex(int index);
    int ActivePageIndex() const;
    // Places the control, then its sheets in the area its tab rows leave.
    void Layout(const FormScale& scale) override;

    // A sheet joins its page control when it is created, as its last tab.
    int AddSheet(TTabSheet& sheet);
    void SetTabCaption(int index, std::wstring_view caption);

protected:
    LRESULT Notify(const NMHDR& header) override;

private:
    void ShowActivePage();

    std::vector<TTabSheet*> sheets_;
    std::vector<std::wstring> captions_;
};

// One page of a page control; shows the form's button-face colour. Its
// window text is its accessible name.
class TTabSheet : public TControl {
public:
    TTabSheet(TControl& parent, std::string_view name);

    // The caption of its tab.
    void SetCaption(std::wstring_view caption) override;
    void SetAccessibleName(std::wstring_view name) override;
    // The page control places the sheet; this lays out what it holds.
    void Layout(const FormScale& scale) override;

private:
    TPageControl& pages_;
    int index_;
};

}  // namespace vantrel
