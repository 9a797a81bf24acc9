// One keystroke in the real window, end to end: the key press reaches the
// focused pressure field, passes the keystroke filter and is inserted; its
// release recalculates and rewrites the other eleven fields of the sheet.
// Each round types one digit over the field's selected text, so every round
// does the same work.
//
// run: vantrel_keystroke_bench [-median 9]   (offscreen, 120 ppi unless set)
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <vector>

#include "toolkit/qt/t_application.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"

namespace {

void SendToFocus(QEvent::Type type, int key, const QString& text) {
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

// Types over the selected text: 7 and 8 by turns, so that every keystroke
// changes the text and recalculates the sheet (a keystroke that leaves the
// text as the sheet last saw it recalculates nothing).
void Keystroke() {
    static bool seven = false;
    seven = !seven;
    const int key = seven ? Qt::Key_7 : Qt::Key_8;
    const QString text = seven ? QStringLiteral("7") : QStringLiteral("8");
    SendToFocus(QEvent::KeyPress, key, text);
    SendToFocus(QEvent::KeyRelease, key, text);
}

}  // namespace

class KeystrokeBench : public QObject {
    Q_OBJECT
    vantrel::TEdit* field_ = nullptr;

private slots:
    void initTestCase() {
        vantrel::Application->CreateForm(vantrel::Frm_vantrel);
        vantrel::Frm_vantrel->show();
        vantrel::Frm_vantrel->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(vantrel::Frm_vantrel));
        // From the tab strip to the pressure sheet, then into its MPa field.
        for (int sheet = 0; sheet < 5; ++sheet) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        }
        field_ = vantrel::Frm_vantrel->Edt_PMPa;
        while (QApplication::focusWidget() != field_) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        Keystroke();
        QCOMPARE(vantrel::Frm_vantrel->Edt_PkPa->text(), "7000");
    }

    void keystrokeRoundTrip() {
        QBENCHMARK {
            field_->selectAll();
            Keystroke();
        }
        QCOMPARE(vantrel::Frm_vantrel->Edt_PPa->text(), field_->text() + "000000");
    }

    // The same keystroke followed by the event loop's turn, in which the
    // changed fields repaint (into the offscreen platform's backing store).
    void keystrokeWithRepaint() {
        QBENCHMARK {
            field_->selectAll();
            Keystroke();
            QCoreApplication::processEvents();
        }
    }

    // The median of single keystrokes, which QBENCHMARK's per-run average
    // does not show.
    void keystrokeMedianAndSpread() {
        constexpr int kKeystrokes = 5000;
        std::vector<qint64> nanoseconds;
        nanoseconds.reserve(kKeystrokes);
        QElapsedTimer timer;
        for (int i = 0; i < kKeystrokes; ++i) {
            field_->selectAll();
            timer.start();
            Keystroke();
            nanoseconds.push_back(timer.nsecsElapsed());
        }
        std::sort(nanoseconds.begin(), nanoseconds.end());
        const auto at = [&](double fraction) {
            return nanoseconds[static_cast<std::size_t>(fraction * (kKeystrokes - 1))] / 1000.0;
        };
        qInfo("keystroke round trip over %d keystrokes: median %.1f us, 90%% %.1f us, 99%% %.1f us",
              kKeystrokes, at(0.5), at(0.9), at(0.99));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) {
        qputenv("QT_FONT_DPI", "120");
    }
    vantrel::TApplication application(argc, argv);
    application.Initialize();
    KeystrokeBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "keystroke_bench.moc"
