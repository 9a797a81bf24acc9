#include "qt_test_main.h"

#include <QByteArray>

namespace vantrel::testing {

void SetTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Under a Wayland compositor its output's scale sets the density: a font
    // DPI would scale the window once more.
    if (qEnvironmentVariableIsEmpty("QT_FONT_DPI") && qgetenv("QT_QPA_PLATFORM") != "wayland") {
        qputenv("QT_FONT_DPI", "120");
    }
    // Density comes from QT_FONT_DPI alone: a scale factor would add a
    // fractional device pixel ratio and make the geometry inexact.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
}

}  // namespace vantrel::testing
