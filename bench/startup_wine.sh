#!/usr/bin/env bash
# Start-up of the Windows program under Wine against the Linux (Qt) program,
# measured the same way on the same Xvfb display: the time from launching the
# process (`wine Vantrel.exe`, `vantrel`) to its first top-level window being
# mapped on the display, seen as an X event by launch_until_mapped.c. Beside
# them, two floors under Wine, built here with mingw-w64 as Vantrel.exe is:
# a bare Win32 window with one edit field (startup/win32_floor.cpp), and a
# window holding as many controls of the same classes as Vantrel's, created
# in a loop with nothing else, from common controls 6 through Vantrel's own
# manifest (startup/win32_controls_floor.cpp): what Wine's cost for the
# controls alone is. Runs are interleaved after one discarded warm-up each,
# each round starting with the next program; medians are printed, with
# Vantrel.exe's ratio to each floor.
#
# Wine runs as the Windows tests run it (tests/win32/wine_run.sh): the build
# tree's prefix, its own Xvfb, a persistent wineserver with Wine's services
# already running, so a start-up is that of a program on a running Windows,
# not of Wine itself (which adds about two seconds once).
#
#   bench/startup_wine.sh                    # 11 runs each, from build/windows and build/default
#   bench/startup_wine.sh --runs 21
#
# Needs both builds (cmake --workflow --preset windows, --preset default),
# xvfb, wine, mingw-w64 and libx11-dev. Stop the Windows tests first: this uses their
# prefix and display.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=11
settle=300
exe=$root/build/windows/ui/Vantrel.exe
qt=$root/build/default/ui/vantrel
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --exe) exe=$2; shift 2 ;;
        --qt) qt=$2; shift 2 ;;
        *) echo "usage: $0 [--runs N] [--exe Vantrel.exe] [--qt vantrel]" >&2; exit 2 ;;
    esac
done
[ "$runs" -ge 5 ] || { echo "startup_wine.sh: at least 5 runs for a median" >&2; exit 2; }
[ -f "$exe" ] || { echo "startup_wine.sh: no $exe (cmake --workflow --preset windows)" >&2; exit 1; }
[ -x "$qt" ] || { echo "startup_wine.sh: no $qt (cmake --workflow --preset default)" >&2; exit 1; }

state=$root/build/windows/wine
work=$root/build/windows/bench-startup
wine_run=$root/tests/win32/wine_run.sh
mkdir -p "$work"
trap '"$wine_run" --stop "$state"' EXIT
"$wine_run" --start "$state"
cc -O2 -Wall -Wextra -o "$work/launch_until_mapped" "$root/bench/startup/launch_until_mapped.c" -lX11
x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -o "$work/win32_floor.exe" \
    "$root/bench/startup/win32_floor.cpp"
x86_64-w64-mingw32-windres -I "$(dirname "$exe")" -O coff -o "$work/controls_floor.res.o" \
    "$root/bench/startup/win32_controls_floor.rc"
x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -o "$work/win32_controls_floor.exe" \
    "$root/bench/startup/win32_controls_floor.cpp" "$work/controls_floor.res.o" -lcomctl32

# The environment wine_run.sh gives the programs it starts; `wine` itself is
# launched, so that nothing but Wine stands between the launch and the window.
export DISPLAY=:$(cat "$state/display")
# TMPDIR unset as wine_run.sh leaves it: Debian's Wine 10 aborts on it.
unset TMPDIR
export WINEPREFIX=$state/prefix WINEDEBUG=-all XDG_CACHE_HOME=$state/cache
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$state/no-session-bus
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_FONT_DPI
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

names=(wine floor controls qt)
commands=("wine $exe" "wine $work/win32_floor.exe" "wine $work/win32_controls_floor.exe" "$qt")
measure() {  # index -> prints "map_ms maxrss_kb"
    local i=$1 out
    # shellcheck disable=SC2086  # the command is a program and its argument
    if ! out=$("$work/launch_until_mapped" "$settle" 30000 ${commands[$i]} 2>"$work/${names[$i]}.err"); then
        echo "startup_wine.sh: ${names[$i]} did not start:" >&2
        cat "$work/${names[$i]}.err" >&2
        exit 1
    fi
    echo "$out" | sed -E 's/map_ms=([0-9.]+) maxrss_kb=([0-9]+)/\1 \2/'
}
rm -f "$work"/*.runs
for i in "${!names[@]}"; do measure "$i" >/dev/null; done  # warm-up
# Each round starts with the next program: the first Wine program after a
# pause (the Qt program's turn) starts up to 150 ms slower, as Wine's services
# wake, and no program should always be the one that pays for it.
for round in $(seq 0 $((runs - 1))); do
    for j in "${!names[@]}"; do
        i=$(((j + round) % ${#names[@]}))
        measure "$i" >>"$work/${names[$i]}.runs"
    done
done

median() {  # column -> median of that column of stdin
    sort -n -k"$1" | awk -v c="$1" '{ v[NR] = $c } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
echo "Start-up to the window mapped on Xvfb, median of $runs runs, warm cache"
echo "machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores, $(wine --version)"
printf '%-28s %10s %14s %18s\n' program start-up/ms "(min-max)" "peak RSS/MB"
labels=("Vantrel.exe under Wine" "Win32 floor under Wine" "Win32 controls floor, Wine" "vantrel (Qt) under Xvfb")
for i in "${!names[@]}"; do
    file=$work/${names[$i]}.runs
    printf '%-28s %10.1f %14s %18.1f\n' "${labels[$i]}" "$(median 1 <"$file")" \
        "$(sort -n "$file" | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.1f-%.1f", lo, hi }')" \
        "$(median 2 <"$file" | awk '{ print $1 / 1024 }')"
done
vantrel=$(median 1 <"$work/wine.runs")
for floor in floor controls; do
    printf 'Vantrel.exe against the %s: %.2fx\n' "$([ $floor = floor ] && echo "bare Win32 window" || echo "controls floor")" \
        "$(echo "$vantrel $(median 1 <"$work/$floor.runs")" | awk '{ print $1 / $2 }')"
done
echo "(peak RSS of the program's own process; under Wine the wineserver and Wine's services run beside it)"
echo "rerun: bench/startup_wine.sh --runs $runs"
