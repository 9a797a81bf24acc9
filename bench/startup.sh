#!/usr/bin/env bash
# Start-up time and peak memory, side by side, under one Xvfb display:
#   (a) Vantrel, (b) the Qt floor (one window, one line edit, built here),
#   (c) ConvertAll from Debian's convertall package; and (d) Vantrel again as
#   a native Wayland client of a headless sway, weston and GNOME's mutter,
#   started beside the Xvfb (the floor on sway too).
# Start-up is the time from launching the program to its first top-level
# window being mapped on the display, seen as an X event (launch_until_mapped.c
# wakes every millisecond). Peak memory is the kernel's peak RSS of the
# process, read when it is stopped SETTLE_MS after its window appeared. Runs
# are interleaved (a b c, a b c, ...) after one discarded warm-up each, so the
# figures are warm-cache start-ups; medians are printed with ratios to (b).
# On Wayland, start-up ends when the window's first frame is committed, which
# is when a compositor maps it (launch_until_mapped_wayland.py: sway's window
# event, or the program's own protocol log on weston and mutter): a later
# point than X11's map, which comes before the first frame is drawn.
#
#   bench/startup.sh                          # 7 runs each, Vantrel from build/default
#   bench/startup.sh --runs 11 --vantrel /path/to/vantrel
#   RUNS=5 SETTLE_MS=1000 bench/startup.sh
#
# Needs: xvfb, libx11-dev, qt6-base-dev, pkg-config, qt6-wayland, sway, weston,
# mutter and dbus (as set-up installs them), convertall (skipped with a note when absent). Exits 1 when a program fails to start, 0 otherwise;
# --check also exits 1 when a target is missed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-7}
settle=${SETTLE_MS:-1000}
vantrel=${VANTREL_BIN:-}
check=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --vantrel) vantrel=$2; shift 2 ;;
        --check) check=1; shift ;;
        *) echo "usage: $0 [--runs N] [--vantrel PATH] [--check]" >&2; exit 2 ;;
    esac
done
[ "$runs" -ge 5 ] || { echo "startup.sh: at least 5 runs for a median" >&2; exit 2; }

work=$(mktemp -d)
# Sway runs as nobody when this runs as root, and must reach its folder.
chmod 755 "$work"
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    for compositor in sway weston mutter; do
        [ -d "$work/$compositor" ] && bash "$root/tests/qt/on_wayland.sh" --stop "$work/$compositor"
    done
    rm -rf "$work"
}
trap cleanup EXIT

# --- build what is measured --------------------------------------------------
if [ -z "$vantrel" ]; then
    vantrel=$root/build/default/ui/vantrel
    if [ ! -x "$vantrel" ]; then
        echo "building Vantrel (preset default) ..."
        (cd "$root" && cmake --preset default >/dev/null && \
            cmake --build --preset default --target vantrel >/dev/null)
    fi
fi
[ -x "$vantrel" ] || { echo "startup.sh: no Vantrel executable at $vantrel" >&2; exit 1; }

cc -O2 -Wall -Wextra -o "$work/launch_until_mapped" "$root/bench/startup/launch_until_mapped.c" -lX11
# The floor is built as the distribution builds Qt programs: optimised, shared Qt.
g++ -O2 -fPIC -std=c++17 -o "$work/qt_floor" "$root/bench/startup/qt_floor.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets)

names=(vantrel qt_floor)
commands=("$vantrel" "$work/qt_floor")
# The same program on Wayland: measured by its own launcher (see measure).
# vantrel_wl and qt_floor_wl run on sway, which draws their frames; weston and
# mutter draw none, and there the window draws its own title bar.
names+=(vantrel_wl qt_floor_wl vantrel_weston vantrel_mutter)
commands+=("$vantrel" "$work/qt_floor" "$vantrel" "$vantrel")
if command -v convertall >/dev/null; then
    names+=(convertall)
    commands+=("$(command -v convertall)")
else
    echo "note: convertall is not installed (apt-get install convertall); column (c) skipped"
fi

# --- a display of its own ----------------------------------------------------
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.05
done
export DISPLAY=":$display"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_FONT_DPI

# --- a headless compositor of its own for each Wayland column -----------------
for compositor in sway weston mutter; do
    bash "$root/tests/qt/on_wayland.sh" --start $compositor 1 "$work/$compositor"
done
on_wayland() {  # compositor launcher-arguments...
    local compositor=$1
    shift
    bash "$root/tests/qt/on_wayland.sh" --run "$work/$compositor" \
        python3 "$root/bench/startup/launch_until_mapped_wayland.py" "$@"
}

