#!/bin/bash
# Runs a window test on a private virtual X display through Qt's X11 platform,
# for what the offscreen platform lacks (the X selection that a middle click
# pastes). usage: on_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail
work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 -dpi 120 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
mkdir -m 700 "$work/runtime"
# In a sanitizer build, the leak checker ignores what Qt's X11 platform keeps
# to the end (x11_lsan.supp). Qt is built without frame pointers, so only the
# slow unwinder gives the whole allocation stack that the rules match.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0:suppressions=$(cd "$(dirname "$0")/.." && pwd)/x11_lsan.supp
DISPLAY=:$(head -n1 "$work/display") XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=xcb "$@"
