// Answers every message box with Enter as soon as its modal loop runs, and
// counts them, so a long run through the window never waits on a box.
#pragma once

#include <QMessageBox>
#include <QMetaObject>
#include <QObject>
#include <QTest>
#include <cstddef>

namespace vantrel::stress {

class BoxDismisser : public QObject {
public:
    std::size_t shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                ++shown;
                QMetaObject::invokeMethod(
                    box, [box] { QTest::keyClick(box, Qt::Key_Return); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

}  // namespace vantrel::stress
