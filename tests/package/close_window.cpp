// Waits on $DISPLAY for the window of one process, reports what the desktop sees
// of it (title, class, icon sizes) and asks it to close the way a window
// manager's close button does: a WM_DELETE_WINDOW message, so the program
// takes its ordinary close path and chooses its own exit status.
//
// usage: vantrel_close_window --pid PID [--timeout SECONDS] [--settle-ms MS]
// exit status: 0 close request sent, 1 no such window in time, 2 usage or display error
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    long pid = 0;
    double timeoutSeconds = 20;
    int settleMs = 500;
};

std::optional<Options> ParseOptions(std::span<char*> args) {
    Options options;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        const std::string name = args[i];
        const char* value = args[i + 1];
        if (name == "--pid") {
            options.pid = std::strtol(value, nullptr, 10);
        } else if (name == "--timeout") {
            options.timeoutSeconds = std::strtod(value, nullptr);
        } else if (name == "--settle-ms") {
            options.settleMs = std::atoi(value);
        } else {
            return std::nullopt;
        }
    }
    if (options.pid <= 0 || args.size() % 2 == 0) {
        return std::nullopt;
    }
    return options;
}

// A process that has exited but not yet been reaped is still listed, as a zombie.
bool ProcessRunning(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return false;
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

// Windows may vanish between listing and reading them; such errors are expected.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

class Connection {
public:
    explicit Connection(Display* display) : display_(display) {}
    ~Connection() { XCloseDisplay(display_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

    // A property's items: 32-bit items come back from Xlib as longs, 8-bit ones as bytes.
    template <typename Item>
    std::vector<Item> Property(Window window, Atom property, Atom type) const {
        Atom actualType = None;
        int actualFormat = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        std::vector<Item> items;
        if (XGetWindowProperty(display_, window, property, 0, 1L << 22, False, type, &actualType,
                               &actualFormat, &count, &remaining, &data) == Success &&
            data != nullptr) {
            if (actualType == type) {
                const auto* first = reinterpret_cast<const Item*>(data);
                items.assign(first, first + count);
            }
            XFree(data);
        }
        return items;
    }

    bool AcceptsDelete(Window window) const {
        Atom* protocols = nullptr;
        int count = 0;
        bool accepts = false;
        if (XGetWMProtocols(display_, window, &protocols, &count) != 0) {
            const Atom deleteWindow = Intern("WM_DELETE_WINDOW");
            for (int i = 0; i < count; ++i) {
                accepts = accepts || protocols[i] == deleteWindow;
            }
            XFree(protocols);
        }
        return accepts;
    }

    bool Viewable(Window window) const {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    // Top-level windows of `pid` that are on screen and can be asked to close.
    std::optional<Window> FindWindowOf(long pid) const {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        std::optional<Window> found;
        if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) ==
            0) {
            return found;
        }
        const Atom pidAtom = Intern("_NET_WM_PID");
        for (unsigned int i = 0; i < count && !found; ++i) {
            const auto pids = Property<long>(children[i], pidAtom, XA_CARDINAL);
            if (!pids.empty() && pids.front() == pid && Viewable(children[i]) &&
                AcceptsDelete(children[i])) {
                found = children[i];
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
        return found;
    }

    void Report(Window window) const {
        const auto title = Property<char>(window, Intern("_NET_WM_NAME"), Intern("UTF8_STRING"));
        std::printf("title=%s\n", std::string(title.begin(), title.end()).c_str());

        XClassHint hint{};
        if (XGetClassHint(display_, window, &hint) != 0) {
            std::printf("class=%s,%s\n", hint.res_name, hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
        }

        // _NET_WM_ICON holds images one after another: width, height, then the pixels.
        const auto icon = Property<long>(window, Intern("_NET_WM_ICON"), XA_CARDINAL);
        std::printf("icon=");
        for (std::size_t at = 0; at + 2 <= icon.size();) {
            const long width = icon[at];
            const long height = icon[at + 1];
            std::printf("%s%ldx%ld", at == 0 ? "" : " ", width, height);
            at += 2 + static_cast<std::size_t>(width * height);
        }
        std::printf("\n");

        // The frame the window manager is told to draw: flags, functions, decorations.
        const Atom motif = Intern("_MOTIF_WM_HINTS");
        const auto hints = Property<long>(window, motif, motif);
        if (hints.size() >= 3) {
            std::printf("motif=%ld,%ld,%ld\n", hints[0], hints[1], hints[2]);
        }
    }

    void RequestClose(Window window) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = Intern("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(Intern("WM_DELETE_WINDOW"));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, window, False, NoEventMask, &event);
        XSync(display_, False);
    }

private:
    Display* display_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseOptions(std::span(argv, static_cast<std::size_t>(argc)));
    if (!options) {
        std::fprintf(stderr, "usage: %s --pid PID [--timeout SECONDS] [--settle-ms MS]\n",
                     argc > 0 ? argv[0] : "vantrel_close_window");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open display '%s'\n", XDisplayName(nullptr));
        return 2;
    }
    XSetErrorHandler(IgnoreXError);
    const Connection connection(display);

    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(options->timeoutSeconds));
    while (Clock::now() < deadline) {
        if (const auto window = connection.FindWindowOf(options->pid)) {
            // Give the program time to finish starting, so a failure just after
            // the window appears still shows in its exit status.
            std::this_thread::sleep_for(std::chrono::milliseconds(options->settleMs));
            if (!ProcessRunning(options->pid)) {
                std::fprintf(stderr, "process %ld ended just after showing its window\n",
                             options->pid);
                return 1;
            }
            connection.Report(*window);
            std::fflush(stdout);
            connection.RequestClose(*window);
            return 0;
        }
        if (!ProcessRunning(options->pid)) {
            std::fprintf(stderr, "process %ld ended before showing a window\n", options->pid);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::fprintf(stderr, "no window of process %ld within %g s\n", options->pid,
                 options->timeoutSeconds);
    return 1;
}
