#include "packaging/icons/app_identity.h"

#include <QGuiApplication>
#include <QSize>
#include <QString>

// The resources live in a static library; naming their initialiser here links them
// into the program even though nothing else refers to them.
static void LoadIconResources() {
    Q_INIT_RESOURCE(vantrel_icon);
}

namespace vantrel {

QIcon AppIcon() {
    LoadIconResources();
    QIcon icon;
    // The sizes a window manager draws a window's icon at. Each image is
    // decoded at start-up, so the large ones stay with the installed icon
    // theme, which menus and docks read instead.
    for (int size : {16, 22, 24, 32, 48, 64}) {
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void ApplyAppIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
    QGuiApplication::setWindowIcon(AppIcon());
}

}  // namespace vantrel
