#include "t_page_control.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "text_ink.h"
#include "window_classes.h"

namespace vantrel {

namespace {

// The room either side of a tab's caption: the common controls' own 6 by 3
// pixels, in design pixels.
constexpr int kTabPaddingX = 6;
constexpr int kTabPaddingY = 3;

TPageControl& PagesOf(TControl& parent, std::string_view sheet) {
    auto* pages = dynamic_cast<TPageControl*>(&parent);
    if (pages == nullptr) {
        throw std::logic_error("sheet " + std::string(sheet) + " is not on a page control");
    }
    return *pages;
}

}  // namespace

TPageControl::TPageControl(TControl& parent, std::string_view name) : TControl(&parent, name) {
    CreateHandle(WC_TABCONTROLW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS |
                                     WS_CLIPCHILDREN | TCS_MULTILINE);
}

int TPageControl::AddSheet(TTabSheet& sheet) {
    const int index = static_cast<int>(sheets_.size());
    wchar_t empty[] = L"";
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = empty;
    TabCtrl_InsertItem(Handle(), index, &tab);
    sheets_.push_back(&sheet);
    return index;
}

void TPageControl::SetTabCaption(int index, std::wstring_view caption) {
    captions_.resize(std::max(captions_.size(), static_cast<std::size_t>(index) + 1));
    captions_[static_cast<std::size_t>(index)] = caption;
    std::wstring text(caption);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text.data();
    TabCtrl_SetItem(Handle(), index, &tab);
}

void TPageControl::SetActivePageIndex(int index) {
    TabCtrl_SetCurSel(Handle(), index);
    ShowActivePage();
}

int TPageControl::ActivePageIndex() const {
    return static_cast<int>(TabCtrl_GetCurSel(Handle()));
}

void TPageControl::Layout(const FormScale& scale) {
    // A tab is as wide as its caption measures plus its padding; where the
    // caption draws wider than it measures (Wine's small bold Tahoma), the
    // padding takes the difference, so that no caption touches its tab's edge.
    UpdateOwnFont(scale);
    int overhang = 0;
    for (const std::wstring& caption : captions_) {
        const TextInk ink = MeasureText(FontHandle(), caption);
        overhang = std::max(overhang, ink.inkRight - ink.advance);
    }
    TabCtrl_SetPadding(Handle(), scale.Length(kTabPaddingX) + (overhang + 1) / 2,
                       scale.Length(kTabPaddingY));
    PlaceAndSetFont(scale);
    // The tab rows as the font and width now make them.
    RECT display{};
    GetClientRect(Handle(), &display);
    TabCtrl_AdjustRect(Handle(), FALSE, &display);
    for (TTabSheet* sheet : sheets_) {
        SetWindowPos(sheet->Handle(), nullptr, display.left, display.top,
                     display.right - display.left, display.bottom - display.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        sheet->Layout(scale);
    }
}

LRESULT TPageControl::Notify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        ShowActivePage();
    }
    return 0;
}

void TPageControl::ShowActivePage() {
    const int active = ActivePageIndex();
    const HWND focus = GetFocus();
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        const HWND sheet = sheets_[i]->Handle();
        if (static_cast<int>(i) == active) {
            ShowWindow(sheet, SW_SHOW);
        } else {
            // The focus does not stay behind on a field no one can see.
            if (focus != nullptr && IsChild(sheet, focus)) {
                SetFocus(Handle());
            }
            ShowWindow(sheet, SW_HIDE);
        }
    }
}

TTabSheet::TTabSheet(TControl& parent, std::string_view name)
    : TControl(&parent, name), pages_(PagesOf(parent, name)) {
    CreateHandle(kSheetWindowClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                 WS_EX_CONTROLPARENT);
    index_ = pages_.AddSheet(*this);
}

void TTabSheet::SetCaption(std::wstring_view caption) {
    pages_.SetTabCaption(index_, caption);
}

void TTabSheet::SetAccessibleName(std::wstring_view name) {
    TControl::SetCaption(name);
    TControl::SetAccessibleName(name);
}

void TTabSheet::Layout(const FormScale& scale) {
    LayoutChildren(scale);
}

}  // namespace vantrel
