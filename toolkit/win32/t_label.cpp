#include "t_label.h"

#include <commctrl.h>

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
    RECT box{};
    GetWindowRect(Handle(), &box);
    SetWindowPos(Handle(), nullptr, 0, 0, MeasureText(FontHandle(), Caption()).advance,
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
    TForm& form = OwnerForm();
    const LayoutFont& font = raises_->Font().points > 0 ? raises_->Font() : form.Font();
    const UniqueFont design(
        CreateLayoutFont(form.FontFace(), FontDesignPixels(font.points), font.bold));
    designGap_ = DesignBounds().left - raises_->DesignBounds().left -
                 MeasureText(design.Get(), raises_->RaisedText()).advance;
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
    drawn.raisedAdvance = raisedInk.advance;
    drawn.raisedInkRight = raisedInk.inkRight;
    if (restAt != std::wstring::npos) {
        const std::wstring_view text(caption);
        drawn.restInkLeft = MeasureText(raises_->FontHandle(), text.substr(0, restAt)).advance +
                            MeasureText(raises_->FontHandle(), text.substr(restAt)).inkLeft;
    }
    drawn.digitInkLeft = digitInk.inkLeft;
    drawn.digitInkRight = digitInk.inkRight;
    SetWindowPos(Handle(), nullptr, SuperscriptLeft(drawn, designGap_ * scale.Factor()),
                 PlaceInParent(Handle()).y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vantrel
