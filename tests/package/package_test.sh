#!/bin/bash
# Builds the Debian package from a finished build tree, unpacks it into a
# scratch root and checks what a user's desktop would find there: the menu
# entry, the icon theme files and the AppStream data where they are looked up,
# all three accepted by their validators, a Depends line computed from the
# program's libraries, and a program that starts, shows its window and exits
# with status 0 when that window is closed.
#
# Needs dpkg-deb and dpkg-shlibdeps (dpkg-dev), file and objdump (binutils),
# which cpack's dependency computation runs, desktop-file-validate
# (desktop-file-utils), appstreamcli (appstream) and Xvfb (xvfb).
set -euo pipefail

usage() {
    echo "usage: $0 --build-dir DIR [--cmake PATH] [--cpack PATH] --scratch DIR --close-tool PATH --app-id ID" \
        "--icon-sizes 16,22,... --screenshots DIR" >&2
    exit 2
}
while [ $# -ge 2 ]; do
    case "$1" in
    --build-dir) build_dir=$2 ;;
    --cmake) cmake=$2 ;;
    --cpack) cpack=$2 ;;
    --scratch) scratch=$2 ;;
    --close-tool) close_tool=$2 ;;
    --app-id) app_id=$2 ;;
    --icon-sizes) icon_sizes=${2//,/ } ;;
    --screenshots) screenshot_dir=$2 ;;
    *) usage ;;
    esac
    shift 2
done
[ $# -eq 0 ] && [ -n "${build_dir:-}" ] && [ -n "${scratch:-}" ] && [ -n "${close_tool:-}" ] &&
    [ -n "${app_id:-}" ] && [ -n "${icon_sizes:-}" ] && [ -n "${screenshot_dir:-}" ] || usage

cmake=${cmake:-cmake}
cpack=${cpack:-cpack}
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
require_tool() {
    command -v "$1" >/dev/null || { echo "FAIL: $1 not found; install the Debian package $2" >&2; exit 1; }
}
require_tool "$cpack" cmake
require_tool dpkg-deb dpkg
require_tool dpkg-shlibdeps dpkg-dev
require_tool file file
require_tool objdump binutils
require_tool desktop-file-validate desktop-file-utils
require_tool appstreamcli appstream
require_tool Xvfb xvfb

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root" "$scratch/prefix" "$scratch/runtime"
chmod 700 "$scratch/runtime"

echo "== building the package"
"$cpack" -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb in $scratch/out" >&2; exit 1; }
deb=${debs[0]}
echo "package: $(basename "$deb")"

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Computed dependencies name the libraries' packages with versions; a hand-made
# or empty line would lack the C library and the Qt widgets library.
grep -Eq '(^|, )libc6 \(>= [^)]+\)' <<<"$depends" || fail "Depends lacks a versioned libc6"
grep -Eq '(^|, )libqt6widgets6[^,]*\(>= [^)]+\)' <<<"$depends" || fail "Depends lacks a versioned libqt6widgets6"
grep -Eq '(^|, )qt6-translations-l10n(,|$)' <<<"$depends" || fail "Depends lacks Qt's translations"
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
grep -Eq '(^|, )qt6-wayland(,|$)' <<<"$recommends" || fail "Recommends lacks Qt's Wayland platform"
# Every dependency must be satisfiable here, or the start below would prove nothing.
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
    satisfied=no
    IFS='|' read -ra choices <<<"$clause"
    for choice in "${choices[@]}"; do
        name=$(awk '{print $1}' <<<"$choice")
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$name" 2>/dev/null)" = installed ]; then
            satisfied=yes
        fi
    done
    [ $satisfied = yes ] || fail "dependency not installed on this machine:$clause"
done

echo "== unpacking into $scratch/root"
dpkg-deb -x "$deb" "$scratch/root"

# The places menus, icon themes and software centres look in, under a prefix.
check_layout() {
    local prefix=$1
    [ -x "$prefix/bin/vantrel" ] || fail "$prefix/bin/vantrel missing or not executable"
    local desktop=$prefix/share/applications/$app_id.desktop
    local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
    [ -f "$desktop" ] || fail "$desktop missing"
    [ -f "$metainfo" ] || fail "$metainfo missing"
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "scalable icon missing"
    local size png actual
    for size in $icon_sizes; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
        if [ ! -f "$png" ]; then
            fail "$png missing"
            continue
        fi
        # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
        actual=$(od -An -tu1 -j16 -N8 "$png" |
            awk '{printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8}')
        [ "$actual" = "${size}x${size}" ] || fail "$png is $actual, not ${size}x${size}"
    done
    [ "$(grep -c '^Exec=vantrel$' "$desktop" 2>/dev/null)" = 1 ] || fail "$desktop does not run vantrel"
    [ "$(grep -c "^Icon=$app_id\$" "$desktop" 2>/dev/null)" = 1 ] || fail "$desktop does not name icon $app_id"
}
check_layout "$scratch/root/usr"

