#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own Wine prefix and
# exits with the program's exit status. The Windows build names this script as
# its cross-compiling emulator, so every add_test of a Windows executable runs
# through it; by hand:
#
#   tests/win32/wine_run.sh build/windows/tests/vantrel_core_tests.exe --gtest_filter='Sheet*'
#
# The CTest fixture of the Windows tests calls it with --start and --stop:
#
#   wine_run.sh --start STATE_DIR   creates the prefix, starts one Xvfb and a
#                                   persistent wineserver for all the tests
#   wine_run.sh --stop STATE_DIR    stops that wineserver and that Xvfb
#
# STATE_DIR (for a program: $VANTREL_WINE_DIR, else <build tree>/wine, the
# build tree being the nearest folder above the program holding CMakeCache.txt)
# holds everything Wine writes: prefix/ (created once, under a lock, so tests
# running in parallel share it safely), tmp/ (Wine's server sockets), logs, and
# the display the fixture started. Nothing goes to /tmp or the home folder, and
# Wine's own messages stay out of the program's output.
#
# Windows programs started here see Xvfb's display at 120 pixels per inch (the
# window's design density), no window manager, and no crash dialog: a crash
# prints a backtrace on stderr and fails with a non-zero status.
set -euo pipefail

readonly xvfb_screen=1280x1024x24

die() {
    echo "wine_run.sh: $*" >&2
    exit 125
}

# The environment every Wine command here runs in. Stopping the server with
# `wineserver -k` under the same WINEPREFIX touches only this prefix's server;
# other Wine sessions on the machine are left alone.
use_state_dir() {
    state=$1
    mkdir -p "$state/tmp" "$state/cache"
    export WINEPREFIX=$state/prefix
    export WINEDEBUG=-all
    # No first-run installers of .NET and HTML engines, no desktop entries in
    # the home folder; and whatever a test adds in VANTREL_WINE_DLLOVERRIDES.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${VANTREL_WINE_DLLOVERRIDES:+;$VANTREL_WINE_DLLOVERRIDES}"
    export TMPDIR=$state/tmp
    export XDG_CACHE_HOME=$state/cache
    # Wine asks for a session bus; without one, D-Bus would start a daemon for
    # the display and leave its address in ~/.dbus. Wine needs none.
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$state/no-session-bus
}

create_prefix() {
    wineboot -i
    # Wine does not look for the fonts of Debian's fonts-wine by itself.
    ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    # Xvfb has no window manager: unmanaged windows hide and close at once
    # instead of waiting two seconds for one.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f
    # A crash dialog would wait for a click that never comes.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    # The registry reaches the prefix's files when the server ends.
    wineserver -w
}

# Creates the prefix once. Whoever comes first builds it under the lock; the
# others wait for it and then find it ready.
ensure_prefix() {
    [ -e "$state/prefix.ready" ] && return
    command -v flock >/dev/null || die "flock not found (Debian: util-linux)"
    # -o: the Wine processes started inside must not inherit (and keep) the lock.
    flock -o "$state/prefix.lock" "$BASH" "$0" --create-prefix "$state" ||
        die "could not create the Wine prefix; see $state/prefix.log"
}

xvfb_alive() {
    local pid
    pid=$(cat "$state/xvfb.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]
}

start_session() {
    command -v Xvfb >/dev/null || die "Xvfb not found (Debian: xvfb)"
    stop_session
    ensure_prefix
    rm -f "$state/display"
    # Its own session and no inherited output, so neither CTest nor the shell
    # waits for it; -displayfd picks a display no one else uses.
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 "$xvfb_screen" \
        3>"$state/display.new" </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [ -s "$state/display.new" ] && break
        xvfb_alive || break
        sleep 0.1
    done
    [ -s "$state/display.new" ] || die "Xvfb did not start; see $state/xvfb.log"
    export DISPLAY=:$(tr -dc 0-9 <"$state/display.new")
    mv "$state/display.new" "$state/display"
    # A persistent server keeps Wine's own services running between tests:
    # a program then starts in a tenth of a second instead of two. Starting
    # them here, with their output in a log, also keeps them from holding a
    # test's output open.
    wineserver -p </dev/null >>"$state/session.log" 2>&1
    wineboot </dev/null >>"$state/session.log" 2>&1
}

stop_session() {
    if [ -e "$WINEPREFIX/system.reg" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
    fi
    if xvfb_alive; then
        local pid
        pid=$(cat "$state/xvfb.pid")
        kill "$pid"
        for _ in $(seq 50); do
            xvfb_alive || break
            sleep 0.1
        done
    fi
    rm -f "$state/xvfb.pid" "$state/display" "$state/display.new"
}

# The nearest folder above the program that is a CMake build tree.
build_tree_of() {
    local dir
    dir=$(cd "$(dirname "$1")" && pwd)
    while [ "$dir" != / ] && [ ! -e "$dir/CMakeCache.txt" ]; do
        dir=$(dirname "$dir")
    done
    [ -e "$dir/CMakeCache.txt" ] || return 1
    echo "$dir"
}

case "${1:-}" in
--create-prefix)
    use_state_dir "$2"
    if [ ! -e "$state/prefix.ready" ]; then
        rm -rf "$WINEPREFIX"
        create_prefix </dev/null >"$state/prefix.log" 2>&1
        touch "$state/prefix.ready"
    fi
    ;;
--start)
    use_state_dir "$2"
    start_session
    ;;
--stop)
    use_state_dir "$2"
    stop_session
    ;;
"" | -*)
    die "usage: wine_run.sh PROGRAM.exe [ARGS...] | --start STATE_DIR | --stop STATE_DIR"
    ;;
*)
    program=$1
    shift
    [ -f "$program" ] || die "no program $program"
    if [ -n "${VANTREL_WINE_DIR:-}" ]; then
        use_state_dir "$VANTREL_WINE_DIR"
    else
        tree=$(build_tree_of "$program") || die "$program is not in a build tree; set VANTREL_WINE_DIR"
        use_state_dir "$tree/wine"
    fi
    ensure_prefix
    # The fixture's display when it runs; otherwise whatever display the caller has.
    if xvfb_alive && [ -s "$state/display" ]; then
        export DISPLAY=:$(cat "$state/display")
    fi
    exec wine "$program" "$@"
    ;;
esac
