/* Launches a program and reports how long its first top-level window took to
 * be mapped on the X display, then its peak resident memory. A Windows
 * program started as `wine program.exe` is measured the same way: Wine runs
 * it in the process it was started as.
 *
 *   launch_until_mapped SETTLE_MS TIMEOUT_MS program [args...]
 *   prints: map_ms=<ms> maxrss_kb=<kB>
 *
 * The root window's substructure events are selected before the fork, so the
 * map is seen as an event, not by sampling; the wait wakes every millisecond
 * to notice a program that died. After the map the program runs SETTLE_MS more
 * (first paint, deferred initialisation), is sent SIGTERM and reaped, and the
 * kernel's peak RSS of the process is read from wait4(). */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

static void sleep_ms(double ms) {
    struct timespec ts = {(time_t)(ms / 1000), (long)((ms - (time_t)(ms / 1000) * 1000) * 1e6)};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

/* The window's _NET_WM_PID, or 0 when it has none (yet). */
static long window_pid(Display* display, Window window) {
    Atom atom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long pid = 0;
    if (XGetWindowProperty(display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data != NULL && count == 1 && format == 32) {
        pid = *(long*)data;
    }
    if (data != NULL) {
        XFree(data);
    }
    return pid;
}

static int ignore_x_errors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0; /* a window may vanish between its event and our query */
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s SETTLE_MS TIMEOUT_MS program [args...]\n", argv[0]);
        return 2;
    }
    const double settle = atof(argv[1]);
    const double timeout = atof(argv[2]);
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "cannot open display %s\n", getenv("DISPLAY") ? getenv("DISPLAY") : "");
        return 2;
    }
    XSetErrorHandler(ignore_x_errors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        dup2(STDERR_FILENO, STDOUT_FILENO); /* our stdout carries only the figures */
        execvp(argv[3], argv + 3);
        perror(argv[3]);
        _exit(127);
    }

    double mapped = -1;
    const int fd = ConnectionNumber(display);
    while (mapped < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify) {
                continue;
            }
            /* A window the program places itself (override-redirect, as Wine
             * maps its windows when no window manager runs) counts only when
             * it names the program's process: menus and tooltips of others
             * do not. */
            const long pid = window_pid(display, event.xmap.window);
            if (pid == child || (pid == 0 && !event.xmap.override_redirect)) {
                mapped = now_ms() - start;
                break;
            }
        }
        if (mapped >= 0) {
            break;
        }
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(stderr, "%s exited before mapping a window\n", argv[3]);
            return 1;
        }
        if (now_ms() - start > timeout) {
            fprintf(stderr, "%s mapped no window within %.0f ms\n", argv[3], timeout);
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        struct timeval tick = {0, 1000};
        select(fd + 1, &readable, NULL, NULL, &tick);
    }

    sleep_ms(settle);
    kill(child, SIGTERM);
    int status;
    struct rusage usage;
    if (wait4(child, &status, 0, &usage) != child) {
        perror("wait4");
        return 1;
    }
    printf("map_ms=%.2f maxrss_kb=%ld\n", mapped, usage.ru_maxrss);
    XCloseDisplay(display);
    return 0;
}
