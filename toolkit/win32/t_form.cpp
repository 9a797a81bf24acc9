#include "t_form.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "dynamic_calls.h"
#include "t_application.h"
#include "t_edit.h"
#include "t_page_control.h"
#include "toolkit/application_base.h"
#include "toolkit/design_metrics.h"
#include "window_classes.h"

namespace vantrel {

namespace {

// The window font's candidates, in order of preference (see window_font.h),
// and the text height the design gives the window font: 16 pixels for its 13
// of character height at 120 ppi.
const std::vector<std::wstring> kWindowFaceCandidates = {L"Microsoft Sans Serif", L"Tahoma"};
constexpr int kDesignTextHeight = 16;

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Windows 10 1703 asks a per-monitor aware window for its size at a new
// density with this message before WM_DPICHANGED; older headers lack it.
constexpr UINT kGetDpiScaledSize = 0x02E4;

void VisitControls(const TControl& container, const std::function<void(TControl&)>& visit) {
    for (const auto& control : container.Controls()) {
        visit(*control);
        VisitControls(*control, visit);
    }
}

bool CanTakeFocus(HWND window) {
    return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window);
}

}  // namespace

TForm::TForm() {
    RegisterToolkitClasses();
    CreateHandle(kFormWindowClass, kFormStyle);
}

TForm::~TForm() {
    // While the form is whole: its windows' last messages still reach it.
    annotations_.Clear();
    DestroyHandle();
}

