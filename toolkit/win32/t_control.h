// The base of every control of a form on Win32: a window of the system's own
// class (an edit, a static text, a button...) or of the toolkit's (the form, a
// sheet), created with its parent at its place for the form's density, with
// its font and text, and found by its control ID.
//
// The toolkit's own classes have a class window procedure that takes the
// control from CREATESTRUCT; a system control whose messages the toolkit needs
// (a value field) is subclassed. Notifications a child sends its parent
// (WM_COMMAND, WM_NOTIFY) reach the child's object through its control ID.
// The parent owns its children: they go with it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/design_scale.h"
#include "window_font.h"

namespace vantrel {

class TForm;

// A font of the layout: its size and weight. A control without one (points
// 0) takes the form's.
struct LayoutFont {
    int points = 0;
    bool bold = false;
};

// What a control is created with: its layout name, its control ID (unique
// within its form, from the layout), its place in design pixels, its text (a
// caption, a tab's caption) and its own font, if any.
struct ControlSpec {
    std::string_view name;
    int id = 0;
    DesignRect bounds;
    std::wstring_view text;
    LayoutFont font;
};

class TControl {
public:
    virtual ~TControl();
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    HWND Handle() const { return handle_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name) { name_ = name; }
    int Id() const { return id_; }
    TControl* Parent() const { return parent_; }
    // The form the control belongs to (itself, for a form).
    TForm& OwnerForm() const;

    void SetDesignBounds(const DesignRect& bounds) { design_ = bounds; }
    const DesignRect& DesignBounds() const { return design_; }
    // The window text: a label's or button's caption, a sheet's tab caption,
    // the form's title.
    virtual void SetCaption(std::wstring_view caption);
    // The window text as it is now.
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

    // The control of a form of this process whose window this is, or nullptr.
    static TControl* FromHandle(HWND window);
    // The window procedure of the toolkit's own window classes: the control
    // comes with WM_NCCREATE, as CreateHandle's creation parameter.
    static LRESULT CALLBACK ClassWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

protected:
    // The form's constructor: no parent.
    TControl();
    // A control of `parent`'s, as the layout gives it.
    TControl(TControl& parent, const ControlSpec& creation);

    // Creates the control's window at its place for the form's density, with
    // its font and text. A system control is subclassed where `subclass`
    // says so; a window of the toolkit's own classes takes its messages by
    // its class's window procedure. Throws vantrel::Exception on failure.
    void CreateHandle(const wchar_t* windowClass, DWORD style, DWORD exStyle = 0,
                      bool subclass = false);
    // Destroys the window while the object is still whole; a control does it
    // in its destructor, before its own parts go.
    void DestroyHandle();
    // The text the control was created with, or last given by SetCaption:
    // known before its window exists.
    const std::wstring& Text() const { return text_; }
    // The window its children's windows are created in: its own.
    virtual HWND ChildParentHandle() const { return handle_; }
    // The window its own window is created in.
    HWND ParentWindow() const {
        return parent_ != nullptr ? parent_->ChildParentHandle() : nullptr;
    }
    // Where the control's window goes for `scale`, in its parent window's
    // client area.
    virtual RECT PlaceFor(const DesignScale& scale) const;
    // The control's own font, if the layout gives it one, for `scale`; the
    // one it replaces goes to `retired`.
    void MakeOwnFont(const DesignScale& scale, std::vector<UniqueFont>& retired);
    // Takes the font for `scale` and sets it on the window, without a
    // redraw; `retired` gets the one it replaces, still selected into the
    // window until then. Also what else the control's place depends on (a
    // page control's tabs).
    virtual void TakeFont(const DesignScale& scale, std::vector<UniqueFont>& retired);
    // Lays the children out again for `scale`, when the form's density
    // changes: all of them take their fonts first, since a place may depend
    // on a text as drawn; then they move at once, in one DeferWindowPos
    // batch, which repaints each window once; then their own children do the
    // same.
    void RelayoutChildren(const DesignScale& scale, std::vector<UniqueFont>& retired);

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
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void ForgetHandles();

    TControl* parent_ = nullptr;
    std::string name_;
    int id_ = 0;
    std::wstring text_;  // the window text it is created with
    HWND handle_ = nullptr;
    bool subclassed_ = false;
    DesignRect design_;
    LayoutFont font_;
    UniqueFont ownFont_;
    std::vector<std::unique_ptr<TControl>> controls_;
};

// Creates a control of the layout on `parent`, which owns it.
template <class Control>
Control* Create(TControl& parent, const ControlSpec& creation) {
    auto control = std::make_unique<Control>(parent, creation);
    Control* created = control.get();
    parent.Adopt(std::move(control));
    return created;
}

}  // namespace vantrel
