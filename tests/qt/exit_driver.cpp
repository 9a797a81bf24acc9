// Runs the program's real entry and, once its window is up, ends it the way a
// user would: Exit pressed through the accessibility interface or with the
// keyboard, or the window closed as by its title-bar button. The exit status
// is then whatever the program itself produces.
//
// usage: vantrel_exit_driver exit-accessible|exit-keys|close [Qt options]
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ui/program_entry.h"
#include "ui/tfrm_vantrel.h"

namespace {

constexpr int kDriverFailure = 3;
std::string mode;

[[noreturn]] void Fail(const char* why) {
    std::fprintf(stderr, "exit driver: %s\n", why);
    std::_Exit(kDriverFailure);
}

QAccessibleInterface* FindButton(QAccessibleInterface* item, const QString& name) {
    if (item->role() == QAccessible::Button && item->text(QAccessible::Name) == name) {
        return item;
    }
    for (int i = 0; i < item->childCount(); ++i) {
        if (QAccessibleInterface* found = FindButton(item->child(i), name)) {
            return found;
        }
    }
    return nullptr;
}

void Act() {
    vantrel::TFrm_vantrel* window = vantrel::Frm_vantrel;
    if (mode == "exit-accessible") {
        QAccessibleInterface* exit =
            FindButton(QAccessible::queryAccessibleInterface(window), QString::fromUtf8("Выход"));
        if (exit == nullptr || exit->actionInterface() == nullptr) {
            Fail("no accessible Exit button");
        }
        exit->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else if (mode == "exit-keys") {
        for (int presses = 0; QApplication::focusWidget() != window->Btn_Exit; ++presses) {
            if (presses > 20 || QApplication::focusWidget() == nullptr) {
                Fail("Tab never reached the Exit button");
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QTest::keyClick(window->Btn_Exit, Qt::Key_Space);
    } else if (mode == "close") {
        window->windowHandle()->close();
        return;
    } else {
        Fail("unknown mode");
    }
    QTimer::singleShot(5000, [] { Fail("the program did not end"); });
}

// Waits for the window to be shown and active, then acts once.
void WaitForWindow() {
    static int attempts = 0;
    vantrel::TFrm_vantrel* window = vantrel::Frm_vantrel;
    if (window != nullptr && window->isVisible() && window->isActiveWindow()) {
        Act();
        return;
    }
    if (++attempts > 500) {
        Fail("the window never became active");
    }
    QTimer::singleShot(10, WaitForWindow);
}

void StartDriving() {
    QTimer::singleShot(0, WaitForWindow);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Fail("usage: vantrel_exit_driver exit-accessible|exit-keys|close");
    }
    mode = argv[1];
    // The program sees its command line without the mode.
    std::memmove(argv + 1, argv + 2, sizeof(char*) * static_cast<std::size_t>(argc - 1));
    --argc;
    qAddPreRoutine(StartDriving);
    return vantrel::RunVantrel(argc, argv);
}
