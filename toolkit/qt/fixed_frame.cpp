#include "toolkit/qt/fixed_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace vantrel {

namespace {

// The Motif window-manager hints, as window managers read them.
constexpr std::uint32_t kHintFunctions = 1U << 0;
constexpr std::uint32_t kHintDecorations = 1U << 1;
constexpr std::uint32_t kFunctionMove = 1U << 2;
constexpr std::uint32_t kFunctionMinimize = 1U << 3;
constexpr std::uint32_t kFunctionClose = 1U << 5;
constexpr std::uint32_t kDecorBorder = 1U << 1;
constexpr std::uint32_t kDecorTitle = 1U << 3;
constexpr std::uint32_t kDecorMenu = 1U << 4;
constexpr std::uint32_t kDecorMinimize = 1U << 5;

}  // namespace

void AdvertiseFixedFrame(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (atom == nullptr) {
        return;
    }
    // flags, functions, decorations, input mode, status
    const std::array<std::uint32_t, 5> hints{
        kHintFunctions | kHintDecorations, kFunctionMove | kFunctionMinimize | kFunctionClose,
        kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom->atom, atom->atom, 32,
                        hints.size(), hints.data());
    xcb_flush(connection);
    std::free(atom);
}

}  // namespace vantrel
