// A static caption. It fills its box with what its parent paints beneath it
// (the sheet's tab body, or the form's button face), so where a superscript
// digit's box overlaps the caption it raises, the digit, above the caption in
// the z-order, shows no box of its own.
#pragma once

#include <string>

#include "t_control.h"

namespace vantrel {

class TLabel : public TControl {
public:
    TLabel(TControl& parent, const ControlSpec& creation);

    void SetCaption(std::wstring_view caption) override;
    // When set (the default), the label is as wide as its text as drawn in
    // its own font, wherever the form lays it out.
    void SetAutoSize(bool autoSize);

    // On a superscript digit: the caption whose exponent it draws. The digit
    // stands after the letters it raises as they are drawn, and above the
    // caption in the z-order.
    void SetRaises(TLabel& caption);
    // The part of a caption that a superscript raises: up to the two-space
    // gap the digit stands in ("м  /ч"), or the whole caption ("кгс/мм").
    std::wstring RaisedText() const;

protected:
    RECT PlaceFor(const DesignScale& scale) const override;

private:
    // How far after the raised letters the layout puts the digit, in design
    // pixels.
    double DesignGap() const;
    // The digit's box, `gap` (scaled) after the raised letters as they are
    // drawn at `scale`.
    RECT PlaceAfterRaisedLetters(const DesignScale& scale, RECT box) const;
    void MoveToPlace(HWND insertAfter, UINT flags);

    bool autoSize_ = true;
    TLabel* raises_ = nullptr;
    double designGap_ = 0;
};

}  // namespace vantrel
