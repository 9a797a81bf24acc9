#include "ui/app_identity.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QSize>
#include <QString>
#include <QTranslator>

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

namespace {

// Qt's Russian translation leaves the standard button's "OK" in Latin
// letters; inside an all-Cyrillic window it reads as English. Searched before
// Qt's own translation, this gives the Cyrillic spelling.
class CyrillicOk : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* /*context*/, const char* sourceText,
                      const char* /*disambiguation*/, int /*n*/) const override {
        return qstrcmp(sourceText, "OK") == 0 || qstrcmp(sourceText, "&OK") == 0
                   ? QString::fromUtf8("ОК")
                   : QString();
    }
};

}  // namespace

void UseProgramLanguage() {
    // Qt's translations come with the system (Debian's qt6-translations-l10n);
    // without them the texts stay English and nothing else changes.
    QCoreApplication* application = QCoreApplication::instance();
    auto* qtTexts = new QTranslator(application);
    if (qtTexts->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTexts);
    } else {
        delete qtTexts;
    }
    QCoreApplication::installTranslator(new CyrillicOk(application));
}

}  // namespace vantrel
