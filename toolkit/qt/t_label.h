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
    // On a superscript digit: the layout name of the caption whose exponent
    // it draws. The form keeps the digit after the letter it raises.
    Q_PROPERTY(QString Raises READ Raises WRITE setRaises)
public:
    explicit TLabel(QWidget* parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }
    // Width of the text in the label's font, rounded up to whole pixels.
    int TextWidth() const;
    void FitWidthToText();

    QString Raises() const { return raises_; }
    void setRaises(const QString& caption) { raises_ = caption; }
    // The part of a caption that a superscript raises: up to the two-space
    // gap the digit stands in ("м  /ч"), or the whole caption ("кгс/мм").
    QString RaisedText() const;

private:
    bool autoSize_ = true;
    QString raises_;
};

}  // namespace vantrel
