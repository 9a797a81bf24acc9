// Number text against the real window font at the density the run sets with
// QT_FONT_DPI: the widest texts the character budget allows fit a value
// field's text area, and so does every text the sheets write after typing.
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>
#include <string>

#include "qt_test_main.h"
#include "toolkit/number_text.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::TEdit;
using vantrel::testing::WindowTestCase;

namespace {

// Where QLineEdit draws its text: the style's contents rectangle, as the
// field's paint event asks for it, less the text margins and the 2 pixels
// QLineEdit keeps clear on either side.
QRect TextArea(const TEdit& edit) {
    constexpr int kHorizontalMargin = 2;
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.contentsRect();
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    return contents.marginsRemoved(edit.textMargins())
        .adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

// The text as the field lays it out: fractional advances, as its text layout
// sums them.
double DrawnWidth(const TEdit& edit, const QString& text) {
    return QFontMetricsF(edit.font()).horizontalAdvance(text);
}

// One shape of number text: sign, a comma after the first digit or none,
// and an exponent of some digits (none: 0) and sign.
struct Shape {
    bool negative;
    bool comma;
    int exponentDigits;
    bool exponentNegative;
};

// The longest text of a shape, all its digits `digit`, whose width stays
// within the budget.
QString WidestOf(const Shape& shape, char digit) {
    std::string exponent;
    if (shape.exponentDigits > 0) {
        exponent = shape.exponentNegative ? "E-" : "E";
        exponent.append(static_cast<std::size_t>(shape.exponentDigits), digit);
    }
    std::string widest;
    for (std::size_t digits = 1;; ++digits) {
        std::string text = shape.negative ? "-" : "";
        text += digit;
        if (shape.comma) {
            text += ',';
        }
        text.append(digits - 1, digit);
        text += exponent;
        if (vantrel::NumberTextWidth(text) > vantrel::kNumberTextBudget) {
            return QString::fromStdString(widest);
        }
        widest = text;
    }
}

struct Sheet {
    int page;
    const char* name;
};
constexpr Sheet kSheets[] = {{0, "TbSht_G"},  {1, "TbSht_c"}, {2, "TbSht_Q"},
                             {3, "TbSht_QQ"}, {4, "TbSht_H"}, {5, "TbSht_P"}};

}  // namespace

class NumberTextFitTest : public WindowTestCase {
    Q_OBJECT

private slots:
    void widestTextsTheBudgetAllowsFitAValueField() {
        // Positions and sizes are rounded edge by edge, so fields differ by a
        // pixel; the narrowest counts.
        TEdit* narrowest = nullptr;
        for (TEdit* field : session_->Window().findChildren<TEdit*>()) {
            if (narrowest == nullptr || TextArea(*field).width() < TextArea(*narrowest).width()) {
                narrowest = field;
            }
        }
        QVERIFY(narrowest != nullptr);
        TEdit& edit = *narrowest;
        const QRect area = TextArea(edit);
        // DejaVu Sans's digits share one width; should they not, the widest counts.
        char widestDigit = '0';
        for (char digit = '1'; digit <= '9'; ++digit) {
            if (DrawnWidth(edit, QString(QChar(digit))) >
                DrawnWidth(edit, QString(QChar(widestDigit)))) {
                widestDigit = digit;
            }
        }
        QString widestText;
        double widestWidth = 0;
        for (const bool negative : {false, true}) {
            const Shape shapes[] = {
                {negative, false, 0, false}, {negative, true, 0, false},
                {negative, true, 1, false},  {negative, true, 1, true},
                {negative, true, 2, false},  {negative, true, 2, true},
                {negative, true, 3, false},  {negative, true, 3, true},
                {negative, true, 4, true},  // extended precision only
            };
            for (const Shape& shape : shapes) {
                const QString text = WidestOf(shape, widestDigit);
                const double width = DrawnWidth(edit, text);
                QVERIFY2(width <= area.width(),
                         qPrintable(QStringLiteral("«%1» is %2 px wide, the text area %3 px")
                                        .arg(text)
                                        .arg(width)
                                        .arg(area.width())));
                if (width > widestWidth) {
                    widestText = text;
                    widestWidth = width;
                }
            }
        }
        qInfo("%d ppi: text area %d px, widest text «%s» %.2f px", TestDensity(), area.width(),
              qPrintable(widestText), widestWidth);
    }

    // Typed into every field of every sheet (negative values pasted, as the
    // keystroke filter lets no leading minus through), values whose results
    // take every shape: long fractions, carries, large and small exponents.
    void everyTextTypingWritesFitsItsField() {
        const QString typed[] = {
            "1",
            "123456789,123",
            "0,000123456789",
            "9,99999999999",
            "8,88888888E88",
            "1,23456789E-290",
            "9,87654321E290",
            "99999999999,7",
        };
        const QString pasted[] = {"-98765432109,8", "-0,000987654321", "-8,8888888E-88"};
        auto* pages = session_->Window().findChild<QTabWidget*>("PgCntrl");
        for (const Sheet& sheet : kSheets) {
            pages->setCurrentIndex(sheet.page);
            const auto fields = session_->SheetTexts(sheet.name);
            for (const auto& [source, unused] : fields) {
                TEdit& edit = session_->Edit(qPrintable(source));
                edit.setFocus(Qt::TabFocusReason);
                for (const QString& text : typed) {
                    session_->Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
                    session_->Type(text);
                    VerifySheetFits(sheet.name, source, text);
                }
                for (const QString& text : pasted) {
                    QGuiApplication::clipboard()->setText(text);
                    session_->Key(Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
                    session_->Key(Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
                    VerifySheetFits(sheet.name, source, text);
                }
            }
        }
    }

private:
    static int TestDensity() { return qEnvironmentVariableIntValue("QT_FONT_DPI"); }

    void VerifySheetFits(const char* sheet, const QString& source, const QString& typed) {
        QCOMPARE(session_->Text(qPrintable(source)), typed);
        for (const auto& [name, text] : session_->SheetTexts(sheet)) {
            if (name == source) {
                continue;  // what the user typed, not written
            }
            const TEdit& field = session_->Edit(qPrintable(name));
            QVERIFY2(!text.isEmpty(), qPrintable(name + " is empty after " + typed));
            const double width = DrawnWidth(field, text);
            QVERIFY2(width <= TextArea(field).width(),
                     qPrintable(QStringLiteral("%1 = %2: %3 shows «%4», %5 px in %6 px")
                                    .arg(source, typed, name, text)
                                    .arg(width)
                                    .arg(TextArea(field).width())));
        }
    }
};

VANTREL_QT_TEST_MAIN(NumberTextFitTest)
#include "number_text_fit_test.moc"
