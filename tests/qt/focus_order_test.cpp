// Where the keyboard focus starts and where Tab and Shift+Tab take it.
#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "qt_test_main.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::testing::WindowTestCase;

class FocusOrderTest : public WindowTestCase {
    Q_OBJECT

    QStringList TabThrough(int presses, Qt::KeyboardModifiers modifiers) {
        QStringList visited;
        for (int i = 0; i < presses; ++i) {
            session_->Key(Qt::Key_Tab, modifiers);
            visited << session_->FocusName();
        }
        return visited;
    }

private slots:

    void opensOnVolumeFlowWithThePageControlFocusedAndEveryFieldEmpty() {
        auto* pages = session_->Window().findChild<QTabWidget*>("PgCntrl");
        QCOMPARE(pages->currentWidget()->objectName(), "TbSht_G");
        QCOMPARE(session_->FocusName(), "PgCntrl");
        const auto texts = session_->AllTexts();
        QCOMPARE(texts.size(), std::size_t{50});
        for (const auto& [name, text] : texts) {
            QVERIFY2(text.isEmpty(), qPrintable(name));
        }
    }

    void tabVisitsTheShownSheetInItsOrderThenTheButtons_data() {
        QTest::addColumn<int>("sheetIndex");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("volume flow") << 0 << QStringList{"Edt_Gm_h", "Edt_Gm_m", "Edt_Gm_c",
                                                         "Edt_Gl_h", "Edt_Gl_m", "Edt_Gl_c"};
        QTest::newRow("specific heat")
            << 1 << QStringList{"Edt_QGJ_k", "Edt_QMJ_k", "Edt_QkJ_k", "Edt_QJ_k",
                                "Edt_QGk_k", "Edt_QMk_k", "Edt_Qkk_k", "Edt_Qk_k"};
        QTest::newRow("heat flow")
            << 2 << QStringList{"Edt_QGW",  "Edt_QMW",  "Edt_QkW",  "Edt_QW",
                                "Edt_QGkh", "Edt_QMkh", "Edt_Qkkh", "Edt_Qkh"};
        QTest::newRow("heat") << 3 << QStringList{"Edt_QGJ", "Edt_QMJ", "Edt_QkJ", "Edt_QJ",
                                                  "Edt_QGk", "Edt_QMk", "Edt_Qkk", "Edt_Qk"};
        QTest::newRow("force") << 4 << QStringList{"Edt_HGH", "Edt_HMH", "Edt_HkH", "Edt_HH",
                                                   "Edt_HGg", "Edt_HMg", "Edt_Hkg", "Edt_Hg"};
        // Column 3 is entered from below: kgf/mm2 at its top comes last.
        QTest::newRow("pressure") << 5 << QStringList{"Edt_PGPa",   "Edt_PMPa",    "Edt_PkPa",
                                                      "Edt_PPa",    "Edt_Pmvst",   "Edt_Pmmvst",
                                                      "Edt_Pmrtst", "Edt_Pmmrtst", "Edt_Pkg_cm",
                                                      "Edt_Pkg_m",  "Edt_Patm",    "Edt_Pkg_mm"};
    }
    void tabVisitsTheShownSheetInItsOrderThenTheButtons() {
        QFETCH(int, sheetIndex);
        QFETCH(QStringList, fields);
        session_->ShowSheet(sheetIndex);
        const QStringList forward = fields + QStringList{"Btn_Exit", "Btn_Help", "PgCntrl"};
        QCOMPARE(TabThrough(forward.size(), Qt::NoModifier), forward);

        QStringList backward{"Btn_Help", "Btn_Exit"};
        for (auto field = fields.crbegin(); field != fields.crend(); ++field) {
            backward << *field;
        }
        backward << "PgCntrl";
        QCOMPARE(TabThrough(backward.size(), Qt::ShiftModifier), backward);
    }

    void ctrlTabAndCtrlPageKeysSwitchSheetsFromAnywhereGoingRound_data() {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("shown");
        // X11 reports Ctrl+Shift+Tab as Backtab.
        QTest::newRow("Ctrl+Tab on the tabs") << 5 << "PgCntrl" << int(Qt::Key_Tab)
                                              << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::newRow("Ctrl+PgDn in a field") << 1 << "Edt_QGJ_k" << int(Qt::Key_PageDown)
                                              << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
        QTest::newRow("Ctrl+Shift+Tab on a button")
            << 0 << "Btn_Exit" << int(Qt::Key_Backtab) << (Qt::ControlModifier | Qt::ShiftModifier)
            << 5;
        QTest::newRow("Ctrl+PgUp in a field") << 3 << "Edt_QGJ" << int(Qt::Key_PageUp)
                                              << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
        // Some keyboard mappings report Ctrl+Shift+Tab as Backtab with Ctrl alone.
        QTest::newRow("Ctrl+Shift+Tab as Ctrl+Backtab in a field")
            << 2 << "Edt_QGW" << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ControlModifier)
            << 1;
    }
    void ctrlTabAndCtrlPageKeysSwitchSheetsFromAnywhereGoingRound() {
        QFETCH(int, sheet);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, shown);
        session_->ShowSheet(sheet);
        QVERIFY(session_->TabTo(qPrintable(focus)));
        // As the window system delivers it, shortcuts first.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        auto* pages = session_->Window().findChild<QTabWidget*>("PgCntrl");
        QCOMPARE(pages->currentIndex(), shown);
    }

    // Entering a field with Tab selects its text, so the next digit replaces it.
    void enteringAFieldWithTabSelectsItsText() {
        session_->ShowSheet(3);
        QVERIFY(session_->TabTo("Edt_QMJ"));
        session_->Type("25");
        session_->Key(Qt::Key_Tab);
        session_->Key(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(session_->FocusName(), "Edt_QMJ");
        auto& field = session_->Edit("Edt_QMJ");
        QVERIFY(!field.text().isEmpty());
        QCOMPARE(field.selectedText(), field.text());
        session_->Type("7");
        QCOMPARE(field.text(), "7");
        QCOMPARE(session_->Text("Edt_QkJ"), "7000");
    }
};

VANTREL_QT_TEST_MAIN(FocusOrderTest)
#include "focus_order_test.moc"
