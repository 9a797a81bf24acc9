#include "t_control.h"

#include <commctrl.h>

#include <stdexcept>

#include "dynamic_calls.h"
#include "t_application.h"
#include "t_form.h"
#include "toolkit/exceptions.h"
#include "window_classes.h"

namespace vantrel {

TControl::TControl() = default;

TControl::TControl(TControl& parent, const ControlSpec& creation)
    : parent_(&parent),
      name_(creation.name),
      id_(creation.id),
      text_(creation.text),
      design_(creation.bounds),
      font_(creation.font) {}

TControl::~TControl() {
    DestroyHandle();
}

void TControl::CreateHandle(const wchar_t* windowClass, DWORD style, DWORD exStyle, bool subclass) {
    RECT place{};
    HWND parentWindow = nullptr;
    if (parent_ != nullptr) {
        // At its place, in its font: the form has its density by now.
        TForm& form = OwnerForm();
        const DesignScale& scale = form.Scale();
        std::vector<UniqueFont> none;
        MakeOwnFont(scale, none);
        place = PlaceFor(scale);
        parentWindow = ParentWindow();
    }
    const HWND created = CreateWindowExW(
        exStyle, windowClass, text_.c_str(), style, place.left, place.top, place.right - place.left,
        place.bottom - place.top, parentWindow,
        parentWindow != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr,
        GetModuleHandleW(nullptr), this);
    if (created == nullptr) {
        const std::string what = name_.empty() ? "окно" : "элемент окна " + name_;
        throw Exception("Не удалось создать " + what + " (ошибка Windows " +
                        std::to_string(GetLastError()) + ")");
    }
    // A window of the toolkit's classes has set handle_ on WM_NCCREATE.
    handle_ = created;
    if (subclass) {
        if (!SubclassWindow(handle_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) {
            DestroyHandle();
            throw Exception("Не удалось подготовить элемент окна " + name_);
        }
        subclassed_ = true;
    }
    if (parent_ != nullptr) {
        OwnerForm().AddControl(*this);
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
    }
}

void TControl::DestroyHandle() {
    if (handle_ != nullptr) {
        // Destroys the children's windows too.
        DestroyWindow(handle_);
    }
    ForgetHandles();
}

void TControl::ForgetHandles() {
    // A system control that is not subclassed hears nothing of its window's
    // end, and a window handle may soon name another window.
    handle_ = nullptr;
    for (const auto& control : controls_) {
        control->ForgetHandles();
    }
}

TForm& TControl::OwnerForm() const {
    const TControl* control = this;
    while (control->parent_ != nullptr) {
        control = control->parent_;
    }
    auto* form = dynamic_cast<TForm*>(const_cast<TControl*>(control));
    if (form == nullptr) {
        throw std::logic_error("control " + name_ + " belongs to no form");
    }
    return *form;
}

void TControl::SetCaption(std::wstring_view caption) {
    text_ = caption;
    SetWindowTextW(handle_, text_.c_str());
}

std::wstring TControl::Caption() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

HFONT TControl::FontHandle() const {
    if (font_.points > 0 || parent_ == nullptr) {
        return ownFont_.Get();
    }
    return OwnerForm().FontHandle();
}

void TControl::SetAccessibleName(std::wstring_view name) {
    OwnerForm().Annotations().SetName(handle_, name);
}

void TControl::SetAccessibleDescription(std::wstring_view description) {
    OwnerForm().Annotations().SetDescription(handle_, description);
}

void TControl::Adopt(std::unique_ptr<TControl> control) {
    controls_.push_back(std::move(control));
}

RECT TControl::PlaceFor(const DesignScale& scale) const {
    const PixelEdges edges = scale.Edges(design_);
    return {edges.left, edges.top, edges.right, edges.bottom};
}

void TControl::MakeOwnFont(const DesignScale& scale, std::vector<UniqueFont>& retired) {
    if (font_.points > 0 || parent_ == nullptr) {
        retired.push_back(std::move(ownFont_));
        ownFont_.Reset(
            CreateLayoutFont(OwnerForm().FontFace(), scale.FontPixels(font_.points), font_.bold));
    }
}

void TControl::TakeFont(const DesignScale& scale, std::vector<UniqueFont>& retired) {
    MakeOwnFont(scale, retired);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

void TControl::RelayoutChildren(const DesignScale& scale, std::vector<UniqueFont>& retired) {
    for (const auto& control : controls_) {
        control->TakeFont(scale, retired);
    }
    // The children's windows share a parent, as DeferWindowPos asks. Where
    // Windows cannot make the batch, each window moves on its own.
    HDWP batch = BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (const auto& control : controls_) {
        const RECT place = control->PlaceFor(scale);
        constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (batch != nullptr) {
            batch = DeferWindowPos(batch, control->handle_, nullptr, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, kFlags);
        }
        if (batch == nullptr) {
            SetWindowPos(control->handle_, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, kFlags);
        }
    }
    if (batch != nullptr) {
        EndDeferWindowPos(batch);
    }
    for (const auto& control : controls_) {
        control->RelayoutChildren(scale, retired);
    }
}

TControl* TControl::FromHandle(HWND window) {
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0 ||
        process != GetCurrentProcessId()) {
        return nullptr;
    }
    if (IsToolkitWindow(window)) {
        return reinterpret_cast<TControl*>(GetWindowLongPtrW(window, kControlSlot));
    }
    // A system control: by its ID, within the form it belongs to.
    const HWND root = GetAncestor(window, GA_ROOT);
    if (root == window || !IsToolkitWindow(root)) {
        return nullptr;
    }
    auto* form = dynamic_cast<TForm*>(FromHandle(root));
    TControl* control = form != nullptr ? form->ControlWithId(GetDlgCtrlID(window)) : nullptr;
    return control != nullptr && control->handle_ == window ? control : nullptr;
}

LRESULT TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->Command(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (TControl* child = FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom)) {
                return child->Notify(*reinterpret_cast<NMHDR*>(lParam));
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Labels are opaque in the form's button-face colour, so a label drawn
            // later (a superscript digit) covers what it overlaps of another;
            // their text is in the colour the scheme gives text on it.
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? DefaultSubclassProc(handle_, message, wParam, lParam)
                       : DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // An exception must not unwind through the window system's frames: it is
    // shown like any other that leaves an event method.
    try {
        return HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        HandleEventException(error);
        return 0;
    }
}

LRESULT CALLBACK TControl::ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(window, kControlSlot));
    if (message == WM_NCCREATE) {
        self = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, kControlSlot, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, kControlSlot, 0);
        self->handle_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR control) {
    auto* self = reinterpret_cast<TControl*>(control);
    if (message == WM_NCDESTROY) {
        RemoveSubclass(window, SubclassProc, id);
        self->handle_ = nullptr;
        self->subclassed_ = false;
        return DefaultSubclassProc(window, message, wParam, lParam);
    }
    return self->Dispatch(message, wParam, lParam);
}

}  // namespace vantrel
