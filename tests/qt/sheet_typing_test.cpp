// Typing into the real window with key events sent to whatever has the
// focus: each sheet fills in, empties, survives a parse error and keeps its
// texts while another sheet is shown.
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "qt_test_main.h"
#include "toolkit/exceptions.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::testing::WindowTestCase;
using Texts = std::map<QString, QString>;

Q_DECLARE_METATYPE(Texts)

namespace {

// The message the number parser gives for a text, as the box must show it.
QString ParserMessage(const QString& text) {
    try {
        vantrel::StrToFloat(text.toStdString());
    } catch (const vantrel::EConvertError& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("(parsed without error)");
}

}  // namespace

class SheetTypingTest : public WindowTestCase {
    Q_OBJECT

private slots:

    void typingAValueFillsEveryFieldOfItsSheet_data() {
        QTest::addColumn<int>("sheetIndex");
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("field");
        QTest::addColumn<Texts>("expected");
        QTest::newRow("1 m3/h") << 0 << "TbSht_G"
                                << "Edt_Gm_h"
                                << Texts{{"Edt_Gm_h", "1"},        {"Edt_Gm_m", "0,0167"},
                                         {"Edt_Gm_c", "0,000278"}, {"Edt_Gl_h", "1000"},
                                         {"Edt_Gl_m", "16,7"},     {"Edt_Gl_c", "0,278"}};
        QTest::newRow("1 kJ/(kg C)")
            << 1 << "TbSht_c"
            << "Edt_QkJ_k"
            << Texts{{"Edt_QGJ_k", "1E-6"},  {"Edt_QMJ_k", "0,001"},   {"Edt_QkJ_k", "1"},
                     {"Edt_QJ_k", "1000"},   {"Edt_QGk_k", "2,39E-7"}, {"Edt_QMk_k", "0,000239"},
                     {"Edt_Qkk_k", "0,239"}, {"Edt_Qk_k", "239"}};
        QTest::newRow("1 kW") << 2 << "TbSht_Q"
                              << "Edt_QkW" << Texts{{"Edt_QGW", "1E-6"},     {"Edt_QMW", "0,001"},
                                                    {"Edt_QkW", "1"},        {"Edt_QW", "1000"},
                                                    {"Edt_QGkh", "0,00086"}, {"Edt_QMkh", "0,86"},
                                                    {"Edt_Qkkh", "860"},     {"Edt_Qkh", "860000"}};
        QTest::newRow("1 kcal") << 3 << "TbSht_QQ"
                                << "Edt_Qkk"
                                << Texts{{"Edt_QGJ", "4,187E-6"}, {"Edt_QMJ", "0,004187"},
                                         {"Edt_QkJ", "4,187"},    {"Edt_QJ", "4187"},
                                         {"Edt_QGk", "1E-6"},     {"Edt_QMk", "0,001"},
                                         {"Edt_Qkk", "1"},        {"Edt_Qk", "1000"}};
        QTest::newRow("1 kgf") << 4 << "TbSht_H"
                               << "Edt_Hkg" << Texts{{"Edt_HGH", "9,81E-9"}, {"Edt_HMH", "9,81E-6"},
                                                     {"Edt_HkH", "0,00981"}, {"Edt_HH", "9,81"},
                                                     {"Edt_HGg", "1E-6"},    {"Edt_HMg", "0,001"},
                                                     {"Edt_Hkg", "1"},       {"Edt_Hg", "1000"}};
        // Exact quotients of the definitions, rounded to the 11 digits a field
        // shows (10 after "0,"), trailing zeros dropped.
        QTest::newRow("1 MPa")
            << 5 << "TbSht_P"
            << "Edt_PMPa" << Texts{{"Edt_PGPa", "0,001"},          {"Edt_PMPa", "1"},
                                   {"Edt_PkPa", "1000"},           {"Edt_PPa", "1000000"},
                                   {"Edt_Pmvst", "101,9716213"},   {"Edt_Pmmvst", "101971,6213"},
                                   {"Edt_Pmrtst", "7,5006157585"}, {"Edt_Pmmrtst", "7500,6157585"},
                                   {"Edt_Pkg_mm", "0,1019716213"}, {"Edt_Pkg_cm", "10,19716213"},
                                   {"Edt_Pkg_m", "101971,6213"},   {"Edt_Patm", "9,8692326672"}};
    }
    void typingAValueFillsEveryFieldOfItsSheet() {
        QFETCH(int, sheetIndex);
        QFETCH(QString, sheet);
        QFETCH(QString, field);
        QFETCH(Texts, expected);
        session_->ShowSheet(sheetIndex);
        QVERIFY(session_->TabTo(qPrintable(field)));
        session_->Type("1");
        QCOMPARE(session_->SheetTexts(qPrintable(sheet)), expected);
        QCOMPARE(session_->Boxes().TakeBoxes().size(), 0);
        // A written field shows its leading digits, however long the number.
        for (const auto& [name, text] : expected) {
            if (name != field) {
                QCOMPARE(session_->Edit(qPrintable(name)).cursorPosition(), 0);
            }
        }
    }