measure() {  # index -> prints "map_ms maxrss_kb"
    local i=$1 out launcher=("$work/launch_until_mapped")
    case ${names[$i]} in
        *_wl) launcher=(on_wayland sway) ;;
        *_weston) launcher=(on_wayland weston) ;;
        *_mutter) launcher=(on_wayland mutter) ;;
    esac
    if ! out=$("${launcher[@]}" "$settle" 30000 "${commands[$i]}" 2>"$work/${names[$i]}.err"); then
        echo "startup.sh: ${names[$i]} did not start:" >&2
        cat "$work/${names[$i]}.err" >&2
        exit 1
    fi
    echo "$out" | sed -E 's/map_ms=([0-9.]+) maxrss_kb=([0-9]+)/\1 \2/'
}

mkdir "$work/results"
for i in "${!names[@]}"; do measure "$i" >/dev/null; done  # warm-up
for run in $(seq "$runs"); do
    for i in "${!names[@]}"; do measure "$i" >>"$work/results/${names[$i]}"; done
done

median() {  # column -> median of that column of stdin
    sort -n -k"$1" | awk -v c="$1" '{ v[NR] = $c } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

declare -A start_ms rss_mb spread
for name in "${names[@]}"; do
    start_ms[$name]=$(median 1 <"$work/results/$name")
    rss_mb[$name]=$(median 2 <"$work/results/$name" | awk '{ printf "%.1f", $1 / 1024 }')
    spread[$name]=$(sort -n "$work/results/$name" | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.1f-%.1f", lo, hi }')
done

qt_version=$(pkg-config --modversion Qt6Widgets)
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo
echo "Start-up to window mapped (Xvfb; *_wl: headless sway; *_weston, *_mutter) and peak RSS, median of $runs runs each, warm cache"
echo "machine: $cpu, $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GiB, $(uname -sr), Qt $qt_version"
echo
printf '%-15s %12s %14s %10s %14s %10s\n' program start-up/ms "(min-max)" "x floor" peak-RSS/MB "x floor"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }
fs=${start_ms[qt_floor]}
fr=${rss_mb[qt_floor]}
for name in "${names[@]}"; do
    printf '%-15s %12.1f %14s %10.2f %14.1f %10.2f\n' "$name" "${start_ms[$name]}" \
        "${spread[$name]}" "$(ratio "${start_ms[$name]}" "$fs")" "${rss_mb[$name]}" \
        "$(ratio "${rss_mb[$name]}" "$fr")"
done
echo
missed=0
verdict() {  # label value limit
    if awk -v v="$2" -v l="$3" 'BEGIN { exit !(v <= l) }'; then
        printf '  %-44s %6.2f (target <= %s) met\n' "$1" "$2" "$3"
    else
        printf '  %-44s %6.2f (target <= %s) MISSED\n' "$1" "$2" "$3"
        missed=1
    fi
}
echo "targets:"
verdict "start-up, Vantrel / Qt floor" "$(ratio "${start_ms[vantrel]}" "$fs")" 1.25
verdict "peak memory, Vantrel / Qt floor" "$(ratio "${rss_mb[vantrel]}" "$fr")" 1.25
verdict "start-up, Vantrel on Wayland / on X11" "$(ratio "${start_ms[vantrel_wl]}" "${start_ms[vantrel]}")" 1.25
verdict "peak memory, Vantrel on Wayland / on X11" "$(ratio "${rss_mb[vantrel_wl]}" "${rss_mb[vantrel]}")" 1.25
for compositor in weston mutter; do
    verdict "start-up, Vantrel on $compositor / on X11" \
        "$(ratio "${start_ms[vantrel_$compositor]}" "${start_ms[vantrel]}")" 1.25
    verdict "peak memory, Vantrel on $compositor / on X11" \
        "$(ratio "${rss_mb[vantrel_$compositor]}" "${rss_mb[vantrel]}")" 1.25
done
printf '  %-44s %6.2f (the Qt floor itself, for comparison)\n' "start-up, Qt floor on Wayland / on X11" \
    "$(ratio "${start_ms[qt_floor_wl]}" "$fs")"
if [ -n "${start_ms[convertall]:-}" ]; then
    verdict "start-up, Vantrel / ConvertAll" \
        "$(ratio "${start_ms[vantrel]}" "${start_ms[convertall]}")" 0.3333
fi
echo
echo "rerun: bench/startup.sh --runs $runs --vantrel $vantrel"
[ "$check" = 1 ] && [ "$missed" = 1 ] && exit 1
exit 0
