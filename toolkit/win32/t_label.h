// A static caption. Opaque like the labels the layout was drawn with: it fills
// its box with the form's button-face colour. A superscript digit stands
// above the caption it raises in the z-order, so where their boxes overlap the
// digit is on top.
#pragma once

#include <string>

#include "t_control.h"

namespace vantrel {

class TLabel : public TControl {
public:
    TLabel(TControl& parent, std::string_view name);

    // When set (the default), the label is as wide as its text as drawn in
    // its own font; the form applies it whenever it lays itself out.
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    bool AutoSize() const { return autoSize_; }
    void FitWidthToText();

    // On a superscript digit: the caption whose exponent it draws. The form
    // keeps the digit after the letters it raises as they are drawn.
    void SetRaises(TLabel& caption);
    TLabel* Raises() const { return raises_; }
    // The part of a caption that a superscript raises: up to the two-space
    // gap the digit stands in ("м  /ч"), or the whole caption ("кгс/мм").
    std::wstring RaisedText() const;

    // How far after the raised letters the layout puts the digit, in design
    // pixels; measured once, before the first layout.
    void MeasureDesignGap();
    // Moves the digit that far (scaled) after the raised letters as drawn now.
    void PlaceAfterRaisedLetters(const FormScale& scale);

private:
    bool autoSize_ = true;
    TLabel* raises_ = nullptr;
    double designGap_ = 0;
};

}  // namespace vantrel
