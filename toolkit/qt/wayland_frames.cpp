#include "toolkit/qt/wayland_frames.h"

#include <wayland-client.h>

#include <cstdint>
#include <string_view>

namespace vantrel {

namespace {

void Announced(void* data, wl_registry* /*registry*/, std::uint32_t /*name*/, const char* interface,
               std::uint32_t /*version*/) {
    if (std::string_view(interface) == "zxdg_decoration_manager_v1") {
        *static_cast<bool*>(data) = true;
    }
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

constexpr wl_registry_listener kListener{Announced, Withdrawn};

bool AskCompositor() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    bool offered = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kListener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

}  // namespace

bool WaylandCompositorDrawsFrames() {
    static const bool draws = AskCompositor();
    return draws;
}

}  // namespace vantrel
