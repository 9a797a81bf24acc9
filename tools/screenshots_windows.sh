#!/bin/bash
# Takes the six screenshots in docs/screenshots/windows: Vantrel.exe under Wine
# on the Windows build's own Xvfb display at 120 pixels per inch (the design
# density, where the client area is 821 x 366), one sheet per picture with the
# value tools/screenshots.sh types on Linux, typed as a user would.
#
# usage: tools/screenshots_windows.sh [--shot "FILE RIGHTS TABS TEXT"]... [--leave] [BUILD_DIR [OUTPUT_DIR]]
#   --shot      one picture instead of the six, as tools/screenshots.sh takes it
#   --leave     press Tab after typing: the field typed in is shown without
#               the focus
#   BUILD_DIR   the windows preset's build tree (default: build/windows)
#   OUTPUT_DIR  where the PNGs go (default: docs/screenshots/windows)
# Needs the program built (cmake --build --preset windows), and xdotool and
# import (imagemagick): `bash tools/setup.sh --screenshots`. Wine and Xvfb are
# the Windows tests' own: tests/win32/wine_run.sh starts and stops them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
custom_shots=()
leave=0
while [ $# -gt 0 ]; do
    case "$1" in
    --shot) custom_shots+=("$2"); shift 2 ;;
    --leave) leave=1; shift ;;
    *) break ;;
    esac
done
build_dir=$(cd "${1:-$root/build/windows}" && pwd)
out_dir=${2:-$root/docs/screenshots/windows}
program=$build_dir/ui/Vantrel.exe
wine_run=$root/tests/win32/wine_run.sh
state=$build_dir/wine
[ -f "$program" ] || { echo "no program at $program; build it first" >&2; exit 1; }
for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool not found" >&2; exit 1; }
done
mkdir -p "$out_dir"

# Each sheet: file name, Right presses from the first tab, Tab presses from the
# tab strip to the field typed in, and the text typed.
shots=(
    "volume-flow.png 0 1 1"
    "specific-heat.png 1 3 4,187"
    "heat-flow.png 2 3 1"
    "heat.png 3 7 1"
    "force.png 4 7 1"
    "pressure.png 5 9 1"
)
[ ${#custom_shots[@]} -eq 0 ] || shots=("${custom_shots[@]}")

app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    "$wine_run" --stop "$state"
}
"$wine_run" --start "$state"
trap cleanup EXIT
export DISPLAY=:$(cat "$state/display")

for shot in "${shots[@]}"; do
    read -r file rights tabs text <<<"$shot"
    "$wine_run" "$program" &
    app_pid=$!
    window=$(xdotool search --sync --onlyvisible --name 'Вантрел')
    sleep 0.5
    # The tab strip has the focus when the window opens: arrows pick the sheet.
    for _ in $(seq "$rights"); do xdotool key --delay 50 Right; done
    for _ in $(seq "$tabs"); do xdotool key --delay 50 Tab; done
    xdotool type --delay 80 "$text"
    if [ "$leave" = 1 ]; then xdotool key --delay 50 Tab; fi
    sleep 0.5
    import -window "$window" "png:$out_dir/$file"
    # Closed as a user closes it: the program ends with status 0.
    xdotool key alt+F4
    wait "$app_pid"
    app_pid=
    echo "$out_dir/$file"
done
