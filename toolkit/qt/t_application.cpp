#include "toolkit/qt/t_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>
#include <vector>

#include "toolkit/qt/form_accessible.h"
#include "toolkit/qt/modal_box_in_front.h"
#include "toolkit/qt/normal_state_only.h"
#include "toolkit/qt/startup_messages.h"
#include "toolkit/qt/wayland_frames.h"
#include "toolkit/qt/window_style.h"

namespace vantrel {

TApplication* Application = nullptr;

namespace {

// Whether Qt may choose its Wayland platform: it is asked for first, or none
// is asked for and a compositor is named.
bool MayOpenWayland() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.startsWith("wayland") ||
           (platform.isEmpty() && qEnvironmentVariableIsSet("WAYLAND_DISPLAY"));
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : argc_(argc), argv_(argv) {
    Application = this;
}

TApplication::~TApplication() {
    // Forms go before the QApplication they live in.
    while (!forms_.empty()) {
        delete forms_.back();
    }
    app_.reset();
    RestoreMessageHandler();
    if (Application == this) {
        Application = nullptr;
    }
}

void TApplication::Initialize() {
    const QString program =
        argc_ > 0 ? QFileInfo(QString::fromLocal8Bit(argv_[0])).fileName() : QString("vantrel");
    BeginStartupMessages(program);
    // Whole-number device pixel ratios only: the form scales itself for the
    // rest (see DesignScale), and fractional ratios would blur its text.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    // Every window here is drawn by the CPU into shared memory. Qt 6.4's
    // Wayland platform loads the GPU stack (EGL, Mesa, LLVM) for it all the
    // same, which doubled the start-up time and took 50 MB; with no client
    // buffer integration it loads none of it. But Qt 6.4 then draws no frame
    // of its own either: that is left out only where the compositor draws
    // the frames itself. (A value the user set stays.)
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION") && MayOpenWayland() &&
        WaylandCompositorDrawsFrames()) {
        qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", kNoBufferIntegration);
    }
    app_ = std::make_unique<QApplication>(argc_, argv_);
    EndStartupMessages();
    // The layout is fixed in pixels and was checked against Fusion's metrics
    // (a 24-pixel field holds the 13-pixel font inside its frame).
    QApplication::setStyle(new WindowStyle);
    InstallFormAccessibility();
}

void TApplication::Run() {
    TForm* main = MainForm();
    if (main == nullptr) {
        return;
    }
    main->show();
    main->activateWindow();
    QApplication::exec();
}

void TApplication::ShowMessage(const std::exception& error, bool critical) {
    const QString message = QString::fromUtf8(error.what());
    if (app_ == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    TForm* main = MainForm();
    const QString title =
        main != nullptr ? main->windowTitle() : QGuiApplication::applicationDisplayName();
    QWidget* owner = main != nullptr && main->isVisible() ? main : nullptr;
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Warning, title, message,
                    QMessageBox::Ok, owner);
    // Modal to the window and transient for it, so that a compositor keeps
    // it with the window and, where it may, over it.
    box.setWindowModality(Qt::WindowModal);
    KeepNormalState(box);
    const ModalBoxInFront inFront(owner, box);
    // A loop of its own rather than exec(): the box may be shown afresh to
    // bring it in front (see ModalBoxInFront), which would end exec().
    QEventLoop shown;
    QObject::connect(&box, &QDialog::finished, &shown, &QEventLoop::quit);
    box.open();
    shown.exec(QEventLoop::DialogExec);
    // Back to the window and its field, also where no window manager hands
    // the activation back once the box has gone.
    if (owner != nullptr && owner->isVisible()) {
        owner->activateWindow();
    }
}

TForm* TApplication::MainForm() const {
    return forms_.empty() ? nullptr : forms_.front();
}

void TApplication::Adopt(std::unique_ptr<TForm> owned, std::function<void()> clearReference) {
    TForm* form = owned.release();
    forms_.push_back(form);
    QObject::connect(form, &QObject::destroyed, [this, form, clearReference] {
        std::erase(forms_, form);
        clearReference();
    });
}

}  // namespace vantrel
