#!/bin/bash
# Takes the six screenshots in docs/screenshots: the real program on a virtual
# X display at 120 pixels per inch (the design density, where the client area
# is 821 x 366), one sheet per picture with a value typed in, as a user would.
#
# usage: tools/screenshots.sh [--dpi N] [--shot "FILE RIGHTS TABS TEXT"]... [--leave] [BUILD_DIR [OUTPUT_DIR]]
#   --dpi N     the display's density (default 120)
#   --shot      one picture instead of the six: the file name, Right presses
#               from the first tab, Tab presses from the tab strip to the
#               field typed in, and the text typed; may be repeated
#   --leave     press Tab after typing: the field typed in is shown without
#               the focus
#   BUILD_DIR   a build tree holding ui/vantrel (default: build/default)
#   OUTPUT_DIR  where the PNGs go (default: docs/screenshots)
# Needs Xvfb (xvfb), xdotool (xdotool), xprop (x11-utils), import (imagemagick)
# and the window font (fonts-dejavu-core): `bash tools/setup.sh --screenshots`.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dpi=120
custom_shots=()
leave=0
while [ $# -gt 0 ]; do
    case "$1" in
    --dpi) dpi=$2; shift 2 ;;
    --shot) custom_shots+=("$2"); shift 2 ;;
    --leave) leave=1; shift ;;
    *) break ;;
    esac
done
build_dir=${1:-$root/build/default}
out_dir=${2:-$root/docs/screenshots}
program=$build_dir/ui/vantrel
[ -x "$program" ] || { echo "no program at $program; build it first" >&2; exit 1; }
for tool in Xvfb xdotool xprop import; do
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

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number; -noreset keeps the resource set
# below alive between the clients.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x900x24 -dpi "$dpi" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=$(head -n1 "$work/display")
[ -n "$display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=:$display
# Qt takes a desktop's density from Xft.dpi, as desktops set it.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s\n' "$dpi")"

for shot in "${shots[@]}"; do
    read -r file rights tabs text <<<"$shot"
    env -u QT_FONT_DPI -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_STYLE_OVERRIDE \
        QT_QPA_PLATFORM=xcb "$program" &
    app_pid=$!
    window=$(xdotool search --sync --pid "$app_pid" --onlyvisible --name .)
    sleep 0.5
    # The tab strip has the focus when the window opens: arrows pick the sheet.
    for _ in $(seq "$rights"); do xdotool key --delay 50 Right; done
    for _ in $(seq "$tabs"); do xdotool key --delay 50 Tab; done
    xdotool type --delay 80 "$text"
    if [ "$leave" = 1 ]; then xdotool key --delay 50 Tab; fi
    sleep 0.5
    import -window "$window" "png:$out_dir/$file"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
    echo "$out_dir/$file"
done