    void typedCharactersPassTheFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point becomes comma") << "1.5"
                                             << "1,5";
        QTest::newRow("second comma discarded") << "1,5,2"
                                                << "1,52";
        QTest::newRow("e becomes E, minus after it") << "2e-3"
                                                     << "2E-3";
        QTest::newRow("minus without exponent discarded") << "-7"
                                                          << "7";
        QTest::newRow("letters, space and plus discarded") << "4x y+"
                                                           << "4";
        QTest::newRow("Cyrillic discarded") << QString::fromUtf8("5кВт") << "5";
    }
    void typedCharactersPassTheFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QVERIFY(session_->TabTo("Edt_Gl_h"));
        session_->Type(typed);
        QCOMPARE(session_->Text("Edt_Gl_h"), shown);
    }

    // Commands edit the text without the filter judging them: were Delete or
    // Ctrl+A seen as characters, the filter would discard them.
    void editingCommandsBypassTheFilter() {
        session_->ShowSheet(2);
        QVERIFY(session_->TabTo("Edt_QW"));
        session_->Type("125");
        session_->Key(Qt::Key_Home);
        session_->Key(Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QCOMPARE(session_->Text("Edt_QW"), "25");
        QCOMPARE(session_->Text("Edt_QkW"), "0,025");
        session_->Key(Qt::Key_End);
        session_->Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        QCOMPARE(session_->Text("Edt_QW"), "2");
        session_->Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
        session_->Type("9");
        QCOMPARE(session_->Text("Edt_QW"), "9");
        QCOMPARE(session_->Text("Edt_QkW"), "0,009");
    }

    void emptyingTheFieldEmptiesItsSheet() {
        session_->ShowSheet(4);
        QVERIFY(session_->TabTo("Edt_HH"));
        session_->Type("12");
        QCOMPARE(session_->Text("Edt_Hg"), "1224");
        session_->Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        session_->Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        for (const auto& [name, text] : session_->SheetTexts("TbSht_H")) {
            QVERIFY2(text.isEmpty(), qPrintable(name + " still shows " + text));
        }
    }

    void textThatIsNotANumberShowsTheParserMessageAndChangesNothing_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("typed");
        QTest::newRow("pasted letters") << "abc"
                                        << "";
        QTest::newRow("comma alone") << ""
                                     << ",";
    }
    void textThatIsNotANumberShowsTheParserMessageAndChangesNothing() {
        QFETCH(QString, pasted);
        QFETCH(QString, typed);
        session_->ShowSheet(2);
        QVERIFY(session_->TabTo("Edt_QMkh"));
        session_->Type("3");
        const Texts before = session_->SheetTexts("TbSht_Q");
        session_->Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            session_->Key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        }
        session_->Type(typed);
        const QString bad = pasted + typed;

        // One box: dismissing it with Enter must not raise it again when the
        // Enter is released over the field.
        const auto boxes = session_->Boxes().TakeBoxes();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.front().title, session_->Window().windowTitle());
        QCOMPARE(boxes.front().text, ParserMessage(bad));
        Texts after = session_->SheetTexts("TbSht_Q");
        QCOMPARE(after["Edt_QMkh"], bad);
        after["Edt_QMkh"] = before.at("Edt_QMkh");
        QCOMPARE(after, before);
        QCOMPARE(session_->FocusName(), "Edt_QMkh");

        // The field still recalculates on the next key released in it.
        session_->Key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        if (bad.size() == 1) {
            QCOMPARE(session_->Text("Edt_QMW"), "");
        } else {
            QCOMPARE(session_->Boxes().TakeBoxes().size(), 1);
        }
    }

    void keyPressedElsewhereAndReleasedOverAFieldRecalculatesNothing() {
        QVERIFY(session_->TabTo("Edt_Gm_h"));
        session_->Type("2");
        // A result set by hand stands for one the sheet would write anew if it
        // recalculated.
        session_->Edit("Edt_Gl_h").SetText("9");
        session_->Release(Qt::Key_Return);
        session_->Release(Qt::Key_5, Qt::NoModifier, "5");
        session_->Key(Qt::Key_Left);
        QCOMPARE(session_->Text("Edt_Gl_h"), "9");
    }

    void autoRepeatRaisesOneKeyUpOnThePhysicalRelease() {
        QVERIFY(session_->TabTo("Edt_Gm_h"));
        QSignalSpy keyUps(&session_->Edit("Edt_Gm_h"), &vantrel::TEdit::KeyUp);
        session_->Press(Qt::Key_7, Qt::NoModifier, "7");
        for (int repeat = 0; repeat < 3; ++repeat) {
            session_->Release(Qt::Key_7, Qt::NoModifier, "7", true);
            session_->Press(Qt::Key_7, Qt::NoModifier, "7", true);
        }
        QCOMPARE(keyUps.count(), 0);
        session_->Release(Qt::Key_7, Qt::NoModifier, "7");
        QCOMPARE(keyUps.count(), 1);
        QCOMPARE(session_->Text("Edt_Gm_h"), "7777");
        QCOMPARE(session_->Text("Edt_Gl_h"), "7777000");
    }

    void typingBeforeAnyFieldHasTheFocusChangesNothing() {
        QCOMPARE(session_->FocusName(), "PgCntrl");
        session_->Type("1,5");
        for (const auto& [name, text] : session_->AllTexts()) {
            QVERIFY2(text.isEmpty(), qPrintable(name + " shows " + text));
        }
    }

    void switchingSheetsKeepsTheTextsOfBoth() {
        QVERIFY(session_->TabTo("Edt_Gl_c"));
        session_->Type("2");
        QVERIFY(session_->TabTo("PgCntrl"));
        const Texts flow = session_->SheetTexts("TbSht_G");
        QVERIFY(!flow.at("Edt_Gm_c").isEmpty());
        session_->ShowSheet(5);
        QVERIFY(session_->TabTo("Edt_Patm"));
        session_->Type("1");
        QCOMPARE(session_->Text("Edt_PPa"), "101325");
        QVERIFY(session_->TabTo("PgCntrl"));
        const Texts pressure = session_->SheetTexts("TbSht_P");
        QCOMPARE(session_->SheetTexts("TbSht_G"), flow);
        session_->Key(Qt::Key_Home);
        QCOMPARE(session_->SheetTexts("TbSht_G"), flow);
        session_->Key(Qt::Key_End);
        QCOMPARE(session_->SheetTexts("TbSht_P"), pressure);
        QCOMPARE(session_->SheetTexts("TbSht_G"), flow);
    }

    void helpDoesNothingAndTheStatusBarStaysEmpty() {
        session_->ShowSheet(2);
        QVERIFY(session_->TabTo("Edt_QkW"));
        session_->Type("1");
        auto* help = session_->Window().findChild<QPushButton*>("Btn_Help");
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(session_->FocusName(), "Btn_Help");
        const Texts all = session_->AllTexts();
        session_->Key(Qt::Key_Space, Qt::NoModifier, " ");
        QCOMPARE(session_->AllTexts(), all);
        QVERIFY(session_->Window().isVisible());
        auto* status = session_->Window().findChild<QStatusBar*>("StatusBar1");
        QVERIFY(status->currentMessage().isEmpty());
    }
};

VANTREL_QT_TEST_MAIN(SheetTypingTest)
#include "sheet_typing_test.moc"
