// What recalculates a sheet and what does not, in the real window: a key that
// changes no text (visiting, selecting or copying a result) leaves every
// field as it is, the value typed included; every edit that changes a text,
// by keyboard, mouse or context menu, recalculates like typing; and a refused
// text is reported once.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <functional>
#include <memory>

#include "qt_test_main.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/t_edit.h"
#include "ui/app_identity.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::TEdit;
using vantrel::testing::WindowSession;
using vantrel::testing::WindowTestCase;
using Action = std::function<void(WindowSession&, TEdit&)>;
using KeyList = QList<QPair<int, Qt::KeyboardModifiers>>;

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(KeyList)

namespace {

void PressKeys(WindowSession& session, const KeyList& keys) {
    for (const auto& [key, modifiers] : keys) {
        session.Key(key, modifiers);
    }
}

// Runs one action of the field's standard context menu, as choosing it does.
// Actions are found by the shortcut their text shows, whatever its language.
void ChooseFromContextMenu(TEdit& field, QKeySequence::StandardKey command) {
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    const QString shortcut = QKeySequence(command).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (action->text().endsWith(QLatin1Char('\t') + shortcut)) {
            action->trigger();
            return;
        }
    }
    vantrel::testing::AbortTest(QStringLiteral("no context-menu action for %1").arg(shortcut));
}

// Lets the edits that no key of the field made finish, as the event loop would.
// Drops `text` past the end of the field's short text: it lands after it.
void DropAtEnd(TEdit& field, const QString& text) {
    QMimeData data;
    data.setText(text);
    const QPointF end(field.width() - 4, field.height() / 2);
    QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &enter);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &drop);
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

}  // namespace

class EditRecalcTest : public WindowTestCase {
    Q_OBJECT

private slots:
    void initTestCase() { vantrel::UseProgramLanguage(); }

    void keysThatChangeNoTextChangeNothing_data() {
        using Keys = KeyList;
        QTest::addColumn<KeyList>("keys");
        QTest::newRow("Tab into a result") << Keys{{Qt::Key_Tab, {}}};
        QTest::newRow("Tab on, Shift+Tab back")
            << Keys{{Qt::Key_Tab, {}}, {Qt::Key_Tab, {}}, {Qt::Key_Backtab, Qt::ShiftModifier}};
        QTest::newRow("arrows, Home and End") << Keys{{Qt::Key_Tab, {}},
                                                      {Qt::Key_Left, {}},
                                                      {Qt::Key_Right, {}},
                                                      {Qt::Key_Home, {}},
                                                      {Qt::Key_End, {}}};
        QTest::newRow("Shift and Ctrl alone")
            << Keys{{Qt::Key_Shift, {}}, {Qt::Key_Tab, {}}, {Qt::Key_Control, {}}};
        QTest::newRow("selecting and copying a result")
            << Keys{{Qt::Key_Tab, {}},
                    {Qt::Key_Home, {}},
                    {Qt::Key_End, Qt::ShiftModifier},
                    {Qt::Key_C, Qt::ControlModifier},
                    {Qt::Key_A, Qt::ControlModifier},
                    {Qt::Key_Insert, Qt::ControlModifier}};
    }
    void keysThatChangeNoTextChangeNothing() {
        QFETCH(KeyList, keys);
        session_->ShowSheet(5);
        QVERIFY(session_->TabTo("Edt_PPa"));
        session_->Type("100");
        const auto before = session_->AllTexts();
        QCOMPARE(before.at("Edt_PPa"), "100");
        PressKeys(*session_, keys);
        QCOMPARE(session_->AllTexts(), before);
    }

