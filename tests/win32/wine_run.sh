#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own Wine prefix and
# exits with the program's exit status. The Windows build names this script as
# its cross-compiling emulator, so every add_test of a Windows executable runs
# through it; by hand:
#
#   tests/win32/wine_run.sh build/windows/tests/vantrel_core_tests.exe --gtest_filter='Sheet*'
#
# The CTest fixtures of the Windows tests call it with --start and --stop:
#
#   wine_run.sh --start STATE_DIR [DPI [LOOK]]
#                                         creates the prefix, starts one Xvfb
#                                         and a persistent wineserver for all
#                                         the tests, its density DPI (120),
#                                         its look LOOK: `styled` (Wine's
#                                         visual style, the default) or
#                                         `classic` (no visual style)
#   wine_run.sh --stop STATE_DIR          stops that wineserver and that Xvfb
#
# STATE_DIR (for a program: $VANTREL_WINE_DIR, else <build tree>/wine, the
# build tree being the nearest folder above the program holding CMakeCache.txt)
# holds what Wine writes: prefix/ (created once, under a lock, so tests
# running in parallel share it safely), logs, and the display the fixture
# started. Nothing goes to the home folder, and Wine's own messages stay out of
# the program's output. Debian's Wine keeps its server's sockets in a private
# folder of /tmp that the prefix names (prefix/wineserver); Wine 10 aborts at
# start when TMPDIR is set, to any folder, so that folder cannot be moved, and
# --stop removes it with the server.
#
# Windows programs started here see Xvfb's display at 120 pixels per inch (the
# window's design density) unless the session was started at another, no
# window manager, and no crash dialog: a crash prints a backtrace on stderr and
# fails with a non-zero status. A Wine 10 session keeps the density it first
# showed a window at, so each density other than 120 has a session (and a
# state folder) of its own.
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
    mkdir -p "$state/cache"
    export WINEPREFIX=$state/prefix
    export WINEDEBUG=-all
    # No first-run installers of .NET and HTML engines, no desktop entries in
    # the home folder; and whatever a test adds in VANTREL_WINE_DLLOVERRIDES.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${VANTREL_WINE_DLLOVERRIDES:+;$VANTREL_WINE_DLLOVERRIDES}"
    unset TMPDIR
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

# The fixture's Xvfb is known by its PID and that process's start time (both
# in xvfb.pid), so a PID the system has since given to another process is never
# taken for it. It counts from the moment it is launched, while setsid has not
# yet become Xvfb, until it has exited (a zombie has exited).
# shellcheck source=../support/process_start.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/process_start.sh"

xvfb_alive() {
    local pid start
    read -r pid start 2>/dev/null <"$state/xvfb.pid" || return 1
    [ -n "$start" ] && [ "$(process_start "$pid")" = "$start" ]
}

start_session() {
    local dpi=$1 look=$2 theme
    case "$look" in
        styled) theme=1 ;;
        classic) theme=0 ;;
        *) die "no look $look: styled or classic" ;;
    esac
    command -v Xvfb >/dev/null || die "Xvfb not found (Debian: xvfb)"
    stop_session
    ensure_prefix
    rm -f "$state/display"
    # Its own session and no inherited output, so neither CTest nor the shell
    # waits for it; -displayfd picks a display no one else uses.
    setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 "$xvfb_screen" \
        3>"$state/display.new" </dev/null >"$state/xvfb.log" 2>&1 &
    echo "$! $(process_start $!)" >"$state/xvfb.pid"
    # Xvfb writes its display number and a newline to -displayfd once it
    # takes connections. Until then it is starting, however long that takes
    # on a busy machine, unless it has exited or the time is up.
    local waited=0
    until [ -s "$state/display.new" ] && [ -z "$(tail -c 1 "$state/display.new")" ]; do
        xvfb_alive || die "Xvfb exited before it took connections; see $state/xvfb.log"
        ((waited++ < 600)) || die "Xvfb did not take connections within 60 s; see $state/xvfb.log"
        sleep 0.1
    done
    export DISPLAY=:$(tr -dc 0-9 <"$state/display.new")
    mv "$state/display.new" "$state/display"
    # A persistent server keeps Wine's own services running between tests:
    # a program then starts in a tenth of a second instead of two. Starting
    # them here, with their output in a log, also keeps them from holding a
    # test's output open.
    wineserver -p </dev/null >>"$state/session.log" 2>&1
    # Set at every start: a test that changed it and failed may have left it.
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        </dev/null >>"$state/session.log" 2>&1
    # Wine's uxtheme reads this as it loads: with 0 every program of the
    # session draws without a visual style, as Windows' classic look does.
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
        /v ThemeActive /t REG_SZ /d "$theme" /f </dev/null >>"$state/session.log" 2>&1
    wineboot </dev/null >>"$state/session.log" 2>&1
}

stop_session() {
    if [ -e "$WINEPREFIX/system.reg" ]; then
        wineserver -k </dev/null >/dev/null 2>&1 || true
    fi
    # The server's socket folder, named in the prefix; only ever a folder of
    # Wine's own making there, and only one of this user's.
    local sockets
    sockets=$(cat "$WINEPREFIX/wineserver" 2>/dev/null || true)
    if [[ "$sockets" =~ ^wine-[A-Za-z0-9]+$ ]] && [ -O "/tmp/$sockets" ]; then
        rm -rf "/tmp/$sockets"
    fi
    # Whether it is still starting or long running, the fixture's Xvfb is
    # asked to end, and made to if it has not within 5 s.
    if xvfb_alive; then
        local pid
        read -r pid _ <"$state/xvfb.pid"
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            xvfb_alive || break
            sleep 0.1
        done
        if xvfb_alive; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
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
    start_session "${3:-120}" "${4:-styled}"
    ;;
--stop)
    use_state_dir "$2"
    stop_session
    ;;
"" | -*)
    die "usage: wine_run.sh PROGRAM.exe [ARGS...] | --start STATE_DIR [DPI] | --stop STATE_DIR"
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
