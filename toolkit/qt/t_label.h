// A static caption. Opaque like the labels the layout was drawn with: it fills
// its box with the form's button-face colour, so a label created later (a
// superscript digit) covers whatever part of an earlier one it overlaps.
#pragma once

#include <QLabel>

namespace vantrel {

class TLabel : public QLabel {
    Q_OBJECT
    // When set (the default), the label is as wide as its text in its own
    // font; the form applies it once the layout's fonts are in place.
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TLabel(QWidget* parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }
    // Width of the text in the label's font, rounded up to whole pixels.
    int TextWidth() const;
    void FitWidthToText();

private:
    bool autoSize_ = true;
};

}  // namespace vantrel
