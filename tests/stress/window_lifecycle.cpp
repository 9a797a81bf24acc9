// Creates and destroys the whole program several times over: application
// object, window, a few keystrokes including a refused text and its error
// box. Run under a leak checker (LeakSanitizer in the sanitizer build,
// valgrind in the leak-check test), anything the window leaves behind shows
// as a leak; the growth of resident memory after the first life is printed
// for a reader to judge. Every life also logs a warning, which must reach the
// process's own message handler exactly once: an application that left its
// handler installed would make the next one pass messages to itself for ever.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "box_dismisser.h"
#include "soak_harness.h"
#include "toolkit/qt/t_application.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"

namespace {

using namespace vantrel;

int warningsSeen = 0;

void CountWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("window_lifecycle:"))) {
        ++warningsSeen;
    }
}
using vantrel::stress::BoxDismisser;
using vantrel::stress::ProcessStatusKb;

// One life of the program; returns the number of error boxes it showed.
int OneLife(int& argc, char** argv) {
    TApplication application(argc, argv);
    application.Initialize();
    qWarning("window_lifecycle: a warning that is not noise");
    application.CreateForm(Frm_vantrel);
    BoxDismisser boxes;
    qApp->installEventFilter(&boxes);
    Frm_vantrel->show();
    Frm_vantrel->activateWindow();
    if (!QTest::qWaitForWindowActive(Frm_vantrel)) {
        std::fprintf(stderr, "the window did not become active\n");
        std::exit(1);
    }
    auto* field = Frm_vantrel->findChild<TEdit*>(QStringLiteral("Edt_QkW"));
    if (field == nullptr) {
        std::fprintf(stderr, "the window has no field Edt_QkW\n");
        std::exit(1);
    }
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, "1,5E3");
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, ',');  // "," alone is refused: one error box
    QCoreApplication::processEvents();
    return boxes.shown;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(CountWarnings);
    constexpr int kLives = 5;
    long afterFirst = 0;
    for (int life = 0; life < kLives; ++life) {
        if (const int shown = OneLife(argc, argv); shown != 1) {
            std::fprintf(stderr, "life %d showed %d error boxes, expected 1\n", life + 1, shown);
            return 1;
        }
        if (warningsSeen != life + 1) {
            std::fprintf(stderr,
                         "after life %d the process's handler saw %d warnings, expected %d\n",
                         life + 1, warningsSeen, life + 1);
            return 1;
        }
        if (Frm_vantrel != nullptr) {
            std::fprintf(stderr, "the window outlived its application object\n");
            return 1;
        }
        if (life == 0) {
            afterFirst = ProcessStatusKb("VmRSS");
        }
    }
    const long growth = ProcessStatusKb("VmRSS") - afterFirst;
    std::printf("window_lifecycle: %d lives, resident memory grew %ld kB after the first\n", kLives,
                growth);
    return 0;
}
