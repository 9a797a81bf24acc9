// Runs the program's real entry and, once its window is up, ends it the way a
// user would: Exit pressed through the accessibility interface or with the
// keyboard, or the window closed as by its title-bar button. The exit status
// is then whatever the program itself produces.
//
// usage: vantrel_exit_driver
// exit-accessible|exit-keys|close|maximize|fullscreen|error-box|frame|
//        scale-change
//        [Qt options]
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "toolkit/qt/own_title_bar.h"
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

// One Tab at a time, each once the window has the keyboard focus: a
// compositor may take the activation away for a moment as it settles.
void TabToExitAndPressIt(vantrel::TFrm_vantrel* window, int presses = 0, int waits = 0) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == window->Btn_Exit) {
        QTest::keyClick(window->Btn_Exit, Qt::Key_Space);
        return;
    }
    if (presses > 20 || waits > 300) {
        Fail("Tab never reached the Exit button");
    }
    if (focus != nullptr) {
        QTest::keyClick(focus, Qt::Key_Tab);
        ++presses;
    } else {
        ++waits;
    }
    QTimer::singleShot(10, [=] { TabToExitAndPressIt(window, presses, waits); });
}

bool CompositorActivates() {
    // Weston run headless has no keyboard and never activates a window.
    return QGuiApplication::platformName() != QStringLiteral("wayland") ||
           qgetenv("VANTREL_TEST_COMPOSITOR") != "weston";
}

// Waits for `done` to hold, then runs `then`; fails with `why` after 5 s.
void WaitFor(std::function<bool()> done, std::function<void()> then, const char* why,
             int attempt = 0) {
    if (done()) {
        then();
    } else if (attempt > 500) {
        Fail(why);
    } else {
        QTimer::singleShot(10, [=] { WaitFor(done, then, why, attempt + 1); });
    }
}

void DismissAndClose(vantrel::TFrm_vantrel* window, QMessageBox* box) {
    // Enter pressed in the box, released on the field the focus returns to.
    // (Qt 6.4's Wayland input method dereferences the seat's keyboard on a
    // field's key release: on a compositor without one the release is left
    // out. The offscreen tests cover it.)
    QTest::keyPress(box, Qt::Key_Return);
    if (CompositorActivates()) {
        QTest::keyRelease(window->Edt_Gm_h, Qt::Key_Return);
    }
    QTimer::singleShot(700, [window] {
        if (QApplication::activeModalWidget() != nullptr) {
            Fail("the box came back after Enter dismissed it");
        }
        window->windowHandle()->close();
    });
}

void Swaymsg(const QString& command) {
    QProcess sway;
    sway.start("swaymsg", {command});
    if (!sway.waitForFinished() || sway.exitCode() != 0) {
        Fail("swaymsg failed");
    }
}

// Sway, asked through its IPC, clicks the window beside the box (its seat has
// no pointer that the program could see): it focuses and raises the window
// as it does for a user's click. Elsewhere the program asks for it itself.
void ActivateAsAClickWould(vantrel::TFrm_vantrel* window) {
    if (qgetenv("VANTREL_TEST_COMPOSITOR") != "sway") {
        window->activateWindow();
        return;
    }
    QProcess tree;
    tree.start("swaymsg", {"-t", "get_tree"});
    tree.waitForFinished();
    QRect rect;
    std::function<void(const QJsonObject&)> find = [&](const QJsonObject& node) {
        if (node["pid"].toInteger() == QCoreApplication::applicationPid() &&
            node["rect"]["width"].toInt() > rect.width()) {
            const QJsonObject r = node["rect"].toObject();
            rect = QRect(r["x"].toInt(), r["y"].toInt(), r["width"].toInt(), r["height"].toInt());
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node[children].toArray()) {
                find(child.toObject());
            }
        }
    };
    find(QJsonDocument::fromJson(tree.readAllStandardOutput()).object());
    if (rect.isEmpty()) {
        Fail("sway does not show the window");
    }
    // Near the window's bottom-left corner, away from a box in its middle.
    const QPoint at = rect.bottomLeft() + QPoint(20, -20);
    for (const QString& command : {QString("seat seat0 cursor set %1 %2").arg(at.x()).arg(at.y()),
                                   QString("seat seat0 cursor press button1"),
                                   QString("seat seat0 cursor release button1")}) {
        Swaymsg(command);
    }
}

