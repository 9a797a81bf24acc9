// The Qt toolkit's own rules: which key presses reach the keystroke filter, how
// design pixels scale, what a failed start shows, and a Wayland output's scale.
#include <QKeyEvent>
#include <QTest>

#include "modal_box_guard.h"
#include "qt_test_main.h"
#include "toolkit/exceptions.h"
#include "toolkit/qt/design_density.h"
#include "toolkit/qt/startup_messages.h"
#include "toolkit/qt/t_application.h"
#include "toolkit/qt/typed_key.h"
#include "toolkit/qt/wayland_compositor.h"

namespace {

class FormThatCannotBeBuilt : public vantrel::TForm {
public:
    FormThatCannotBeBuilt() { throw vantrel::Exception("Окно не создано"); }
};

}  // namespace

class ToolkitTest : public QObject {
    Q_OBJECT

private slots:
    void onlyKeysThatTypeReachTheFilter_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("digit") << int(Qt::Key_5) << 0 << "5"
                               << "5";
        QTest::newRow("shifted letter") << int(Qt::Key_E) << int(Qt::ShiftModifier) << "E"
                                        << "E";
        QTest::newRow("Cyrillic letter") << int(Qt::Key_unknown) << 0 << "ж"
                                         << "ж";
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << " "
                               << " ";
        QTest::newRow("keypad comma") << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << ","
                                      << ",";
        QTest::newRow("backspace as character 8") << int(Qt::Key_Backspace) << 0 << "\b"
                                                  << "\b";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << "\x7f"
                                << "";
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << ""
                               << "";
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << ""
                              << "";
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r"
                               << "";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << "\x1b"
                             << "";
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << "\t"
                             << "";
        QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16"
                               << "";
        QTest::newRow("paste with Shift+Insert")
            << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << ""
            << "";
        QTest::newRow("select all") << int(Qt::Key_A) << int(Qt::ControlModifier) << "\x01"
                                    << "";
        QTest::newRow("undo") << int(Qt::Key_Z) << int(Qt::ControlModifier) << "\x1a"
                              << "";
        QTest::newRow("Ctrl+Shift digit")
            << int(Qt::Key_1) << int(Qt::ControlModifier | Qt::ShiftModifier) << "1"
            << "";
        QTest::newRow("word delete") << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "\b"
                                     << "";
    }
    void onlyKeysThatTypeReachTheFilter() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, typed);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCOMPARE(vantrel::TypedText(event), typed);
    }

    void designPixelsScaleWithTheScreen() {
        const vantrel::DesignScale design(120, 8);
        QCOMPARE(vantrel::ScaledRect(design, QRect(5, 0, 812, 297)), QRect(5, 0, 812, 297));
        const vantrel::DesignScale desktop(96, 8);
        QCOMPARE(vantrel::ScaledSize(desktop, QSize(821, 366)), QSize(657, 293));
        // The status bar keeps touching the bottom of the client area.
        const QRect status = vantrel::ScaledRect(desktop, QRect(0, 345, 821, 21));
        QCOMPARE(status.y() + status.height(), desktop.Length(366));
        // The window font: 8 pt at 120 ppi is a 13-pixel character height.
        QCOMPARE(vantrel::FontDesignPixels(8), 13);
        QCOMPARE(vantrel::DesignScale(120, 8).FontPixels(8), 13);
        // Elsewhere rounded down: 10.83 pixels at 100 ppi, 7.8 at 72.
        QCOMPARE(vantrel::DesignScale(100, 8).FontPixels(8), 10);
        QCOMPARE(vantrel::DesignScale(72, 8).FontPixels(8), 7);
    }

    void aWindowThatCannotBeBuiltIsShownAndEndsWithStatus2() {
        vantrel::testing::ModalBoxGuard boxes;
        const int status = vantrel::Application->Guarded([] {
            FormThatCannotBeBuilt* form = nullptr;
            vantrel::Application->CreateForm(form);
        });
        QCOMPARE(status, 2);
        const auto shown = boxes.TakeBoxes();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.front().text, QString::fromUtf8("Окно не создано"));
        QVERIFY(vantrel::Application->MainForm() == nullptr);
        QCOMPARE(vantrel::Application->Guarded([] {}), 0);
    }

    void onlyKnownNoiseIsSilenced_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("noise");
        QTest::newRow("runtime directory")
            << "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/x'" << true;
        QTest::newRow("offscreen size hints")
            << "This plugin does not support propagateSizeHints()" << true;
        QTest::newRow("keyboard left a destroyed surface")
            << "virtual void QtWaylandClient::QWaylandTextInputv3::zwp_text_input_v3_leave("
               "wl_surface*) Got leave event for surface 0x0 focused surface 0x5631e186ed70"
            << true;
        QTest::newRow("keyboard left another surface")
            << "Got leave event for surface 0x5631e186ed70 focused surface 0x0" << false;
        QTest::newRow("no display") << "could not connect to display" << false;
        QTest::newRow("font missing") << "QFont::fromString: Invalid description" << false;
    }
    void onlyKnownNoiseIsSilenced() {
        QFETCH(QString, message);
        QFETCH(bool, noise);
        QCOMPARE(vantrel::IsQtNoise(message), noise);
    }

    void outputScaleIsModeOverLogicalSize_data() {
        QTest::addColumn<QSize>("mode");
        QTest::addColumn<QSize>("logical");
        QTest::addColumn<double>("scale");
        QTest::newRow("125 %") << QSize(1280, 800) << QSize(1024, 640) << 1.25;
        QTest::newRow("125 %, turned upright") << QSize(800, 1280) << QSize(1024, 640) << 1.25;
        QTest::newRow("150 %, sizes rounded") << QSize(1366, 768) << QSize(911, 512) << 1.5;
        QTest::newRow("200 %") << QSize(2560, 1600) << QSize(1280, 800) << 2.0;
        QTest::newRow("no logical size") << QSize(1280, 800) << QSize(0, 0) << 0.0;
        QTest::newRow("no current mode") << QSize(0, 0) << QSize(1024, 640) << 0.0;
    }
    void outputScaleIsModeOverLogicalSize() {
        QFETCH(QSize, mode);
        QFETCH(QSize, logical);
        QFETCH(double, scale);
        QCOMPARE(
            vantrel::OutputScale(mode.width(), mode.height(), logical.width(), logical.height()),
            scale);
    }
};

VANTREL_QT_TEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
