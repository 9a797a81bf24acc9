#include "t_page_control.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "dynamic_calls.h"
#include "t_form.h"
#include "text_ink.h"
#include "toolkit/exceptions.h"
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

TPageControl::TPageControl(TControl& parent, const ControlSpec& creation)
    : TControl(parent, creation) {
    CreateHandle(WC_TABCONTROLW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS |
                                     WS_CLIPCHILDREN | TCS_MULTILINE);
    SetPadding(OwnerForm().Scale());
}

HWND TPageControl::ChildParentHandle() const {
    return Parent()->Handle();
}

int TPageControl::AddSheet(TTabSheet& sheet, std::wstring_view caption) {
    const int index = static_cast<int>(sheets_.size());
    std::wstring text(caption);
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text.data();
    if (TabCtrl_InsertItem(Handle(), index, &tab) != index) {
        throw Exception("Не удалось добавить вкладку " + std::string(sheet.Name()));
    }
    sheets_.push_back(&sheet);
    // Only the new caption is measured: the others' ink is known.
    overhang_ = std::max(overhang_, OverhangOf(text));
    captions_.push_back(std::move(text));
    SetPadding(OwnerForm().Scale());
    PlaceSheets();
    return index;
}

void TPageControl::SetTabCaption(int index, std::wstring_view caption) {
    captions_.at(static_cast<std::size_t>(index)) = caption;
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = captions_[static_cast<std::size_t>(index)].data();
    TabCtrl_SetItem(Handle(), index, &tab);
    PadTabs(OwnerForm().Scale());
    PlaceSheets();
}

void TPageControl::SetActivePageIndex(int index) {
    TabCtrl_SetCurSel(Handle(), index);
    ShowActivePage();
}

void TPageControl::StepPage(int step) {
    const auto count = static_cast<int>(sheets_.size());
    if (count == 0) {
        return;
    }
    const bool onTabs = GetFocus() == Handle();
    SetActivePageIndex(((ActivePageIndex() + step) % count + count) % count);
    if (onTabs) {
        return;
    }
    const HWND first = GetNextDlgTabItem(
        sheets_[static_cast<std::size_t>(ActivePageIndex())]->Handle(), nullptr, FALSE);
    if (first == nullptr) {
        SetFocus(Handle());
        return;
    }
    SetFocus(first);
    if ((SendMessageW(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
        SendMessageW(first, EM_SETSEL, 0, -1);
    }
}

int TPageControl::ActivePageIndex() const {
    return static_cast<int>(TabCtrl_GetCurSel(Handle()));
}

HBRUSH TPageControl::Body() {
    const RECT display = DisplayArea();
    const SIZE size{display.right - display.left, display.bottom - display.top};
    if (size.cx != bodySize_.cx || size.cy != bodySize_.cy) {
        body_.Reset(CreateTabBodyBrush(Handle(), size, bodyText_));
        bodySize_ = size;
    }
    return body_.Get();
}

RECT TPageControl::DisplayArea() const {
    // The tab rows as the font, the captions and the width now make them.
    RECT display{};
    GetClientRect(Handle(), &display);
    TabCtrl_AdjustRect(Handle(), FALSE, &display);
    MapWindowPoints(Handle(), ChildParentHandle(), reinterpret_cast<POINT*>(&display), 2);
    return display;
}

int TPageControl::OverhangOf(const std::wstring& caption) const {
    const TextInk ink = MeasureText(FontHandle(), caption);
    return ink.inkRight - ink.advance;
}

void TPageControl::PadTabs(const DesignScale& scale) {
    overhang_ = 0;
    for (const std::wstring& caption : captions_) {
        overhang_ = std::max(overhang_, OverhangOf(caption));
    }
    SetPadding(scale);
}

void TPageControl::SetPadding(const DesignScale& scale) {
    // A tab is as wide as its caption measures plus its padding; where a
    // caption draws wider than it measures (Wine's small bold Tahoma), the
    // padding takes the difference, so that no caption touches its tab's edge.
    TabCtrl_SetPadding(Handle(), scale.Length(kTabPaddingX) + (overhang_ + 1) / 2,
                       scale.Length(kTabPaddingY));
}

void TPageControl::PlaceSheets() {
    const RECT display = DisplayArea();
    for (TTabSheet* sheet : sheets_) {
        RECT place{};
        if (sheet->Handle() == nullptr) {
            continue;
        }
        GetWindowRect(sheet->Handle(), &place);
        MapWindowPoints(nullptr, ChildParentHandle(), reinterpret_cast<POINT*>(&place), 2);
        if (EqualRect(&place, &display) == FALSE) {
            SetWindowPos(sheet->Handle(), nullptr, display.left, display.top,
                         display.right - display.left, display.bottom - display.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void TPageControl::TakeFont(const DesignScale& scale, std::vector<UniqueFont>& retired) {
    TControl::TakeFont(scale, retired);
    PadTabs(scale);
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

TTabSheet::TTabSheet(TControl& parent, const ControlSpec& creation)
    : TControl(parent, creation), pages_(PagesOf(parent, creation.name)) {
    index_ = pages_.AddSheet(*this, creation.text);
    CreateHandle(kSheetWindowClass, WS_CHILD | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT TTabSheet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            // The body and its text colour are made again for the new style
            // or colours.
            pages_.ForgetBody();
            InvalidateRect(Handle(), nullptr, TRUE);
            break;
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(Handle(), &client);
            const HBRUSH body = pages_.Body();
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     body != nullptr ? body : GetSysColorBrush(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH body = pages_.Body()) {
                // A caption fills its box with the body, lined up with the
                // sheet's own, so that it shows no box of its own.
                const auto dc = reinterpret_cast<HDC>(wParam);
                POINT origin{};
                MapWindowPoints(reinterpret_cast<HWND>(lParam), Handle(), &origin, 1);
                SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
                SetTextColor(dc, pages_.BodyText());
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(body);
            }
            break;
        default:
            break;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

void TTabSheet::SetCaption(std::wstring_view caption) {
    pages_.SetTabCaption(index_, caption);
}

void TTabSheet::SetAccessibleName(std::wstring_view name) {
    TControl::SetCaption(name);
    TControl::SetAccessibleName(name);
}

RECT TTabSheet::PlaceFor(const DesignScale& /*scale*/) const {
    return pages_.DisplayArea();
}

}  // namespace vantrel
