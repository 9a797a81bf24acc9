#include "t_label.h"

#include <commctrl.h>

#include <algorithm>

#include "t_form.h"
#include "text_ink.h"
#include "toolkit/design_metrics.h"

namespace vantrel {

namespace {

constexpr std::wstring_view kSuperscriptGap = L"  ";

// The control's left and top within its parent's client area.
POINT PlaceInParent(HWND window) {
    RECT box{};
    GetWindowRect(window, &box);
    POINT corner{box.left, box.top};
    ScreenToClient(GetParent(window), &corner);
    return corner;
}

}  // namespace

TLabel::TLabel(TControl& parent, std::string_view name) : TControl(&parent, name) {
    CreateHandle(WC_STATICW,
                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX);
}

void TLabel::FitWidthToText() {
    if (!autoSize_) {
        return;
    }
    // As wide as the text advances, or as its ink reaches where that is
    // farther: Wine draws Tahoma's smallest sizes wider than it measures
    // them, and a caption must not lose its last letter.
    const TextInk text = MeasureText(FontHandle(), Caption());
    RECT box{};
    GetWindowRect(Handle(), &box);
    SetWindowPos(Handle(), nullptr, 0, 0, std::max(text.advance, text.inkRight),
                 box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::SetRaises(TLabel& caption) {
    raises_ = &caption;
    const HWND before = GetWindow(caption.Handle(), GW_HWNDPREV);
    SetWindowPos(Handle(), before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring TLabel::RaisedText() const {
    const std::wstring text = Caption();
    const std::size_t gap = text.find(kSuperscriptGap);
    return gap != std::wstring::npos ? text.substr(0, gap) : text;
}

void TLabel::MeasureDesignGap() {
    if (raises_ == nullptr) {
        return;
    }
    // The layout's caption widths are its text as the layout's own font
    // draws it (on Linux), which is not this toolkit's: the raised letters'
    // width in the layout is their share of the caption's, as this font
    // draws both at the design size.
    TForm& form = OwnerForm();
    const LayoutFont& font = raises_->Font().points > 0 ? raises_->Font() : form.Font();
    const UniqueFont design(
        CreateLayoutFont(form.FontFace(), FontDesignPixels(font.points), font.bold));
    const int raised = MeasureText(design.Get(), raises_->RaisedText()).advance;
    const int whole = MeasureText(design.Get(), raises_->Caption()).advance;
    const double raisedInLayout =
        whole > 0 ? static_cast<double>(raises_->DesignBounds().width) * raised / whole : raised;
    designGap_ = DesignBounds().left - raises_->DesignBounds().left - raisedInLayout;
}

void TLabel::PlaceAfterRaisedLetters(const FormScale& scale) {
    if (raises_ == nullptr) {
        return;
    }
    const std::wstring caption = raises_->Caption();
    const std::wstring raised = raises_->RaisedText();
    const std::size_t restAt = caption.find_first_not_of(L' ', raised.size());
    const TextInk raisedInk = MeasureText(raises_->FontHandle(), raised);
    const TextInk digitInk = MeasureText(FontHandle(), Caption());
    SuperscriptText drawn;
    drawn.captionLeft = PlaceInParent(raises_->Handle()).x;
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
    int width = scale.Length(DesignBounds().width);
    if (drawn.restInkLeft) {
        width = std::min(width, static_cast<int>(drawn.captionLeft + *drawn.restInkLeft) - left);
    }
    RECT box{};
    GetWindowRect(Handle(), &box);
    SetWindowPos(Handle(), nullptr, left, PlaceInParent(Handle()).y, width, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantrel
