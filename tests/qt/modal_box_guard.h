// Closes every modal dialog as soon as it shows, the way a user would (Enter
// pressed in the box, released wherever the focus lands afterwards), and
// records what it said. A test takes the boxes it expects; any box left over
// fails the test through UnexpectedBoxes() instead of blocking the run.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

namespace vantrel::testing {

struct ShownBox {
    QString title;
    QString text;
    int icon = 0;         // QMessageBox::Icon
    QStringList buttons;  // the buttons' captions
};

class ModalBoxGuard : public QObject {
    Q_OBJECT
public:
    ModalBoxGuard();
    ~ModalBoxGuard() override;

    // The boxes shown since the last call, oldest first, once the keys that
    // dismissed them have been released.
    QList<ShownBox> TakeBoxes();
    // Empty when no box was shown that the test did not take; otherwise a
    // description of the first one.
    QString UnexpectedBoxes() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Dismiss(QWidget* dialog);
    void ReleaseEnterWhenFocused(int attempt);

    QList<ShownBox> boxes_;
    int pendingReleases_ = 0;
};

}  // namespace vantrel::testing
