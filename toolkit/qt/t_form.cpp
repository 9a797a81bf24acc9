#include "toolkit/qt/t_form.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "toolkit/qt/design_density.h"
#include "toolkit/qt/fixed_frame.h"
#include "toolkit/qt/normal_state_only.h"
#include "toolkit/qt/own_title_bar.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_label.h"
#include "toolkit/qt/t_page_control.h"

namespace vantrel {

namespace {

// A font of the layout at its size for `scale`.
void ApplyLayoutFont(QWidget& widget, const DesignScale& scale) {
    if (!widget.testAttribute(Qt::WA_SetFont)) {
        return;
    }
    QFont font = widget.font();
    if (font.pointSize() > 0) {
        font.setPixelSize(scale.FontPixels(font.pointSize()));
        widget.setFont(font);
    }
}

// A Wayland window's size is a whole number of the compositor's pixels. Under
// a scale factor (Qt's QT_SCALE_FACTOR, which the program sets itself at 150 %
// and 175 %: see TApplication), a size in Qt's pixels that is not one comes
// back from the compositor one pixel larger: the size the window is fixed at
// is then the one it can have, and the controls that close its right or
// bottom edge still close it.
void FitWholeCompositorPixels(QWidget& form) {
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
    if (QGuiApplication::platformName() != QLatin1String("wayland") || factor <= 0 || factor == 1) {
        return;
    }
    const auto held = [factor](int side) { return qRound(qRound(side * factor) / factor); };
    const QSize size = form.size();
    const QSize fitted(held(size.width()), held(size.height()));
    if (fitted == size) {
        return;
    }
    for (QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QRect rect = control->geometry();
        if (rect.right() == size.width() - 1) {
            rect.setRight(fitted.width() - 1);
        }
        if (rect.bottom() == size.height() - 1) {
            rect.setBottom(fitted.height() - 1);
        }
        control->setGeometry(rect);
    }
    form.setFixedSize(fitted);
}

// A superscript digit and the caption whose exponent it draws, with how far
// right of the caption's raised letters the layout puts the digit.
struct Superscript {
    TLabel* digit;
    TLabel* caption;
    double designGap;
};

// Qt draws text at whole pixel sizes, so away from the design density a
// caption's text is not exactly as wide as its scaled box: a digit placed by
// geometry alone would drift onto the letter it raises or away from it. The
// gap between the raised letters and the digit is measured at the design
// density, before scaling, and kept, scaled, from the text as drawn.
std::vector<Superscript> FindSuperscripts(const QList<QWidget*>& containers) {
    std::vector<Superscript> found;
    for (QWidget* container : containers) {
        for (TLabel* digit : container->findChildren<TLabel*>(Qt::FindDirectChildrenOnly)) {
            auto* caption =
                digit->Raises().isEmpty()
                    ? nullptr
                    : container->findChild<TLabel*>(digit->Raises(), Qt::FindDirectChildrenOnly);
            if (caption == nullptr) {
                continue;
            }
            QFont designFont = caption->font();
            designFont.setPixelSize(FontDesignPixels(designFont.pointSize()));
            const double raised =
                QFontMetricsF(designFont).horizontalAdvance(caption->RaisedText());
            found.push_back({digit, caption, digit->x() - caption->x() - raised});
        }
    }
    return found;
}

// Keeps the digit the design's distance after the letters it raises, as the
// text is drawn now (see SuperscriptLeft).
void PlaceSuperscript(const Superscript& superscript, const DesignScale& scale) {
    const TLabel& caption = *superscript.caption;
    const QFontMetricsF text(caption.font());
    const QString raised = caption.RaisedText();
    const QString rest = caption.text().mid(raised.size()).trimmed();
    const QRectF ink =
        QFontMetricsF(superscript.digit->font()).tightBoundingRect(superscript.digit->text());
    SuperscriptText drawn;
    drawn.captionLeft = caption.x();
    drawn.raisedAdvance = text.horizontalAdvance(raised);
    drawn.raisedInkRight = text.tightBoundingRect(raised).right();
    if (!rest.isEmpty()) {
        drawn.restInkLeft =
            text.horizontalAdvance(caption.text().left(caption.text().size() - rest.size())) +
            text.tightBoundingRect(rest).left();
    }
    drawn.digitInkLeft = ink.left();
    drawn.digitInkRight = ink.right();
    superscript.digit->move(SuperscriptLeft(drawn, scale.Pixels(superscript.designGap)),
                            superscript.digit->y());
}

}  // namespace

TForm::TForm(QWidget* parent) : QWidget(parent) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void TForm::Loaded() {
    if (loaded_) {
        return;
    }
    loaded_ = true;
    // Every font keeps its proportion to the window font as drawn, so a
    // superscript digit shrinks with the caption it raises.
    const DesignScale scale(screen()->logicalDotsPerInch(), font().pointSize());
    // The layout's controls are the form's own children and those of its
    // sheets; the page control's tab strip and page stack are its own business.
    QList<QWidget*> containers{this};
    for (TTabSheet* sheet : findChildren<TTabSheet*>()) {
        containers.append(sheet);
    }
    // Measured while the fonts are still the layout's.
    const std::vector<Superscript> superscripts = FindSuperscripts(containers);
    ApplyLayoutFont(*this, scale);
    for (QWidget* container : containers) {
        for (QWidget* control : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            control->setGeometry(ScaledRect(scale, control->geometry()));
            ApplyLayoutFont(*control, scale);
        }
    }
    for (TLabel* label : findChildren<TLabel*>()) {
        label->FitWidthToText();
    }
    for (const Superscript& superscript : superscripts) {
        PlaceSuperscript(superscript, scale);
    }
    setFixedSize(ScaledSize(scale, size()));
    if (DrawsOwnTitleBar()) {
        // The client area moves down under a bar of the window's own.
        const int bar = OwnTitleBarHeight(scale.Factor());
        for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            control->move(control->pos() + QPoint(0, bar));
        }
        setFixedSize(width(), height() + bar);
        new OwnTitleBar(*this, bar);
    }
    FitWholeCompositorPixels(*this);
    // Where the compositor draws no frame on Wayland (weston, GNOME), it
    // maximises the window all the same and then requires a frame of the
    // maximised size: the window is bound from below only there, and
    // KeepNormalState takes it back to its own size.
    if (CompositorLeavesFrameToProgram()) {
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    move(ScaledPoint(scale, {left_, top_}));
    AdvertiseFixedFrame(*this);
    KeepNormalState(*this);
}

TEdit* TForm::FocusedEdit() const {
    if (reportedFocus_ != nullptr) {
        return reportedFocus_;
    }
    return qobject_cast<TEdit*>(focusWidget());
}

TEdit* TForm::FindEdit(std::string_view layoutName) const {
    // Every key release resolves a sheet's fields by name; the index is made
    // on the first one rather than searching the whole widget tree each time.
    if (editsByName_.empty()) {
        for (TEdit* edit : findChildren<TEdit*>()) {
            editsByName_.emplace(edit->objectName().toStdString(), edit);
        }
    }
    const auto at = editsByName_.find(layoutName);
    return at != editsByName_.end() ? at->second : nullptr;
}

}  // namespace vantrel