    void everyEditRecalculates_data() {
        QTest::addColumn<Action>("edit");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Backspace") << Action([](WindowSession& s, TEdit&) {
            s.Key(Qt::Key_Backspace, {}, QStringLiteral("\b"));
        }) << "2";
        QTest::newRow("Delete") << Action([](WindowSession& s, TEdit&) {
            s.Key(Qt::Key_Home);
            s.Key(Qt::Key_Delete);
        }) << "5";
        QTest::newRow("keyboard paste") << Action([](WindowSession& s, TEdit&) {
            QGuiApplication::clipboard()->setText(QStringLiteral("7"));
            s.Key(Qt::Key_V, Qt::ControlModifier);
        }) << "257";
        QTest::newRow("context-menu paste") << Action([](WindowSession&, TEdit& field) {
            QGuiApplication::clipboard()->setText(QStringLiteral("7"));
            ChooseFromContextMenu(field, QKeySequence::Paste);
        }) << "257";
        QTest::newRow("context-menu cut") << Action([](WindowSession&, TEdit& field) {
            field.setSelection(0, 1);
            ChooseFromContextMenu(field, QKeySequence::Cut);
        }) << "5";
        QTest::newRow("context-menu undo") << Action([](WindowSession&, TEdit& field) {
            ChooseFromContextMenu(field, QKeySequence::Undo);
        }) << "";
        QTest::newRow("middle-click paste") << Action([](WindowSession&, TEdit& field) {
            QGuiApplication::clipboard()->setText(QStringLiteral("7"), QClipboard::Selection);
            QTest::mouseClick(&field, Qt::MiddleButton, {}, field.rect().center());
        }) << "257";
        QTest::newRow("dropping text")
            << Action([](WindowSession&, TEdit& field) { DropAtEnd(field, QStringLiteral("7")); })
            << "257";
        // Of more than one line, the field keeps the first, as a Windows edit does.
        QTest::newRow("keyboard paste of two lines before the text")
            << Action([](WindowSession& s, TEdit&) {
                   QGuiApplication::clipboard()->setText(QStringLiteral("7\r\n8"));
                   s.Key(Qt::Key_Home);
                   s.Key(Qt::Key_V, Qt::ControlModifier);
               })
            << "725";
        QTest::newRow("dropping two lines") << Action([](WindowSession&, TEdit& field) {
            DropAtEnd(field, QStringLiteral("7\n8"));
        }) << "257";
    }
    void everyEditRecalculates() {
        QFETCH(Action, edit);
        QFETCH(QString, typed);
        if (QByteArray(QTest::currentDataTag()) == "middle-click paste" &&
            !QGuiApplication::clipboard()->supportsSelection()) {
            QSKIP(
                "this platform has no selection to paste with the middle button; "
                "the run under Xvfb covers it");
        }
        session_->ShowSheet(4);
        QVERIFY(session_->TabTo("Edt_HkH"));
        session_->Type("25");
        QCOMPARE(session_->Text("Edt_HH"), "25000");
        TEdit& field = session_->Edit("Edt_HkH");
        edit(*session_, field);
        Settle();
        QCOMPARE(field.text(), typed);
        // The sheet shows the edited text, as if it had been typed.
        const QString newtons = typed.isEmpty()
                                    ? QString()
                                    : QString::fromStdString(vantrel::FloatToStr(
                                          vantrel::StrToFloat(typed.toStdString()) * 1000));
        QCOMPARE(session_->Text("Edt_HH"), newtons);
        QCOMPARE(session_->FocusName(), "Edt_HkH");
    }

    // Its tail alone would read as another number, «32109,87654321».
    void aLongTextShowsItsStartOnceTheFocusHasLeftIt() {
        QVERIFY(session_->TabTo("Edt_Gm_h"));
        session_->Type("98765432109,87654321");
        TEdit& field = session_->Edit("Edt_Gm_h");
        const auto typed = session_->AllTexts();
        session_->Key(Qt::Key_Tab);
        QCOMPARE(session_->AllTexts(), typed);
        const QImage left = field.grab().toImage();
        field.SetText(field.GetText());  // as the program writes a text: from its start
        QCOMPARE(field.grab().toImage(), left);
        session_->Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(field.selectedText(), field.text());
    }

    void theContextMenuIsRussian() {
        const std::unique_ptr<QMenu> menu(session_->Edit("Edt_QGW").createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                texts << action->text().section(u'\t', 0, 0).remove(u'&');
            }
        }
        QCOMPARE(texts, (QStringList{"Отменить действие", "Повторить действие", "Вырезать",
                                     "Копировать", "Вставить", "Удалить", "Выделить всё"}));
    }

    // The message comes once; keys that change nothing do not bring it back,
    // and the next edit is judged afresh.
    void aRefusedPasteIsReportedOnce() {
        session_->ShowSheet(4);
        QVERIFY(session_->TabTo("Edt_HkH"));
        session_->Type("2");
        const auto before = session_->SheetTexts("TbSht_H");
        TEdit& field = session_->Edit("Edt_HkH");
        field.selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
        ChooseFromContextMenu(field, QKeySequence::Paste);
        Settle();
        const auto boxes = session_->Boxes().TakeBoxes();
        QCOMPARE(boxes.size(), 1);
        // A warning, in Russian throughout, like the window around it.
        QCOMPARE(boxes.front().icon, int(QMessageBox::Warning));
        QCOMPARE(boxes.front().buttons, QStringList{QString::fromUtf8("ОК")});
        QCOMPARE(field.text(), "abc");
        PressKeys(*session_, {{Qt::Key_End, {}},
                              {Qt::Key_Home, {}},
                              {Qt::Key_Shift, {}},
                              {Qt::Key_Control, {}},
                              {Qt::Key_Tab, {}},
                              {Qt::Key_Backtab, Qt::ShiftModifier}});
        QCOMPARE(session_->Boxes().TakeBoxes().size(), 0);
        auto after = session_->SheetTexts("TbSht_H");
        after["Edt_HkH"] = before.at("Edt_HkH");
        QCOMPARE(after, before);
        session_->Key(Qt::Key_End);
        session_->Type("1");
        QCOMPARE(session_->Boxes().TakeBoxes().size(), 1);
    }
};

VANTREL_QT_TEST_MAIN(EditRecalcTest)
#include "edit_recalc_test.moc"