void TForm::SetTabOrder(std::initializer_list<TControl*> order) {
    tabOrder_.assign(order.begin(), order.end());
    // The dialog manager tabs through the windows in their z-order, which is
    // the order they were created in, the layout's; the layout's tab order
    // follows it (the form compiler sees to that). Only a page control goes to
    // the bottom, for its sheets to cover its display area. The layout lists
    // it first, and Tab goes round: from the last tab stop Tab still comes to
    // the tab strip, and from there into the shown sheet.
    pages_ = nullptr;
    for (TControl* control : tabOrder_) {
        if (auto* pages = dynamic_cast<TPageControl*>(control)) {
            SetWindowPos(control->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            pages_ = pages_ != nullptr ? pages_ : pages;
        }
    }
}

const DesignScale& TForm::Scale() {
    if (scaled_) {
        return scale_;
    }
    scaled_ = true;
    fontFace_ =
        ChooseWindowFace(kWindowFaceCandidates, FontDesignPixels(Font().points), kDesignTextHeight);
    // At the corner for the density of the screen the form is on; if the
    // corner lies on a screen of another density, at the corner for that one.
    // The form is still empty, so moving it costs nothing.
    UINT dpi = WindowDpi(Handle());
    for (int move = 0; move < 2; ++move) {
        const POINT corner = CornerFor(dpi);
        SetWindowPos(Handle(), nullptr, corner.x, corner.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const UINT there = WindowDpi(Handle());
        if (there == dpi) {
            break;
        }
        dpi = there;
    }
    std::vector<UniqueFont> none;
    TakeDpi(dpi, nullptr, none);
    return scale_;
}

void TForm::Loaded() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    Scale();
}

void TForm::ChangeDpi(UINT dpi, const RECT* suggested) {
    Complete();
    // The fonts the controls drew with until now: deleted when this returns,
    // once every control has its new one.
    std::vector<UniqueFont> retired;
    TakeDpi(dpi, suggested, retired);
    // The controls move in batches, each window repainting once; the fonts
    // were set without a redraw, so all of it is drawn again at the end.
    RelayoutChildren(scale_, retired);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

POINT TForm::CornerFor(UINT dpi) const {
    const double factor = dpi / kDesignDpi;
    return {ScaledLength(left_, factor), ScaledLength(top_, factor)};
}

SIZE TForm::OuterSizeFor(const DesignScale& scale, UINT frameDpi) const {
    RECT outer{0, 0, scale.Length(DesignBounds().width), scale.Length(DesignBounds().height)};
    // The window's own styles, as Windows completed them when it was made.
    AdjustWindowRectForDpi(outer, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), frameDpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void TForm::TakeDpi(UINT dpi, const RECT* where, std::vector<UniqueFont>& retired) {
    scale_ = DesignScale(dpi, Font().points);
    MakeOwnFont(scale_, retired);
    SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    TakeIcons(dpi);
    // The frame at the density Windows draws it at: the window's own. Once
    // Windows has moved the window to a screen of another density, as when
    // it sends WM_DPICHANGED, that is `dpi`, and the size is the one Windows
    // suggests; where it is not (Wine draws every frame at the system's
    // density), the client area is still the layout's.
    outerSize_ = OuterSizeFor(scale_, WindowDpi(Handle()));
    if (where != nullptr) {
        SetWindowPos(Handle(), nullptr, where->left, where->top, outerSize_.cx, outerSize_.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(Handle(), nullptr, 0, 0, outerSize_.cx, outerSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TForm::TakeIcons(UINT dpi) {
    if (Application == nullptr) {
        return;
    }
    constexpr std::pair<WPARAM, int> kIcons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (std::size_t i = 0; i < std::size(kIcons); ++i) {
        const auto [kind, metric] = kIcons[i];
        UniqueIcon icon(Application->LoadWindowIcon(SystemMetricForDpi(metric, dpi)));
        if (icon.Get() != nullptr) {
            SendMessageW(Handle(), WM_SETICON, kind, reinterpret_cast<LPARAM>(icon.Get()));
            // The icon it replaces, which the window no longer shows, goes.
            icons_[i] = std::move(icon);
        }
    }
}

void TForm::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    RestoreFocus();
    // Every window of the form painted now, its controls too, whose own
    // paint messages would otherwise wait behind the completion.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (rest_) {
        PostMessageW(Handle(), kCompleteMessage, 0, 0);
    }
    annotations_.Publish();
}

void TForm::Complete() {
    if (!rest_) {
        return;
    }
    std::exchange(rest_, nullptr)();
    // The fields by name are indexed again, with the new ones.
    editsByName_.clear();
    if (GetActiveWindow() == Handle()) {
        RestoreFocus();
    }
}

TEdit* TForm::FocusedEdit() const {
    if (reportedFocus_ != nullptr) {
        return reportedFocus_;
    }
    HWND focus = GetFocus();
    // While a message box has the keyboard, the field the form will give it
    // back to.
    if (focus == nullptr || (focus != Handle() && !IsChild(Handle(), focus))) {
        focus = savedFocus_;
    }
    return dynamic_cast<TEdit*>(FromHandle(focus));
}

TEdit* TForm::FindEdit(std::string_view layoutName) const {
    // Every key release resolves a sheet's fields by name; the index is made
    // on the first one rather than searching the controls each time.
    if (editsByName_.empty()) {
        VisitControls(*this, [this](TControl& control) {
            if (auto* edit = dynamic_cast<TEdit*>(&control)) {
                editsByName_.emplace(edit->Name(), edit);
            }
        });
    }
    const auto at = editsByName_.find(layoutName);
    return at != editsByName_.end() ? at->second : nullptr;
}

void TForm::AddControl(TControl& control) {
    if (control.Id() != 0) {
        controlsById_[control.Id()] = &control;
    }
}

TControl* TForm::ControlWithId(int id) const {
    const auto found = controlsById_.find(id);
    return found != controlsById_.end() ? found->second : nullptr;
}

bool TForm::PreTranslate(const MSG& message) {
    // Ctrl+Tab and Ctrl+PgDn show the next sheet, Ctrl+Shift+Tab and
    // Ctrl+PgUp the previous one, from anywhere in the form.
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) {
        return false;
    }
    int step = 0;
    if (message.wParam == VK_TAB) {
        step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    } else if (message.wParam == VK_NEXT) {
        step = 1;
    } else if (message.wParam == VK_PRIOR) {
        step = -1;
    }
    if (step == 0 || pages_ == nullptr) {
        return false;
    }
    pages_->StepPage(step);
    return true;
}

TForm* TForm::OfWindow(HWND window) {
    return window != nullptr ? dynamic_cast<TForm*>(FromHandle(GetAncestor(window, GA_ROOT)))
                             : nullptr;
}

void TForm::ReportFocusOn(TEdit* edit) {
    reportedFocus_ = edit;
}

HWND TForm::FirstTabStop() const {
    for (TControl* control : tabOrder_) {
        if (CanTakeFocus(control->Handle())) {
            return control->Handle();
        }
    }
    return Handle();
}

void TForm::RestoreFocus() {
    // Until the form is complete the form itself holds the focus, so that no
    // program that waits for a control's focus to know the window is ready
    // finds one missing.
    if (rest_) {
        SetFocus(Handle());
        return;
    }
    const HWND target =
        savedFocus_ != nullptr && IsChild(Handle(), savedFocus_) && CanTakeFocus(savedFocus_)
            ? savedFocus_
            : FirstTabStop();
    if (target != Handle()) {
        SetFocus(target);
    }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the form and comes back to
            // the control that had it (the field, after a message box).
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(Handle(), focus)) {
                    savedFocus_ = focus;
                }
            } else if (HIWORD(wParam) == 0) {
                RestoreFocus();
            }
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_GETMINMAXINFO: {
            // The form is as large as its layout, even where that is larger
            // than the screen, which would otherwise cut it down.
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            limits.ptMaxTrackSize.x = std::max(limits.ptMaxTrackSize.x, outerSize_.cx);
            limits.ptMaxTrackSize.y = std::max(limits.ptMaxTrackSize.y, outerSize_.cy);
            return 0;
        }
        case kGetDpiScaledSize: {
            // Exactly the size the form lays itself out at for the new
            // density, which Windows then suggests with WM_DPICHANGED.
            *reinterpret_cast<SIZE*>(lParam) = OuterSizeFor(
                DesignScale(static_cast<UINT>(wParam), Font().points), static_cast<UINT>(wParam));
            return TRUE;
        }
        case WM_SYSCOLORCHANGE:
            // Windows tells top-level windows alone; the common controls and
            // the sheets learn it from their form.
            EnumChildWindows(
                Handle(),
                [](HWND child, LPARAM) {
                    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
                    return TRUE;
                },
                0);
            RedrawWindow(Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
            return 0;
        case kCompleteMessage:
            // Where a modal loop dispatched it rather than the application's
            // own (TApplication::Dispatch completes the form itself).
            RunEventMethod([this] { Complete(); });
            return 0;
        case WM_DPICHANGED:
            ChangeDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            if (Application != nullptr && Application->MainForm() == this) {
                Application->Terminate();
            }
            break;
        default:
            break;
    }
    return TControl::HandleMessage(message, wParam, lParam);
}

}  // namespace vantrel
