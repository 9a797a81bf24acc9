#include "modal_box_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace vantrel::testing {

ModalBoxGuard::ModalBoxGuard() {
    qApp->installEventFilter(this);
}

ModalBoxGuard::~ModalBoxGuard() {
    qApp->removeEventFilter(this);
}

QList<ShownBox> ModalBoxGuard::TakeBoxes() {
    QCoreApplication::processEvents();
    for (int waited = 0; pendingReleases_ > 0 && waited < 200; ++waited) {
        QTest::qWait(5);
    }
    return std::exchange(boxes_, {});
}

void ModalBoxGuard::ReleaseEnterWhenFocused(int attempt) {
    constexpr int kAttempts = 200;
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr && attempt < kAttempts) {
        QTimer::singleShot(5, this, [this, attempt] { ReleaseEnterWhenFocused(attempt + 1); });
        return;
    }
    --pendingReleases_;
    if (focused != nullptr) {
        QTest::keyRelease(focused, Qt::Key_Enter);
    }
}

QString ModalBoxGuard::UnexpectedBoxes() const {
    if (boxes_.isEmpty()) {
        return {};
    }
    return QStringLiteral("%1 unexpected message box(es), first: \"%2\"")
        .arg(boxes_.size())
        .arg(boxes_.front().text);
}

bool ModalBoxGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isModal()) {
            // Shown from inside exec(); act once its own event loop runs.
            QTimer::singleShot(0, dialog, [this, dialog] { Dismiss(dialog); });
        }
    }
    return false;
}

void ModalBoxGuard::Dismiss(QWidget* dialog) {
    const auto* box = qobject_cast<QMessageBox*>(dialog);
    ShownBox shown{dialog->windowTitle(), box != nullptr ? box->text() : QString(), 0, {}};
    if (box != nullptr) {
        shown.icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            shown.buttons << button->text();
        }
    }
    boxes_.append(shown);
    QPointer<QWidget> alive(dialog);
    QTest::keyPress(dialog, Qt::Key_Enter);
    if (alive && alive->isVisible()) {
        qobject_cast<QDialog*>(alive.data())->reject();
    }
    // The release of that Enter reaches whatever has the focus once the box
    // has gone and the window is active again: the field the box was raised
    // from. Should that raise the box again, the loop stops after a few
    // rounds so the test fails, not hangs.
    constexpr int kRoundsBeforeGivingUp = 3;
    if (boxes_.size() < kRoundsBeforeGivingUp) {
        ++pendingReleases_;
        QTimer::singleShot(0, this, [this] { ReleaseEnterWhenFocused(0); });
    }
}

}  // namespace vantrel::testing
