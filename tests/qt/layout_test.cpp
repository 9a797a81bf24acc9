// The window's geometry, captions and fonts at the density the run sets with
// QT_FONT_DPI: exact at the design density of 120 ppi, scaled once with the
// same proportions at any other, and nothing clipped at any.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <memory>

#include "qt_test_main.h"
#include "toolkit/qt/own_title_bar.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_label.h"
#include "ui/tfrm_vantrel.h"
#include "window_session.h"

using vantrel::TEdit;
using vantrel::TLabel;
using vantrel::testing::WindowTestCase;

namespace {

// The density this run was started at, in device pixels per inch: under a
// Wayland compositor, 96 at each step of its output's scale (120 at 1.25).
double TestDensity() {
    if (qEnvironmentVariableIsSet("VANTREL_TEST_SCALE")) {
        return 96.0 * qgetenv("VANTREL_TEST_SCALE").toDouble();
    }
    return qEnvironmentVariableIntValue("QT_FONT_DPI");
}

// A design length in device pixels at the run's density.
double Device(double designPixels) {
    return designPixels * TestDensity() / 120.0;
}

// At the design density every coordinate is exact. Elsewhere widgets stand on
// whole device-independent pixels, so rounding may move an edge by one of
// them: one device pixel at 96 ppi, two at 192 (device pixel ratio 2).
double Tolerance() {
    return TestDensity() == 120 ? 0.0 : qApp->devicePixelRatio();
}

QRect DeviceRect(const QWidget& widget, const QWidget& within) {
    const double ratio = widget.devicePixelRatioF();
    const QPoint topLeft = widget.mapTo(&within, QPoint(0, 0));
    return QRect(qRound(topLeft.x() * ratio), qRound(topLeft.y() * ratio),
                 qRound(widget.width() * ratio), qRound(widget.height() * ratio));
}

// Weston and mutter leave the frame to the program: the window draws its own
// title bar there, above the client area.
bool CompositorLeavesTheFrame() {
    const QByteArray compositor = qgetenv("VANTREL_TEST_COMPOSITOR");
    return compositor == "weston" || compositor == "mutter";
}

int TitleBarHeight(const QWidget& window) {
    const auto* bar = window.findChild<vantrel::OwnTitleBar*>();
    return bar != nullptr ? bar->height() : 0;
}

// A control's place in device pixels within the window's client area.
QRect ClientRect(const QWidget& widget) {
    const QWidget& window = *widget.window();
    return DeviceRect(widget, window)
        .translated(0, -qRound(TitleBarHeight(window) * window.devicePixelRatioF()));
}

bool Near(double actual, double expected) {
    return std::abs(actual - expected) <= Tolerance() + 1e-9;
}

}  // namespace

