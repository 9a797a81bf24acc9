#include "toolkit/qt/startup_messages.h"

#include <QByteArray>
#include <QStringList>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "toolkit/application_base.h"

namespace vantrel {

namespace {

struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
bool installed = false;
bool startingUp = false;
QString program;
std::vector<HeldMessage> held;

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

// What Qt complained about first names the cause ("could not connect to
// display"); the fatal message after it only says that no platform opened.
// Where Qt tried several platforms in turn (QT_QPA_PLATFORM="wayland;xcb"),
// each one's first complaint names its own cause, and the line gives them all.
[[noreturn]] void FailStartup(const QString& fatalMessage) {
    QStringList causes;
    for (const HeldMessage& message : held) {
        const QString cause = message.text.section(u'\n', 0, 0).simplified();
        // Qt's own note after each platform that failed says only that.
        const bool generic = cause.startsWith(QStringLiteral("Could not load the Qt platform"));
        if (message.type != QtDebugMsg && !generic && !causes.contains(cause)) {
            causes.append(cause);
        }
    }
    const QString reason =
        causes.isEmpty() ? fatalMessage.section(u'\n', 0, 0).simplified() : causes.join("; ");
    std::fprintf(stderr, "%s: не удалось открыть окно: %s\n", qPrintable(program),
                 qPrintable(reason));
    std::fflush(stderr);
    std::_Exit(kStartupFailureStatus);
}

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (IsQtNoise(message)) {
        return;
    }
    if (startingUp) {
        if (type == QtFatalMsg) {
            FailStartup(message);
        }
        held.push_back({type, QString::fromUtf8(context.category), message});
        return;
    }
    PassOn(type, context, message);
}

}  // namespace

bool IsQtNoise(const QString& message) {
    static const std::array<QString, 4> kNoise = {
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"),
        QStringLiteral("This plugin does not support propagateSizeHints()"),
        // What Qt's Wayland platform says of the buffer integration that the
        // program leaves out on purpose (see TApplication::Initialize).
        QStringLiteral("Failed to load client buffer integration: \"%1\"")
            .arg(QLatin1String(kNoBufferIntegration)),
        QStringLiteral("Available client buffer integrations:"),
    };
    for (const QString& noise : kNoise) {
        if (message.startsWith(noise)) {
            return true;
        }
    }
    // Qt 6.8's Wayland text input, told by the compositor (mutter 48) that
    // the keyboard left a surface already destroyed, such as the error box's
    // once it closed; the message starts with Qt's own function name.
    if (message.contains(QStringLiteral("Got leave event for surface 0x0 "))) {
        return true;
    }
    // Qt 6.8's Wayland platform, when the compositor's fractional scale for
    // a window comes after the window was first drawn at the output's scale;
    // the window is drawn again at the new one.
    return message.startsWith(
        QStringLiteral("The cached device pixel ratio value was stale on window update."));
}

void BeginStartupMessages(const QString& programName) {
    program = programName;
    startingUp = true;
    // Installed once per application: a second install would make Handle its
    // own predecessor, and the next message would pass itself on for ever.
    if (!installed) {
        previousHandler = qInstallMessageHandler(Handle);
        installed = true;
    }
}

void EndStartupMessages() {
    startingUp = false;
    for (const HeldMessage& message : held) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        PassOn(message.type, context, message.text);
    }
    held.clear();
}

void RestoreMessageHandler() {
    if (installed) {
        qInstallMessageHandler(previousHandler);
        previousHandler = nullptr;
        installed = false;
    }
    startingUp = false;
    held.clear();
}

}  // namespace vantrel
