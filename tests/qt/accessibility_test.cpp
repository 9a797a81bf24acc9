// What a screen reader or a black-box test tool finds in the window: every
// value field named as its caption reads on screen, superscript included, and
// described by the unit's full name; buttons and sheets named by caption.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QSet>
#include <QTest>
#include <memory>

#include "qt_test_main.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_label.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::TEdit;
using vantrel::TLabel;
using vantrel::testing::WindowTestCase;

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    if (accessible == nullptr) {
        vantrel::testing::AbortTest(
            QStringLiteral("%1 has no accessible interface").arg(object->objectName()));
    }
    return accessible;
}

// The caption as it reads on screen: the superscript digit drawn over the
// caption's two-space gap, or after its end, takes its place in the text, and
// the Latin letters two captions carry are read as the Cyrillic ones they
// look like, so that a Russian voice does not spell them in English.
QString CaptionAsSeen(const TLabel& caption) {
    QString text = caption.text();
    for (TLabel* label : caption.parentWidget()->findChildren<TLabel*>()) {
        const bool digit = label->text().size() == 1 && label->text().front().isDigit();
        if (!digit || label == &caption ||
            !label->geometry().intersects(caption.geometry().adjusted(0, 0, 16, 0))) {
            continue;
        }
        const QString superscript =
            label->text() == "2" ? QStringLiteral("²") : QStringLiteral("³");
        const int gap = text.indexOf("  ");
        text = gap >= 0 ? text.replace(gap, 2, superscript) : text + superscript;
    }
    return text.replace(u'M', u'М').replace(u'c', u'с');
}

}  // namespace

class AccessibilityTest : public WindowTestCase {
    Q_OBJECT

private slots:

    void everyFieldIsNamedAsItsCaptionReadsAndDescribedByItsUnit() {
        QSet<QString> names;
        for (TEdit* field : session_->Window().findChildren<TEdit*>()) {
            const QString id = field->objectName();
            auto* caption =
                session_->Window().findChild<TLabel*>(QString(id).replace("Edt_", "Lbl_"));
            QAccessibleInterface* accessible = Accessible(field);
            QCOMPARE(accessible->role(), QAccessible::EditableText);
            const QString name = accessible->text(QAccessible::Name);
            QCOMPARE(name, CaptionAsSeen(*caption));
            for (QChar c : name) {
                QVERIFY2(!c.isLetter() || c.script() == QChar::Script_Cyrillic,
                         qPrintable(id + ": " + name));
            }
            QVERIFY2(!names.contains(name), qPrintable(id + " shares its name " + name));
            names.insert(name);
            const QString description = accessible->text(QAccessible::Description);
            QVERIFY2(description.size() >= 4, qPrintable(id));
            for (QChar c : description) {
                QVERIFY2(c.isSpace() || c == u'-' || c.script() == QChar::Script_Cyrillic,
                         qPrintable(id + ": " + description));
            }
        }
        QCOMPARE(names.size(), 50);
    }

    void unitsAreSpelledOut_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("kW") << "Edt_QkW" << QString::fromUtf8("кВт")
                            << QString::fromUtf8("киловатт");
        QTest::newRow("MW") << "Edt_QMW" << QString::fromUtf8("МВт")
                            << QString::fromUtf8("мегаватт");
        QTest::newRow("m3/h") << "Edt_Gm_h" << QString::fromUtf8("м³/ч")
                              << QString::fromUtf8("кубический метр в час");
        QTest::newRow("kgf/cm2") << "Edt_Pkg_cm" << QString::fromUtf8("кгс/см²")
                                 << QString::fromUtf8("килограмм-сила на квадратный сантиметр");
        QTest::newRow("mm of mercury") << "Edt_Pmmrtst" << QString::fromUtf8("мм.рт.ст")
                                       << QString::fromUtf8("миллиметр ртутного столба");
        QTest::newRow("atmosphere") << "Edt_Patm" << QString::fromUtf8("атм.")
                                    << QString::fromUtf8("стандартная атмосфера");
        QTest::newRow("gram-force")
            << "Edt_Hg" << QString::fromUtf8("гс") << QString::fromUtf8("грамм-сила");
    }
    void unitsAreSpelledOut() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* accessible = Accessible(&session_->Edit(qPrintable(field)));
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(accessible->text(QAccessible::Description), description);
    }

    void aFieldReadsOutWhatItShows() {
        QVERIFY(session_->TabTo("Edt_Gl_h"));
        session_->Type("1,5");
        QCOMPARE(Accessible(&session_->Edit("Edt_Gl_m"))->text(QAccessible::Value), "0,02505");
    }

    void buttonsAndSheetsAreNamedByTheirCaptions() {
        QAccessibleInterface* window = Accessible(&session_->Window());
        QCOMPARE(window->text(QAccessible::Name), QString::fromUtf8("Вантрел едениц измерения"));
        // A window, not a filler: screen readers announce it as one.
        QCOMPARE(window->role(), QAccessible::Window);
        QStringList buttons;
        QStringList tabs;
        QList<QAccessibleInterface*> pending{window};
        while (!pending.isEmpty()) {
            QAccessibleInterface* item = pending.takeFirst();
            if (item->state().invisible) {
                continue;  // the tab strip's idle scroll arrows, for one
            }
            if (item->role() == QAccessible::Button) {
                buttons << item->text(QAccessible::Name);
            } else if (item->role() == QAccessible::PageTab) {
                tabs << item->text(QAccessible::Name);
            }
            for (int i = 0; i < item->childCount(); ++i) {
                pending << item->child(i);
            }
        }
        QCOMPARE(buttons, (QStringList{QString::fromUtf8("Выход"), QString::fromUtf8("Справка")}));
        QCOMPARE(tabs, (QStringList{"Объемный расход", "Удельная теплоемкость", "Тепловой поток",
                                    "Теплота", "Сила", "Давление"}));
        for (const char* sheet : {"TbSht_G", "TbSht_P"}) {
            auto* page = session_->Window().findChild<QWidget*>(sheet);
            QVERIFY(tabs.contains(Accessible(page)->text(QAccessible::Name)));
        }
    }
};

VANTREL_QT_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
