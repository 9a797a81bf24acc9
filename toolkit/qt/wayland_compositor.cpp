#include "toolkit/qt/wayland_compositor.h"

#include <wayland-client.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "xdg-output-unstable-v1-client-protocol.h"

namespace vantrel {

namespace {

struct Output {
    wl_output* output = nullptr;
    zxdg_output_v1* logical = nullptr;
    int modeWidth = 0;
    int modeHeight = 0;
    int logicalWidth = 0;
    int logicalHeight = 0;
};

struct Globals {
    bool decorations = false;
    bool fractionalScale = false;
    bool viewporter = false;
    zxdg_output_manager_v1* outputManager = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
};

void Announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
               std::uint32_t version) {
    auto& globals = *static_cast<Globals*>(data);
    const std::string_view offered(interface);
    if (offered == "zxdg_decoration_manager_v1") {
        globals.decorations = true;
    } else if (offered == "wp_fractional_scale_manager_v1") {
        globals.fractionalScale = true;
    } else if (offered == "wp_viewporter") {
        globals.viewporter = true;
    } else if (offered == wl_output_interface.name && version >= 2) {
        auto output = std::make_unique<Output>();
        output->output =
            static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 2));
        globals.outputs.push_back(std::move(output));
    } else if (offered == zxdg_output_manager_v1_interface.name &&
               globals.outputManager == nullptr) {
        globals.outputManager = static_cast<zxdg_output_manager_v1*>(
            wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, 1));
    }
}

void Withdrawn(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

constexpr wl_registry_listener kRegistry{Announced, Withdrawn};

void OutputGeometry(void* /*data*/, wl_output* /*output*/, std::int32_t /*x*/, std::int32_t /*y*/,
                    std::int32_t /*width*/, std::int32_t /*height*/, std::int32_t /*subpixel*/,
                    const char* /*make*/, const char* /*model*/, std::int32_t /*transform*/) {}

void OutputMode(void* data, wl_output* /*output*/, std::uint32_t flags, std::int32_t width,
                std::int32_t height, std::int32_t /*refresh*/) {
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        static_cast<Output*>(data)->modeWidth = width;
        static_cast<Output*>(data)->modeHeight = height;
    }
}

void OutputDone(void* /*data*/, wl_output* /*output*/) {}
void OutputScaleEvent(void* /*data*/, wl_output* /*output*/, std::int32_t /*factor*/) {}
void OutputText(void* /*data*/, wl_output* /*output*/, const char* /*text*/) {}

constexpr wl_output_listener kOutput{OutputGeometry,   OutputMode, OutputDone,
                                     OutputScaleEvent, OutputText, OutputText};

void LogicalPosition(void* /*data*/, zxdg_output_v1* /*output*/, std::int32_t /*x*/,
                     std::int32_t /*y*/) {}

void LogicalSize(void* data, zxdg_output_v1* /*output*/, std::int32_t width, std::int32_t height) {
    static_cast<Output*>(data)->logicalWidth = width;
    static_cast<Output*>(data)->logicalHeight = height;
}

void LogicalDone(void* /*data*/, zxdg_output_v1* /*output*/) {}
void LogicalText(void* /*data*/, zxdg_output_v1* /*output*/, const char* /*text*/) {}

constexpr zxdg_output_v1_listener kLogical{LogicalPosition, LogicalSize, LogicalDone, LogicalText,
                                           LogicalText};

// The one scale of all outputs, or 0.
double SharedScale(const std::vector<std::unique_ptr<Output>>& outputs) {
    double shared = 0;
    for (const auto& output : outputs) {
        const double scale = OutputScale(output->modeWidth, output->modeHeight,
                                         output->logicalWidth, output->logicalHeight);
        if (scale == 0 || (shared != 0 && scale != shared)) {
            return 0;
        }
        shared = scale;
    }
    return shared;
}

WaylandCompositorTraits AskCompositor() {
    WaylandCompositorTraits traits;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return traits;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, &globals);
    wl_display_roundtrip(display);
    for (const auto& output : globals.outputs) {
        wl_output_add_listener(output->output, &kOutput, output.get());
        if (globals.outputManager != nullptr) {
            output->logical =
                zxdg_output_manager_v1_get_xdg_output(globals.outputManager, output->output);
            zxdg_output_v1_add_listener(output->logical, &kLogical, output.get());
        }
    }
    // The modes and logical sizes of the outputs bound above.
    if (!globals.outputs.empty()) {
        wl_display_roundtrip(display);
    }
    traits.drawsFrames = globals.decorations;
    traits.fractionalScales = globals.fractionalScale && globals.viewporter;
    traits.outputScale = SharedScale(globals.outputs);
    for (const auto& output : globals.outputs) {
        if (output->logical != nullptr) {
            zxdg_output_v1_destroy(output->logical);
        }
        wl_output_destroy(output->output);
    }
    if (globals.outputManager != nullptr) {
        zxdg_output_manager_v1_destroy(globals.outputManager);
    }
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return traits;
}

}  // namespace

double OutputScale(int modeWidth, int modeHeight, int logicalWidth, int logicalHeight) {
    const int logical = std::max(logicalWidth, logicalHeight);
    if (logical <= 0 || std::min(modeWidth, modeHeight) <= 0) {
        return 0;
    }
    return std::round(120.0 * std::max(modeWidth, modeHeight) / logical) / 120.0;
}

const WaylandCompositorTraits& WaylandCompositor() {
    static const WaylandCompositorTraits traits = AskCompositor();
    return traits;
}

}  // namespace vantrel