// Counts the sizes other than its own that the window is given in its normal
// state. Taking a configured size back is one; a compositor and Qt that
// bounce sizes back and forth make one with each frame (sway and Qt 6.8),
// and the window may still be at its size when it is looked at.
class ForeignSizes : public QObject {
public:
    ForeignSizes(QWidget& window, QSize size) : QObject(&window), size_(size) {
        window.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Resize && window->frameGeometry().size() != size_ &&
            window->windowHandle()->windowStates() == Qt::WindowNoState) {
            ++count;
        }
        return false;
    }
    int count = 0;

private:
    QSize size_;
};

// The window activated as a click on it would, then the box looked for in
// front of it; where the compositor activates nothing, only dismissed.
void ActivateThenDismiss(vantrel::TFrm_vantrel* window, QMessageBox* box) {
    if (!CompositorActivates()) {
        DismissAndClose(window, box);
        return;
    }
    ActivateAsAClickWould(window);
    QTimer::singleShot(700, [window, box] {
        if (QGuiApplication::focusWindow() != box->windowHandle()) {
            Fail("the box was not brought back in front");
        }
        DismissAndClose(window, box);
    });
}

void ReportRefusedText(vantrel::TFrm_vantrel* window) {
    WaitFor(
        [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            return box != nullptr && box->windowHandle() != nullptr &&
                   box->windowHandle()->isExposed() &&
                   (!CompositorActivates() || box->isActiveWindow());
        },
        [window] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box->windowModality() == Qt::NonModal) {
                Fail("the box is not modal");
            }
            if (box->windowHandle()->transientParent() != window->windowHandle()) {
                Fail("the box is not transient for the window");
            }
            // Where the window draws its own title bar, the box does too: close only.
            const auto* bar = box->findChild<vantrel::OwnTitleBar*>();
            if ((bar != nullptr) != (window->findChild<vantrel::OwnTitleBar*>() != nullptr) ||
                (bar != nullptr && bar->MinimiseButton() != nullptr)) {
                Fail("the box's title bar is not the window's kind, or offers minimise");
            }
            // The box too lives through a maximise request at its own size,
            // asked for once it is on the screen, as a user would. (Not on
            // weston: see the maximise row of the exit-status test.)
            if (qgetenv("VANTREL_TEST_COMPOSITOR") == "weston") {
                ActivateThenDismiss(window, box);
                return;
            }
            const QSize boxSize = box->size();
            QTimer::singleShot(
                300, box, [box] { box->windowHandle()->setWindowStates(Qt::WindowMaximized); });
            QTimer::singleShot(500, box, [box] { box->repaint(); });
            QTimer::singleShot(1000, box, [window, box, boxSize] {
                if (box->windowHandle()->windowStates() != Qt::WindowNoState ||
                    box->size() != boxSize || !box->updatesEnabled()) {
                    Fail("the box kept the maximised state or changed its size");
                }
                ActivateThenDismiss(window, box);
            });
        },
        "no box came up for the refused text");
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
        TabToExitAndPressIt(window);
    } else if (mode == "close") {
        window->windowHandle()->close();
        return;
    } else if (mode == "maximize" || mode == "fullscreen") {
        // As a title-bar button or a compositor's shortcut asks: the window
        // must come back normal at its own size and live on, then close.
        const QSize size = window->frameGeometry().size();
        auto* foreign = new ForeignSizes(*window, size);
        // First as an edge of the frame dragged outwards would.
        window->resize(window->size() + QSize(40, 30));
        if (mode == "fullscreen" && qgetenv("VANTREL_TEST_COMPOSITOR") == "sway") {
            // Sway's own command, as its shortcut sends it.
            Swaymsg(QString("[pid=%1] fullscreen enable").arg(QCoreApplication::applicationPid()));
        } else {
            window->windowHandle()->setWindowStates(mode == "maximize" ? Qt::WindowMaximized
                                                                       : Qt::WindowFullScreen);
        }
        // A field's blinking caret repaints the window as soon as this.
        QTimer::singleShot(200, [window] { window->repaint(); });
        QTimer::singleShot(1500, [window, size, foreign] {
            // The drag and the refused state's size, each taken back once.
            if (foreign->count > 2) {
                Fail("the window was given other sizes again and again");
            }
            if (window->windowHandle()->windowStates() != Qt::WindowNoState) {
                Fail("the window kept the state it was asked for");
            }
            if (window->frameGeometry().size() != size) {
                Fail("the window changed its size");
            }
            if (!window->updatesEnabled()) {
                Fail("the window is no longer drawn");
            }
            window->windowHandle()->close();
        });
        return;
    } else if (mode == "frame") {
        // The window is drawn by the CPU alone, its frame too: no GPU driver
        // may have been loaded for it (Qt 6.4 on Wayland loaded Mesa and
        // LLVM: 50 MB, twice the start-up time); Qt's own libraries link only
        // the dispatchers. Read once the window has been painted, as Qt loads
        // the driver lazily. Where the compositor leaves the frame to the
        // program (weston, mutter), the window's own title bar minimises and
        // closes it.
        QTimer::singleShot(500, [window] {
            QFile maps("/proc/self/maps");
            if (!maps.open(QIODevice::ReadOnly)) {
                Fail("cannot read the process's mappings");
            }
            const QString mapped = QString::fromLocal8Bit(maps.readAll());
            for (const char* driver :
                 {"libEGL_mesa", "_dri.so", "libgallium", "libLLVM", "libgbm"}) {
                if (mapped.contains(QLatin1String(driver))) {
                    Fail("a GPU driver was loaded");
                }
            }
            const QByteArray compositor = qgetenv("VANTREL_TEST_COMPOSITOR");
            if (compositor != "weston" && compositor != "mutter") {
                window->windowHandle()->close();
                return;
            }
            auto* bar = window->findChild<vantrel::OwnTitleBar*>();
            if (bar == nullptr) {
                Fail("the window has no title bar");
            }
            QTest::mouseClick(bar->MinimiseButton(), Qt::LeftButton);
            if (!window->isMinimized()) {
                Fail("the title bar's minimise left the window as it was");
            }
            QTest::mouseClick(bar->CloseButton(), Qt::LeftButton);
            QTimer::singleShot(3000, [] { Fail("the title bar's close left the window open"); });
        });
        return;
    } else if (mode == "scale-change") {
        // Sway's output changes scale under the window, 1 to 2 or back: the
        // window keeps its layout in Qt's pixels and is drawn again at the
        // new ratio, sharp, as at start-up at that scale.
        const QSize size = window->size();
        const qreal from = window->devicePixelRatioF();
        const qreal to = from == 1 ? 2 : 1;
        Swaymsg(QString("output * scale %1").arg(to));
        WaitFor([window, to] { return window->devicePixelRatioF() == to; },
                [window, size, from, to] {
                    const QPixmap drawn = window->grab();
                    if (window->size() != size || drawn.devicePixelRatio() != to ||
                        drawn.size() != size * to) {
                        Fail("the window was not laid out again at the new scale");
                    }
                    Swaymsg(QString("output * scale %1").arg(from));
                    window->windowHandle()->close();
                },
                "the window never took the output's new scale");
        return;
    } else if (mode == "error-box") {
        // A refused text, then the box it brings: once, modal and transient
        // for the window, and in front again after the window is activated.
        QTimer::singleShot(0, [window] { ReportRefusedText(window); });
        window->Edt_Gm_h->setFocus();
        window->Edt_Gm_h->insert(QStringLiteral("abc"));
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
    // Where the compositor activates no window, it counts as up once exposed.
    if (window != nullptr && window->isVisible() &&
        (CompositorActivates() ? window->isActiveWindow() : window->windowHandle()->isExposed())) {
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
