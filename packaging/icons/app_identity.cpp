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
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

void ApplyAppIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTREL_APP_ID));
    QGuiApplication::setWindowIcon(AppIcon());
}

}  // namespace vantrel
