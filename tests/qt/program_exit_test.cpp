// The program's exit statuses, seen from outside as a separate process:
// 1 from Exit, 0 from closing the window (also after a maximise or fullscreen
// request and after an error box), 2 when there is no display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include "qt_test_main.h"

namespace {

struct Finished {
    QProcess::ExitStatus exitStatus;
    int exitCode;
    QString standardError;
};

Finished Run(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {QProcess::CrashExit, -1, "timed out"};
    }
    return {process.exitStatus(), process.exitCode(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The window on the platform this test runs on: under a Wayland compositor,
// its client; otherwise offscreen at the design density.
QProcessEnvironment WindowPlatform() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // This test's own application set it, as the program does for itself:
    // the program must be seen to do so.
    environment.remove("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION");
    if (environment.value("QT_QPA_PLATFORM") != "wayland") {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("QT_FONT_DPI", "120");
    }
    return environment;
}

}  // namespace

class ProgramExitTest : public QObject {
    Q_OBJECT

private slots:
    void windowEndsWithItsStatusAndSaysNothing_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("status");
        QTest::newRow("Exit through the accessibility interface") << "exit-accessible" << 1;
        QTest::newRow("Exit with Tab and Space") << "exit-keys" << 1;
        QTest::newRow("title-bar close") << "close" << 0;
        // Each asked for, then the window closed: it must live through it.
        QTest::newRow("maximise refused") << "maximize" << 0;
        QTest::newRow("fullscreen refused") << "fullscreen" << 0;
        QTest::newRow("error box, then close") << "error-box" << 0;
        // No GPU driver loaded; the window's own title bar where the
        // compositor draws none: minimise, then close.
        QTest::newRow("the frame, then close") << "frame" << 0;
    }
    void windowEndsWithItsStatusAndSaysNothing() {
        QFETCH(QString, mode);
        QFETCH(int, status);
        if (mode == "exit-keys" && qgetenv("VANTREL_TEST_COMPOSITOR") == "weston") {
            QSKIP("weston's headless backend gives its clients no keyboard to type with");
        }
        const Finished finished = Run(VANTREL_EXIT_DRIVER, {mode}, WindowPlatform());
        // A crash and a hang both end as CrashExit: what it printed tells them apart.
        QVERIFY2(finished.exitStatus == QProcess::NormalExit, qPrintable(finished.standardError));
        QCOMPARE(finished.standardError, QString());
        QCOMPARE(finished.exitCode, status);
    }

    void noDisplayEndsWithStatus2AndOneLine_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QStringList>("causes");
        const QString noX11 = "could not connect to display";
        const QString noWayland = "Failed to create wl_display";
        QTest::newRow("X11 asked for") << "xcb" << QStringList{noX11};
        QTest::newRow("default platform") << "" << QStringList{noX11};
        QTest::newRow("Wayland asked for") << "wayland" << QStringList{noWayland};
        // As a Wayland desktop's session may set it: each platform's cause.
        QTest::newRow("Wayland, else X11") << "wayland;xcb" << QStringList{noWayland, noX11};
    }
    void noDisplayEndsWithStatus2AndOneLine() {
        QFETCH(QString, platform);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(variable);
        }
        if (!platform.isEmpty()) {
            environment.insert("QT_QPA_PLATFORM", platform);
        }
        // A session's runtime folder, where no compositor runs.
        const QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        const Finished finished = Run(VANTREL_PROGRAM, {}, environment);
        QCOMPARE(finished.exitStatus, QProcess::NormalExit);
        QCOMPARE(finished.exitCode, 2);
        const QStringList lines = finished.standardError.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.front().startsWith(QString::fromUtf8("vantrel: не удалось открыть окно")),
                 qPrintable(lines.front()));
        QFETCH(QStringList, causes);
        for (const QString& cause : causes) {
            QVERIFY2(lines.front().contains(cause), qPrintable(lines.front()));
        }
    }
};

VANTREL_QT_TEST_MAIN(ProgramExitTest)
#include "program_exit_test.moc"
