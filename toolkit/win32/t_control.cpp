#include "t_control.h"

#include <commctrl.h>

#include <stdexcept>

#include "accessible_annotation.h"
#include "layout_name.h"
#include "t_application.h"
#include "t_form.h"
#include "toolkit/exceptions.h"
#include "wide_text.h"

namespace vantrel {

namespace {

// The window property that leads from a window to its control, within the
// process.
constexpr const wchar_t* kControlProperty = L"VantrelControl";

// Control identifiers: unique within the process, so within every parent.
int NextControlId() {
    static int next = 100;
    return next++;
}

}  // namespace

TControl::TControl(TControl* parent, std::string_view name) : parent_(parent), name_(name) {}

TControl::~TControl() {
    DestroyHandle();
}

void TControl::CreateHandle(const wchar_t* windowClass, DWORD style, DWORD exStyle) {
    HWND parent = ParentHandle();
    const auto id = parent != nullptr
                        ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId()))
                        : nullptr;
    handle_ = CreateWindowExW(exStyle, windowClass, L"", style, 0, 0, 0, 0, parent, id,
                              GetModuleHandleW(nullptr), nullptr);
    if (handle_ == nullptr) {
        const std::string what = name_.empty() ? "окно" : "элемент окна " + name_;
        throw Exception("Не удалось создать " + what + " (ошибка Windows " +
                        std::to_string(GetLastError()) + ")");
    }
    SetPropW(handle_, kControlProperty, this);
    SetWindowSubclass(handle_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (!name_.empty()) {
        SetLayoutName(handle_, ToWide(name_));
    }
}

void TControl::DestroyHandle() {
    if (handle_ != nullptr) {
        // Destroys the children's windows too; each clears its own handle.
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
}

void TControl::SetName(std::string_view name) {
    name_ = name;
    if (handle_ != nullptr) {
        SetLayoutName(handle_, ToWide(name_));
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
    SetWindowTextW(handle_, std::wstring(caption).c_str());
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
    annotated_ = AnnotateAccessibleName(handle_, name) || annotated_;
}

void TControl::SetAccessibleDescription(std::wstring_view description) {
    annotated_ = AnnotateAccessibleDescription(handle_, description) || annotated_;
}

void TControl::Adopt(std::unique_ptr<TControl> control) {
    controls_.push_back(std::move(control));
}

void TControl::Layout(const FormScale& scale) {
    PlaceAndSetFont(scale);
    LayoutChildren(scale);
}

void TControl::UpdateOwnFont(const FormScale& scale) {
    if (font_.points > 0) {
        ownFont_.Reset(
            CreateLayoutFont(OwnerForm().FontFace(), scale.FontPixels(font_.points), font_.bold));
    }
}

void TControl::PlaceAndSetFont(const FormScale& scale) {
    const RECT place = scale.Rect(design_);
    SetWindowPos(handle_, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateOwnFont(scale);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void TControl::LayoutChildren(const FormScale& scale) {
    for (const auto& control : controls_) {
        control->Layout(scale);
    }
}

TControl* TControl::FromHandle(HWND window) {
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0 ||
        process != GetCurrentProcessId()) {
        return nullptr;
    }
    return static_cast<TControl*>(GetPropW(window, kControlProperty));
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
            // later (a superscript digit) covers what it overlaps of another.
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR control) {
    auto* self = reinterpret_cast<TControl*>(control);
    if (message == WM_NCDESTROY) {
        ClearLayoutName(window);
        RemovePropW(window, kControlProperty);
        if (self->annotated_) {
            ClearAccessibleAnnotations(window);
        }
        RemoveWindowSubclass(window, SubclassProc, id);
        self->handle_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    // An exception must not unwind through the window system's frames: it is
    // shown like any other that leaves an event method.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        if (Application != nullptr) {
            Application->HandleException(error);
        }
        return 0;
    }
}

}  // namespace vantrel
