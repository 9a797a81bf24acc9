#include "t_label.h"

#include <commctrl.h>

#include <algorithm>

#include "t_form.h"
#include "text_ink.h"
#include "toolkit/design_metrics.h"

namespace vantrel {

namespace {

constexpr std::wstring_view kSuperscriptGap = L"  ";

}  // namespace

TLabel::TLabel(TControl& parent, const ControlSpec& creation) : TControl(parent, creation) {
    CreateHandle(WC_STATICW,
                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX);
}

void TLabel::SetCaption(std::wstring_view caption) {
    TControl::SetCaption(caption);
    MoveToPlace(nullptr, SWP_NOZORDER);
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    MoveToPlace(nullptr, SWP_NOZORDER);
}

void TLabel::SetRaises(TLabel& caption) {
    raises_ = &caption;
    designGap_ = DesignGap();
    const HWND before = GetWindow(caption.Handle(), GW_HWNDPREV);
    MoveToPlace(before != nullptr ? before : HWND_TOP, 0);
}

void TLabel::MoveToPlace(HWND insertAfter, UINT flags) {
    const RECT place = PlaceFor(OwnerForm().Scale());
    SetWindowPos(Handle(), insertAfter, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, flags | SWP_NOACTIVATE);
}

std::wstring TLabel::RaisedText() const {
    const std::wstring& text = Text();
    const std::size_t gap = text.find(kSuperscriptGap);
    return gap != std::wstring::npos ? text.substr(0, gap) : text;
}

RECT TLabel::PlaceFor(const DesignScale& scale) const {
    RECT box = TControl::PlaceFor(scale);
    if (raises_ != nullptr) {
        return PlaceAfterRaisedLetters(scale, box);
    }
    if (autoSize_) {
        // As wide as the text advances, or as its ink reaches where that is
        // farther: Wine draws Tahoma's smallest sizes wider than it measures
        // them, and a caption must not lose its last letter.
        const TextInk text = MeasureText(FontHandle(), Text());
        box.right = box.left + std::max(text.advance, text.inkRight);
    }
    return box;
}

double TLabel::DesignGap() const {
    // The layout's caption widths are its text as the layout's own font
    // draws it (on Linux), which is not this toolkit's: the raised letters'
    // width in the layout is their share of the caption's, as this font
    // draws both at the design size.
    TForm& form = OwnerForm();
    const LayoutFont& font = raises_->Font().points > 0 ? raises_->Font() : form.Font();
    const UniqueFont design(
        CreateLayoutFont(form.FontFace(), FontDesignPixels(font.points), font.bold));
    const int raised = MeasureText(design.Get(), raises_->RaisedText()).advance;
    const int whole = MeasureText(design.Get(), raises_->Text()).advance;
    const double raisedInLayout =
        whole > 0 ? static_cast<double>(raises_->DesignBounds().width) * raised / whole : raised;
    return DesignBounds().left - raises_->DesignBounds().left - raisedInLayout;
}

RECT TLabel::PlaceAfterRaisedLetters(const DesignScale& scale, RECT box) const {
    const std::wstring& caption = raises_->Text();
    const std::wstring raised = raises_->RaisedText();
    const std::size_t restAt = caption.find_first_not_of(L' ', raised.size());
    const TextInk raisedInk = MeasureText(raises_->FontHandle(), raised);
    const TextInk digitInk = MeasureText(FontHandle(), Text());
    SuperscriptText drawn;
    drawn.captionLeft = raises_->PlaceFor(scale).left;
    // The layout's boxes carry its own font's side bearings, not this one's:
    // the gap is kept between the inks as drawn, the digit's ink beginning
    // that far after the raised letters' ink ends.
    drawn.raisedAdvance = raisedInk.inkRight - digitInk.inkLeft;
    drawn.raisedInkRight = raisedInk.inkRight;
    if (restAt != std::wstring::npos) {
        // The letters after the gap: the caption's first ink past the raised
        // letters' own.
        drawn.restInkLeft = MeasureText(raises_->FontHandle(), caption, raisedInk.inkRight).inkLeft;
    }
    drawn.digitInkLeft = digitInk.inkLeft;
    drawn.digitInkRight = digitInk.inkRight;
    const int left = SuperscriptLeft(drawn, designGap_ * scale.Factor());
    // The digit's box is opaque: where it would reach the letters after its
    // gap, it ends where their ink begins (its own ink ends before).
    int width = box.right - box.left;
    if (drawn.restInkLeft) {
        width = std::min(width, static_cast<int>(drawn.captionLeft + *drawn.restInkLeft) - left);
    }
    return {left, box.top, left + width, box.bottom};
}

}  // namespace vantrel
