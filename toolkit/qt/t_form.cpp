#include "toolkit/qt/t_form.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <algorithm>

#include "toolkit/qt/design_density.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_label.h"
#include "toolkit/qt/t_page_control.h"

namespace vantrel {

namespace {

// The physical key where the window system reports it, else the key code:
// Shift+Tab may be pressed as Backtab and released as Tab.
std::uint64_t KeyIdentity(const QKeyEvent& event) {
    constexpr std::uint64_t kScanCodeSpace = std::uint64_t{1} << 32;
    if (event.nativeScanCode() != 0) {
        return kScanCodeSpace | event.nativeScanCode();
    }
    return static_cast<std::uint32_t>(event.key());
}

void ApplyLayoutFont(QWidget& widget) {
    if (!widget.testAttribute(Qt::WA_SetFont)) {
        return;
    }
    QFont font = widget.font();
    if (font.pointSize() > 0) {
        font.setPointSizeF(DesignScale::FontPointSize(font.pointSize()));
        widget.setFont(font);
    }
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
    const DesignScale scale(screen()->logicalDotsPerInch());
    ApplyLayoutFont(*this);
    // The layout's controls are the form's own children and those of its
    // sheets; the page control's tab strip and page stack are its own business.
    QList<QWidget*> containers{this};
    for (TTabSheet* sheet : findChildren<TTabSheet*>()) {
        containers.append(sheet);
    }
    for (QWidget* container : containers) {
        for (QWidget* control : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            control->setGeometry(scale.Rect(control->geometry()));
            ApplyLayoutFont(*control);
        }
    }
    for (TLabel* label : findChildren<TLabel*>()) {
        label->FitWidthToText();
    }
    setFixedSize(scale.Size(size()));
    move(scale.Point({left_, top_}));
}

TEdit* TForm::FocusedEdit() const {
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

void TForm::NoteKeyPress(const QKeyEvent& event) {
    const std::uint64_t key = KeyIdentity(event);
    if (std::find(pressedKeys_.begin(), pressedKeys_.end(), key) == pressedKeys_.end()) {
        pressedKeys_.push_back(key);
    }
}

bool TForm::TakeKeyPress(const QKeyEvent& event) {
    const auto found = std::find(pressedKeys_.begin(), pressedKeys_.end(), KeyIdentity(event));
    if (found == pressedKeys_.end()) {
        return false;
    }
    pressedKeys_.erase(found);
    return true;
}

bool TForm::event(QEvent* event) {
    // A key still held when the form loses the keyboard is released elsewhere.
    if (event->type() == QEvent::WindowDeactivate) {
        pressedKeys_.clear();
    }
    return QWidget::event(event);
}

}  // namespace vantrel
