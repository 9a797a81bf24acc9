#include "ui/app_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QSize>
#include <QString>

// The resources live in a static library; naming their initialiser here links them
// into the program even though nothing else refers to them.
static void LoadIconResources() {
    Q_INIT_RESOURCE(vantrel_icon);
}

namespace vantrel {

void ApplyAppIdentity() {
    LoadIconResources();
    QIcon icon;
    // The sizes a window manager draws a window's icon at. Each image is
    // decoded at start-up, so the large ones stay with the installed icon
    // theme, which menus and docks read instead.
    for (int size : {16, 22, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    }
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
    QGuiApplication::setWindowIcon(icon);
}

}  // namespace vantrel
