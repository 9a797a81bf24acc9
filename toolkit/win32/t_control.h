// The base of every control of a form on Win32: a window of the system's own
// class (an edit, a static text, a button...) or of the toolkit's (the form, a
// sheet), created with its parent, placed from the layout's design pixels and
// found by its layout name (layout_name.h).
//
// Each control's window is subclassed, so its messages reach the control
// first; notifications a child sends its parent (WM_COMMAND, WM_NOTIFY) are
// handed on to the child. The parent owns its children: they go with it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form_scale.h"
#include "window_font.h"

namespace vantrel {

class TForm;

// A font of the layout: its size and weight. A control without one (points
// 0) takes the form's.
struct LayoutFont {
    int points = 0;
    bool bold = false;
};

class TControl {
public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    HWND Handle() const { return handle_; }
    const std::string& Name() const { return name_; }
    // Also the window's layout-name property, for other processes.
    void SetName(std::string_view name);
    TControl* Parent() const { return parent_; }
    // The form the control belongs to (itself, for a form).
    TForm& OwnerForm() const;

    void SetDesignBounds(const DesignRect& bounds) { design_ = bounds; }
    const DesignRect& DesignBounds() const { return design_; }
    // The window text: a label's or button's caption, a sheet's tab caption,
    // the form's title.
    virtual void SetCaption(std::wstring_view caption);
    std::wstring Caption() const;
    void SetFont(const LayoutFont& font) { font_ = font; }
    const LayoutFont& Font() const { return font_; }
    // The font the control draws with now: its own, or the form's.
    HFONT FontHandle() const;
    // The name and description assistive technology announces.
    virtual void SetAccessibleName(std::wstring_view name);
    virtual void SetAccessibleDescription(std::wstring_view description);

    const std::vector<std::unique_ptr<TControl>>& Controls() const { return controls_; }
    void Adopt(std::unique_ptr<TControl> control);

    // Places the control and its children for `scale` and gives them their
    // fonts; the form calls it at creation and when the density changes.
    virtual void Layout(const FormScale& scale);

    // The control of a form whose window this is, or nullptr.
    static TControl* FromHandle(HWND window);

protected:
    // The parent's window holds the control's; the form has none.
    TControl(TControl* parent, std::string_view name);
    void CreateHandle(const wchar_t* windowClass, DWORD style, DWORD exStyle = 0);
    // Destroys the window while the object is still whole; a control does it
    // in its destructor, before its own parts go.
    void DestroyHandle();
    HWND ParentHandle() const { return parent_ != nullptr ? parent_->handle_ : nullptr; }

    // Moves the control's window to its scaled design place and gives it its
    // font; Layout does this first.
    void PlaceAndSetFont(const FormScale& scale);
    void LayoutChildren(const FormScale& scale);
    // Makes the control's own font, if the layout gives it one, for `scale`.
    void UpdateOwnFont(const FormScale& scale);

    // Every message of the control's window; the default handles the
    // notifications of children and the colours of static texts.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification of this control, sent to its parent (WM_COMMAND's code,
    // WM_NOTIFY's header).
    virtual void Command(WORD /*code*/) {}
    virtual LRESULT Notify(const NMHDR& /*header*/) { return 0; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR control);

    TControl* parent_;
    std::string name_;
    HWND handle_ = nullptr;
    DesignRect design_;
    LayoutFont font_;
    UniqueFont ownFont_;
    bool annotated_ = false;
    std::vector<std::unique_ptr<TControl>> controls_;
};

// Creates a control of the layout on `parent`, which owns it.
template <class Control>
Control* Create(TControl& parent, std::string_view name) {
    auto control = std::make_unique<Control>(parent, name);
    Control* created = control.get();
    parent.Adopt(std::move(control));
    return created;
}

}  // namespace vantrel