#define VERIFY_NEAR(actual, expected)                                        \
    QVERIFY2(Near((actual), (expected)),                                     \
             qPrintable(QStringLiteral("%1 is %2, expected %3 (density %4)") \
                            .arg(#actual)                                    \
                            .arg(actual)                                     \
                            .arg(expected)                                   \
                            .arg(TestDensity())))

class LayoutTest : public WindowTestCase {
    Q_OBJECT

    template <class Widget>
    Widget& Find(const QString& name) const {
        auto* widget = session_->Window().findChild<Widget*>(name);
        if (widget == nullptr) {
            vantrel::testing::AbortTest(QStringLiteral("the window has no control %1").arg(name));
        }
        return *widget;
    }
    QWidget& SheetOf(const QWidget& control) const { return *control.parentWidget(); }

private slots:
    void initTestCase() { QVERIFY2(TestDensity() > 0, "QT_FONT_DPI must name the density"); }

    void windowHasItsClientAreaPlaceAndFixedBorder() {
        const auto& window = session_->Window();
        const double ratio = window.devicePixelRatioF();
        // Drawn in whole device pixels, at fractional scales too: sharp.
        QCOMPARE(ratio, std::floor(ratio));
        VERIFY_NEAR(window.width() * ratio, Device(821));
        VERIFY_NEAR((window.height() - TitleBarHeight(window)) * ratio, Device(366));
        // A Wayland compositor places windows itself: the program cannot.
        if (QGuiApplication::platformName() != QStringLiteral("wayland")) {
            VERIFY_NEAR(window.frameGeometry().x() * ratio, Device(190));
            VERIFY_NEAR(window.frameGeometry().y() * ratio, Device(132));
        }
        QCOMPARE(window.minimumSize(), window.size());
        // Where the compositor draws no frame on Wayland, the window is bound from below
        // only, and held to its size otherwise (normal_state_only.h).
        if (!CompositorLeavesTheFrame()) {
            QCOMPARE(window.maximumSize(), window.size());
        }
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Вантрел едениц измерения"));
        // Its own title bar there offers minimise and close, and no other.
        const auto* bar = window.findChild<vantrel::OwnTitleBar*>();
        QCOMPARE(bar != nullptr, CompositorLeavesTheFrame());
        if (bar != nullptr) {
            QCOMPARE(bar->geometry(), QRect(0, 0, window.width(), bar->height()));
            QCOMPARE(bar->findChildren<QToolButton*>(),
                     (QList<QToolButton*>{bar->MinimiseButton(), bar->CloseButton()}));
        }
    }

    void windowFontIsBoldThirteenDesignPixels() {
        const auto& window = session_->Window();
        const QFont font = window.font();
        QCOMPARE(QFontInfo(font).family(), "DejaVu Sans");
        QVERIFY(font.bold());
        // 13 design pixels in whole pixels, rounded down so text never
        // outgrows its place: exact at 120 ppi.
        const double devicePixels = font.pixelSize() * window.devicePixelRatioF();
        QVERIFY2(devicePixels <= Device(13) + 1e-9 &&
                     devicePixels > Device(13) - window.devicePixelRatioF(),
                 qPrintable(QString::number(devicePixels)));
        // Every control but the superscripts takes the window font.
        QCOMPARE(Find<TEdit>("Edt_QGW").font(), font);
        QCOMPARE(Find<TLabel>("Lbl_QGW").font(), font);
        QCOMPARE(Find<QPushButton>("Btn_Exit").font(), font);
        QCOMPARE(Find<QTabWidget>("PgCntrl").tabBar()->font(), font);
    }

    void fieldAndCaptionStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("volume flow, m3/s") << "Edt_Gm_c" << 32 << 128;
        QTest::newRow("specific heat, Mcal off the grid") << "Edt_QMk_k" << 272 << 88;
        QTest::newRow("heat flow, W") << "Edt_QW" << 32 << 176;
        QTest::newRow("heat, kcal") << "Edt_Qkk" << 272 << 128;
        QTest::newRow("force, gram-force") << "Edt_Hg" << 272 << 176;
        QTest::newRow("pressure, atmosphere") << "Edt_Patm" << 640 << 36;
    }
    void fieldAndCaptionStandWhereTheLayoutPutsThem() {
        QFETCH(QString, field);
        QFETCH(int, left);
        QFETCH(int, top);
        const auto& edit = Find<TEdit>(field);
        const QRect fieldRect = DeviceRect(edit, SheetOf(edit));
        VERIFY_NEAR(fieldRect.x(), Device(left));
        VERIFY_NEAR(fieldRect.y(), Device(top));
        VERIFY_NEAR(fieldRect.width(), Device(121));
        VERIFY_NEAR(fieldRect.height(), Device(24));
        const auto& caption = Find<TLabel>(QString(field).replace("Edt_", "Lbl_"));
        const QRect captionRect = DeviceRect(caption, SheetOf(caption));
        VERIFY_NEAR(captionRect.x(), Device(left + 128));
        VERIFY_NEAR(captionRect.y(), Device(top));
        VERIFY_NEAR(captionRect.height(), Device(16));
    }

    // Every caption sits 128 design pixels right of its field at the same top,
    // and every field stands on a row of the grid but the one off it.
    void everyFieldHasItsCaptionBesideItOnTheGrid() {
        const QList<TEdit*> fields = session_->Window().findChildren<TEdit*>();
        QCOMPARE(fields.size(), 50);
        for (TEdit* edit : fields) {
            const QString name = edit->objectName();
            auto* caption =
                session_->Window().findChild<TLabel*>(QString(name).replace("Edt_", "Lbl_"));
            QVERIFY2(caption != nullptr, qPrintable(name));
            QCOMPARE(caption->parentWidget(), edit->parentWidget());
            QCOMPARE(caption->y(), edit->y());
            VERIFY_NEAR(
                DeviceRect(*caption, SheetOf(*edit)).x() - DeviceRect(*edit, SheetOf(*edit)).x(),
                Device(128));
            const int designTop = name == "Edt_QMk_k" ? 88 : -1;
            bool onRow = false;
            for (int row : {36, 80, 128, 176}) {
                onRow = onRow || Near(DeviceRect(*edit, SheetOf(*edit)).y(), Device(row));
            }
            if (designTop > 0) {
                VERIFY_NEAR(DeviceRect(*edit, SheetOf(*edit)).y(), Device(designTop));
            } else {
                QVERIFY2(onRow, qPrintable(name));
            }
        }
    }

    // No caption is clipped by its own box, runs into the next column, or
    // falls off its sheet.
    void everyCaptionShowsWhole() {
        // Hidden sheets get their size when shown; all share the shown one's.
        const QSize sheet = Find<QTabWidget>("PgCntrl").currentWidget()->size();
        for (TLabel* label : session_->Window().findChildren<TLabel*>()) {
            const QString name = label->objectName();
            const QFontMetricsF metrics(label->font());
            QVERIFY2(label->width() >= metrics.horizontalAdvance(label->text()) - 1e-6,
                     qPrintable(name));
            QVERIFY2(label->height() + 1 >= metrics.ascent() + metrics.descent(), qPrintable(name));
            QVERIFY2(label->geometry().right() < sheet.width(), qPrintable(name));
            for (TEdit* edit : label->parentWidget()->findChildren<TEdit*>()) {
                QVERIFY2(!label->geometry().intersects(edit->geometry()),
                         qPrintable(name + " runs into " + edit->objectName()));
            }
        }
    }

    void captionsReadExactlyAsLaidOut_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("cubic metre gap for the 3") << "Lbl_Gm_h" << QString::fromUtf8("м  /ч");
        QTest::newRow("Latin M of megawatt") << "Lbl_QMW" << QString::fromUtf8("MВт");
        QTest::newRow("Latin c of centimetre") << "Lbl_Pkg_cm" << QString::fromUtf8("кгс/cм");
        QTest::newRow("middle dot on joules") << "Lbl_QMJ_k" << QString::fromUtf8("МДж/кг·°С");
        QTest::newRow("no dot on calories") << "Lbl_QMk_k" << QString::fromUtf8("Мкал/кг°С");
        QTest::newRow("atmosphere") << "Lbl_Patm" << QString::fromUtf8("атм.");
        QTest::newRow("Exit") << "Btn_Exit" << QString::fromUtf8("Выход");
        QTest::newRow("Help") << "Btn_Help" << QString::fromUtf8("Справка");
    }
    void captionsReadExactlyAsLaidOut() {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        const QObject& control = Find<QWidget>(caption);
        QCOMPARE(control.property("text").toString(), text);
        QCOMPARE(control.property("text").toString().toUcs4(), text.toUcs4());
    }

    void superscriptsSitRaisedInTheirCaptions_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::newRow("m3/h") << "Label3"
                              << "Lbl_Gm_h" << 172 << 32;
        QTest::newRow("m3/min") << "Label4"
                                << "Lbl_Gm_m" << 172 << 78;
        QTest::newRow("m3/s") << "Label5"
                              << "Lbl_Gm_c" << 172 << 123;
        QTest::newRow("kgf/mm2") << "Label2"
                                 << "Lbl_Pkg_mm" << 610 << 36;
        QTest::newRow("kgf/cm2") << "Lbl_Index"
                                 << "Lbl_Pkg_cm" << 608 << 76;
        QTest::newRow("kgf/m2") << "Label1"
                                << "Lbl_Pkg_m" << 600 << 125;
    }
    void superscriptsSitRaisedInTheirCaptions() {
        QFETCH(QString, label);
        QFETCH(QString, caption);
        QFETCH(int, left);
        QFETCH(int, top);
        const auto& digit = Find<TLabel>(label);
        const auto& owner = Find<TLabel>(caption);
        const QRect box = DeviceRect(digit, SheetOf(digit));
        // Text is drawn at whole pixel sizes, so away from the design density
        // the digit follows the letters it raises (checked below), not the grid.
        if (TestDensity() == 120) {
            QCOMPARE(box.x(), left);
        }
        VERIFY_NEAR(box.y(), Device(top));
        VERIFY_NEAR(box.width(), Device(8));
        VERIFY_NEAR(box.height(), Device(13));

        // Drawn after its caption, so it is on top where the boxes overlap.
        const QObjectList siblings = SheetOf(digit).children();
        QVERIFY(siblings.indexOf(&digit) > siblings.indexOf(&owner));

        // The digit's ink lies inside its box (top-left aligned) ...
        const QFontMetricsF digitMetrics(digit.font());
        const QRectF ink =
            digitMetrics.tightBoundingRect(digit.text()).translated(0, digitMetrics.ascent());
        QVERIFY2(ink.left() >= 0 && ink.right() <= digit.width(), "digit clipped sideways");
        QVERIFY2(ink.top() >= 0 && ink.bottom() <= digit.height(), "digit clipped vertically");
        const QRectF inkInSheet = ink.translated(digit.pos());

        // ... above the top of the caption's small letters ...
        const QFontMetricsF captionMetrics(owner.font());
        const double smallLetterTop =
            owner.y() + captionMetrics.ascent() - captionMetrics.xHeight();
        QVERIFY2(inkInSheet.top() < smallLetterTop, "digit not raised");

        // ... and right after the letter it raises without touching its ink:
        // in the two-space gap after the metre, or after the last letter.
        const QString text = owner.text();
        const int gap = text.indexOf("  ");
        const QString raised = gap >= 0 ? text.left(gap) : text;
        const double raisedInkEnd = owner.x() + captionMetrics.tightBoundingRect(raised).right();
        QVERIFY2(inkInSheet.left() >= raisedInkEnd, "digit over the letter it raises");
        QVERIFY2(inkInSheet.left() <= raisedInkEnd + Device(4), "digit detached from its letter");
        if (gap >= 0) {
            const QString rest = text.mid(gap + 2);
            const double restInkStart = owner.x() +
                                        captionMetrics.horizontalAdvance(text.left(gap + 2)) +
                                        captionMetrics.tightBoundingRect(rest).left();
            QVERIFY2(inkInSheet.right() <= restInkStart,
                     qPrintable(QStringLiteral("digit over the letters after the gap: ink %1..%2, "
                                               "raised end %3, rest from %4")
                                    .arg(inkInSheet.left())
                                    .arg(inkInSheet.right())
                                    .arg(raisedInkEnd)
                                    .arg(restInkStart)));
        }
    }

    void tabsShowTheirCaptionsInOneRowWithoutScrolling() {
        auto& pages = Find<QTabWidget>("PgCntrl");
        const QStringList expected{
            "Объемный расход", "Удельная теплоемкость", "Тепловой поток", "Теплота", "Сила",
            "Давление"};
        QStringList captions;
        for (int i = 0; i < pages.count(); ++i) {
            captions << pages.tabText(i);
        }
        QCOMPARE(captions, expected);
        QTabBar* tabs = pages.tabBar();
        QVERIFY(!tabs->usesScrollButtons());
        QCOMPARE(tabs->elideMode(), Qt::ElideNone);
        QVERIFY(tabs->tabRect(tabs->count() - 1).right() < pages.width());
        for (int i = 0; i < tabs->count(); ++i) {
            const double needed = QFontMetricsF(tabs->font()).horizontalAdvance(tabs->tabText(i));
            QVERIFY2(tabs->tabRect(i).width() > needed, qPrintable(tabs->tabText(i)));
        }
        const QRect pageControl = ClientRect(pages);
        VERIFY_NEAR(pageControl.x(), Device(5));
        VERIFY_NEAR(pageControl.width(), Device(812));
        VERIFY_NEAR(pageControl.height(), Device(297));
        // The deepest control of any sheet fits inside the page.
        QVERIFY(pages.currentWidget()->height() > Find<TEdit>("Edt_QW").geometry().bottom());
    }

    void buttonsAndStatusBarCloseTheWindow() {
        const auto& window = session_->Window();
        const QRect exit = ClientRect(Find<QPushButton>("Btn_Exit"));
        VERIFY_NEAR(exit.x(), Device(536));
        VERIFY_NEAR(exit.y(), Device(304));
        VERIFY_NEAR(exit.width(), Device(89));
        VERIFY_NEAR(exit.height(), Device(33));
        VERIFY_NEAR(ClientRect(Find<QPushButton>("Btn_Help")).x(), Device(656));
        auto& status = Find<QStatusBar>("StatusBar1");
        QCOMPARE(status.geometry().bottom(), window.height() - 1);
        QCOMPARE(status.width(), window.width());
        VERIFY_NEAR(DeviceRect(status, window).height(), Device(21));
        QVERIFY(!status.isSizeGripEnabled());
        QVERIFY(status.currentMessage().isEmpty());
    }
};

VANTREL_QT_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
