#!/bin/bash
# A headless Wayland compositor for the window tests, started and stopped by
# a CTest fixture as the Xvfb of the Windows tests is:
#
#   on_wayland.sh --start weston|sway|mutter SCALE STATE_DIR
#                                   starts it, 1280x800 at SCALE (whole; sway: also
#                                   fractional: 1.25, 1.5; mutter: 1)
#   on_wayland.sh --stop STATE_DIR                      stops it
#   on_wayland.sh --run STATE_DIR PROGRAM [ARGS...]     runs PROGRAM as its client
#
# STATE_DIR holds the compositor's runtime folder (its socket), its log and its
# process. The compositors are found on PATH. Weston's headless backend runs
# as any user, root included, as does mutter's (GNOME's compositor), on a
# session bus of its own. Sway refuses to run as root: as root it runs as the
# user nobody, whose socket root's clients can still open.
set -euo pipefail

die() {
    echo "on_wayland.sh: $*" >&2
    exit 125
}

# The compositor is known by its PID and that process's start time.
# shellcheck source=../support/process_start.sh
. "$(dirname "${BASH_SOURCE[0]}")/../support/process_start.sh"

alive() {
    local pid start
    read -r pid start 2>/dev/null <"$state/compositor.pid" || return 1
    [ -n "$start" ] && [ "$(process_start "$pid")" = "$start" ]
}

stop() {
    if alive; then
        local pid
        read -r pid _ <"$state/compositor.pid"
        # The whole session it leads: mutter runs under a bus of its own.
        kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            alive || break
            sleep 0.1
        done
        alive && kill -KILL -- "-$pid" 2>/dev/null
    fi
    if [ -s "$state/private" ]; then
        local private
        private=$(cat "$state/private")
        [[ "$private" == /tmp/vantrel-sway.* ]] && rm -rf "$private"
    fi
    rm -rf "$state/compositor.pid" "$state/compositor" "$state/runtime" "$state/client" \
        "$state/private"
}

start() {
    local compositor=$1 scale=$2
    # 1280x800 in the compositor's own (logical) pixels at every scale.
    [[ "$scale" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "no scale $scale"
    [[ "$scale" =~ ^[0-9]+$ || "$compositor" = sway ]] ||
        die "$compositor runs headless at whole scales only"
    local width height
    read -r width height < <(awk -v s="$scale" 'BEGIN { printf "%d %d\n", 1280 * s, 800 * s }')
    command -v "$compositor" >/dev/null || die "$compositor not found (Debian: $compositor)"
    stop
    mkdir -p "$state/runtime"
    chmod 700 "$state/runtime"
    local -a command
    case $compositor in
    weston)
        # Weston names its backends by module up to version 11 and by name
        # since; its help lists them. The default renderer of the headless
        # backend draws nothing, which the tests do not need.
        local backend=headless
        weston --help 2>&1 | grep -q 'headless-backend\.so' && backend=headless-backend.so
        command=(weston --backend=$backend --socket=wayland-vantrel
                 --width=$width --height=$height --scale="$scale" --idle-time=0 --no-config)
        ;;
    sway)
        local config=$state
        if [ "$(id -u)" = 0 ]; then
            # nobody may not pass a closed folder above the state folder (a
            # clone under /root): its runtime folder and its configuration go
            # into a private folder of /tmp of its own, linked from there,
            # and removed when it stops.
            local private
            private=$(mktemp -d /tmp/vantrel-sway.XXXXXX)
            echo "$private" >"$state/private"
            mkdir -m 700 "$private/runtime"
            chown nobody "$private" "$private/runtime"
            rm -rf "$state/runtime"
            ln -s "$private/runtime" "$state/runtime"
            config=$private
        fi
        cat >"$config/sway.config" <<SWAY
output HEADLESS-1 resolution ${width}x${height} scale $scale
xwayland disable
SWAY
        command=(env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
                 sway --config "$config/sway.config")
        if [ "$(id -u)" = 0 ]; then
            chmod 644 "$config/sway.config"
            command=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${command[@]}")
        fi
        ;;
    mutter)
        # Its headless backend chooses the scale of its virtual monitor itself.
        [ "$scale" = 1 ] || die "mutter runs headless at scale 1 only"
        command=(dbus-run-session -- mutter --headless --wayland --no-x11
                 --virtual-monitor "${width}x${height}" --wayland-display wayland-vantrel)
        ;;
    *) die "no compositor $compositor" ;;
    esac
    # Its own session and no inherited output, so that CTest does not wait for it.
    # By its real path, which sway as nobody can reach.
    XDG_RUNTIME_DIR=$(readlink -f "$state/runtime") setsid "${command[@]}" </dev/null \
        >"$state/compositor.log" 2>&1 &
    echo "$! $(process_start $!)" >"$state/compositor.pid"
    local waited=0 socket=
    until socket=$(cd "$state/runtime" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n1) &&
        [ -n "$socket" ]; do
        alive || die "$compositor exited before it took clients; see $state/compositor.log"
        ((waited++ < 300)) || die "$compositor did not take clients within 30 s; see $state/compositor.log"
        sleep 0.1
    done
    echo "$compositor $socket $scale" >"$state/compositor"
}

case "${1:-}" in
--start)
    [ $# = 4 ] || die "usage: on_wayland.sh --start weston|sway|mutter SCALE STATE_DIR"
    state=$4
    start "$2" "$3"
    ;;
--stop)
    state=$2
    stop
    ;;
--run)
    state=$2
    shift 2
    alive && [ -s "$state/compositor" ] || die "no compositor running for $state"
    read -r compositor socket scale <"$state/compositor"
    # The client's own runtime folder; the socket by its full path, which
    # may be another user's (sway's as root).
    mkdir -p "$state/client"
    chmod 700 "$state/client"
    export XDG_RUNTIME_DIR=$state/client WAYLAND_DISPLAY=$state/runtime/$socket QT_QPA_PLATFORM=wayland
    export VANTREL_TEST_COMPOSITOR=$compositor VANTREL_TEST_SCALE=$scale
    if [ "$compositor" = sway ]; then
        SWAYSOCK=$(ls "$state"/runtime/sway-ipc.*.sock)
        export SWAYSOCK
    fi
    unset DISPLAY
    exec "$@"
    ;;
*)
    die "usage: on_wayland.sh --start weston|sway|mutter SCALE STATE_DIR | --stop STATE_DIR | --run STATE_DIR PROGRAM [ARGS...]"
    ;;
esac
