// Every value field of the real window is wired as the layout intends: its
// typed characters pass the keystroke filter, and its key release
// recalculates its own sheet and no other. One test row per field, so a
// single missing or misdirected connection in the layout names its field.
#include <QTabWidget>
#include <QTest>

#include "qt_test_main.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_page_control.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::TEdit;
using vantrel::TTabSheet;
using vantrel::testing::WindowTestCase;

namespace {

// A text the program would never write, to see whether a field was touched.
const QString kUntouched = QStringLiteral("untouched");

}  // namespace

class WiringTest : public WindowTestCase {
    Q_OBJECT

private slots:
    void eachFieldFiltersAndRecalculatesItsOwnSheet_data() {
        QTest::addColumn<QString>("field");
        vantrel::testing::WindowSession window;
        for (TEdit* edit : window.Window().findChildren<TEdit*>()) {
            QTest::newRow(qPrintable(edit->objectName())) << edit->objectName();
        }
        QCOMPARE(window.Window().findChildren<TEdit*>().size(), 50);
    }
    void eachFieldFiltersAndRecalculatesItsOwnSheet() {
        QFETCH(QString, field);
        TEdit& source = session_->Edit(qPrintable(field));
        auto* sheet = qobject_cast<TTabSheet*>(source.parentWidget());
        QVERIFY(sheet != nullptr);
        for (TEdit* edit : session_->Window().findChildren<TEdit*>()) {
            edit->SetText(kUntouched.toStdString());
        }
        source.SetText({});
        session_->Window().findChild<QTabWidget*>("PgCntrl")->setCurrentWidget(sheet);
        source.setFocus(Qt::TabFocusReason);

        // '.' becomes ',' and 'x' is dropped only if the filter saw them.
        session_->Type(QStringLiteral("2.x5"));
        QCOMPARE(source.text(), QStringLiteral("2,5"));
        QVERIFY(session_->Boxes().TakeBoxes().isEmpty());

        for (TEdit* edit : session_->Window().findChildren<TEdit*>()) {
            const bool ownSheet = edit->parentWidget() == sheet;
            if (edit == &source) {
                continue;
            }
            if (ownSheet) {
                QVERIFY2(edit->text() != kUntouched && !edit->text().isEmpty(),
                         qPrintable(edit->objectName() + " was not recalculated"));
            } else {
                QVERIFY2(edit->text() == kUntouched,
                         qPrintable(edit->objectName() + " on another sheet changed"));
            }
        }
    }
};

VANTREL_QT_TEST_MAIN(WiringTest)
#include "wiring_test.moc"