echo "== validators"
desktop=$scratch/root/usr/share/applications/$app_id.desktop
metainfo=$scratch/root/usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# Hints are reported but do not fail the entry; they are still worth a look.
[ -z "$(desktop-file-validate "$desktop")" ] || fail "desktop-file-validate has remarks"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
# The AppStream data points at published copies of the repository's screenshots.
while read -r image; do
    [ -f "$screenshot_dir/$(basename "$image")" ] ||
        fail "screenshot $(basename "$image") is not in $screenshot_dir"
done < <(sed -n 's:.*<image>\(.*\)</image>.*:\1:p' "$metainfo")

echo "== cmake --install into another prefix"
"$cmake" --install "$build_dir" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log" >&2; fail "cmake --install"; }
check_layout "$scratch/prefix"

echo "== starting the unpacked program"
exec 3>"$scratch/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
app_pid=
# Whatever was started is stopped, however the script ends; a process that
# has already gone is no failure.
cleanup() {
    if [ -n "$app_pid" ]; then kill -9 "$app_pid" 2>/dev/null || true; fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$scratch/display")
export XDG_RUNTIME_DIR=$scratch/runtime

# The installed program runs with the system's libraries and plugins only.
# In a sanitizer build, the leak checker ignores what Qt's X11 platform keeps
# to the end (x11_lsan.supp). Qt is built without frame pointers, so only the
# slow unwinder gives the whole allocation stack that the rules match.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0:suppressions=$(cd "$(dirname "$0")/.." && pwd)/x11_lsan.supp
# A subshell of its own waits for the program and records its status, so the
# status cannot be lost to this script reaping other children meanwhile; any
# status, not only 0 (under set -e a failing wait would end the subshell).
(
    QT_QPA_PLATFORM=xcb "$scratch/root/usr/bin/vantrel" >"$scratch/vantrel.log" 2>&1 &
    echo $! >"$scratch/app.pid"
    status=0
    wait $! || status=$?
    echo "$status" >"$scratch/app.status"
) &
for _ in $(seq 50); do
    [ -s "$scratch/app.pid" ] && break
    sleep 0.1
done
app_pid=$(cat "$scratch/app.pid")
if ! "$close_tool" --pid "$app_pid" --timeout 30 >"$scratch/window.txt"; then
    cat "$scratch/vantrel.log" >&2
    fail "the program did not show a window that stayed open"
fi
cat "$scratch/window.txt"

# A program that ignores the close request for 10 s fails.
for _ in $(seq 100); do
    [ -s "$scratch/app.status" ] && break
    sleep 0.1
done
[ -s "$scratch/app.status" ] || fail "the program did not exit within 10 s of its window being closed"
status=$(cat "$scratch/app.status" 2>/dev/null || echo none)
[ "$status" = none ] || app_pid=
if [ "$status" != 0 ]; then
    cat "$scratch/vantrel.log" >&2
    fail "the program exited with status $status after its window was closed"
fi

# The window the user sees is the one the menu entry promises, with the package's icon.
title=$(sed -n 's/^title=//p' "$scratch/window.txt")
menu_name=$(sed -n 's/^Name\[ru\]=//p' "$desktop")
[ -n "$title" ] && [ "$title" = "$menu_name" ] ||
    fail "window title '$title' differs from the menu entry's Russian name '$menu_name'"
# Docks on X11 group the window under the menu entry by its class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ "$(sed -n 's/^class=//p' "$scratch/window.txt")" = "$wm_class,$wm_class" ] ||
    fail "window class differs from the menu entry's StartupWMClass '$wm_class'"
icon=" $(sed -n 's/^icon=//p' "$scratch/window.txt") "
for size in 16 48 64; do
    [[ "$icon" == *" ${size}x${size} "* ]] || fail "window icon lacks the ${size}x${size} image"
done

# A fixed frame: the Motif hints offer neither resizing nor maximising
# (functions 0x2 and 0x10, decorations 0x4 and 0x40) but do offer minimising.
IFS=, read -r _ functions decorations <<<"$(sed -n 's/^motif=//p' "$scratch/window.txt")"
if [ -z "${functions:-}" ]; then
    fail "the window sets no _MOTIF_WM_HINTS"
else
    (( (functions & 0x12) == 0 && (decorations & 0x44) == 0 )) ||
        fail "the window's Motif hints offer resizing or maximising ($functions, $decorations)"
    (( (functions & 0x8) != 0 )) || fail "the window's Motif hints do not offer minimising"
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package test passed"
