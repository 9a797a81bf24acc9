#include "toolkit/qt/t_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLayout>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QVersionNumber>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "toolkit/design_metrics.h"
#include "toolkit/qt/form_accessible.h"
#include "toolkit/qt/modal_box_in_front.h"
#include "toolkit/qt/normal_state_only.h"
#include "toolkit/qt/own_title_bar.h"
#include "toolkit/qt/startup_messages.h"
#include "toolkit/qt/wayland_compositor.h"
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

// Where the compositor's outputs share a fractional scale (125 %, 150 %) and
// Qt draws at fractional scales (6.5 on), Qt would draw the window at that
// ratio, each of its pixels 1.25 device pixels: every line between device
// pixels, and fonts rounded in the coarser pixels. Qt is given a scale factor
// instead that brings its ratio to the whole part of the scale, so that it
// draws whole device pixels, and the logical density that makes up the rest
// (120 at 125 %), so that the form lays itself out for the real density as
// on an X11 screen of that density: 821 x 366 device pixels at 125 %.
// Qt asks the compositor for a window's fractional scale only under the
// pass-through rounding policy; under any other it draws at the output's
// scale rounded up (2 at 125 %), which the factor would make 1.6. So the
// policy is pass-through here. Under it Qt would also turn the density into
// a scale of its own (120 into 1.25, undoing the factor) and report 96:
// scaling by density is turned off, leaving the factor and the compositor's
// scale (0.8 x 1.25 = 1) and the density as given (measured with Qt 6.8).
// Nothing is set where the user has set a scale or density of their own.
void DrawWholeDevicePixels(const WaylandCompositorTraits& compositor) {
    const double scale = compositor.outputScale;
    const double whole = std::max(1.0, std::floor(scale));
    if (!compositor.fractionalScales || scale <= 1 || scale == whole ||
        QLibraryInfo::version() < QVersionNumber(6, 5)) {
        return;
    }
    for (const char* chosen : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                               "QT_ENABLE_HIGHDPI_SCALING"}) {
        if (qEnvironmentVariableIsSet(chosen)) {
            return;
        }
    }
    qputenv("QT_SCALE_FACTOR", QByteArray::number(whole / scale, 'g', 17));
    qputenv("QT_FONT_DPI", QByteArray::number(qRound(96 * scale / whole)));
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
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
    // rest (see DesignScale), and fractional ratios would blur its text. (A
    // Wayland compositor's fractional scale is made whole another way: see
    // DrawWholeDevicePixels.)
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
    // On Wayland where the compositor draws no frames (weston, GNOME), Qt's
    // own frame would offer maximise whatever the window's flags: the windows
    // draw a title bar of their own instead (OwnTitleBar). Every window here
    // is then drawn by the CPU into shared memory, frame included; Qt 6.4
    // loads the GPU stack (EGL, Mesa, LLVM) for it all the same, which
    // doubled the start-up time and took 50 MB, unless it is given no client
    // buffer integration. (Values the user set stay; Qt 6.4 draws its own
    // frame only with a buffer integration.)
    if (MayOpenWayland()) {
        constexpr char kNoDecoration[] = "QT_WAYLAND_DISABLE_WINDOWDECORATION";
        constexpr char kBufferIntegration[] = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";
        const bool compositorFrames = WaylandCompositorDrawsFrames();
        if (!compositorFrames && !qEnvironmentVariableIsSet(kNoDecoration)) {
            qputenv(kNoDecoration, "1");
        }
        if (!qEnvironmentVariableIsSet(kBufferIntegration) &&
            (compositorFrames || qEnvironmentVariableIntValue(kNoDecoration) != 0)) {
            qputenv(kBufferIntegration, kNoBufferIntegration);
        }
        DrawWholeDevicePixels(WaylandCompositor());
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
    if (DrawsOwnTitleBar() && box.layout() != nullptr) {
        // The window's bar, over a strip kept free above the box's content.
        const auto* ownerBar =
            owner != nullptr ? owner->findChild<OwnTitleBar*>(QString(), Qt::FindDirectChildrenOnly)
                             : nullptr;
        const int height = ownerBar != nullptr ? ownerBar->height()
                                               : OwnTitleBarHeight(box.logicalDpiY() / kDesignDpi);
        QMargins margins = box.layout()->contentsMargins();
        margins.setTop(margins.top() + height);
        box.layout()->setContentsMargins(margins);
        new OwnTitleBar(box, height);
    }
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
