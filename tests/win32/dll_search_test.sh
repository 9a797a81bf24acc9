#!/usr/bin/env bash
# Vantrel.exe loads no DLL from its own folder. DLLs named like common Windows
# DLLs are planted beside a copy of it, and Wine is told to prefer such
# "native" DLLs to its own, as Windows would find them first in the program's
# folder; the window must open, and no planted DLL may be mapped into it.
#
#   dll_search_test.sh WINE_RUN STATE_DIR PROGRAM PLANTED_DLL [NAME...]
#
# NAMEs are further DLLs to plant.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 WINE_RUN STATE_DIR PROGRAM PLANTED_DLL [NAME...]" >&2; exit 2; }
wine_run=$1
state=$2
program=$3
planted=$4
shift 4
title='Вантрел едениц измерения'
# Not KnownDLLs (kernel32, user32, gdi32, ole32, imm32, msvcrt...), which
# Windows loads from System32 whatever the folder holds and Wine does not. Nor
# msimg32: Wine's own uxtheme delay-loads it by plain name past the
# program's search restriction, which Windows' delay loads keep to; where
# the program closes DLL search DLL by DLL, it has loaded msimg32 by then and
# the test plants it too.
names=(version uxtheme dwmapi oleacc winmm comctl32 "$@")

folder=$state/planted-dlls-$(basename "$program" .exe)
rm -rf "$folder" && mkdir -p "$folder"
cp "$program" "$folder/Vantrel.exe"
overrides=
for name in "${names[@]}"; do
    cp "$planted" "$folder/$name.dll"
    overrides+="${overrides:+;}$name=n,b"
done

# "/proc/PID/maps:FILE" for each file of the folder a process maps; a
# process may end while it is read.
mapped() { { grep -s -o "$folder/[^ ]*" /proc/[0-9]*/maps || true; } | sort -u; }
stop() {
    local pids
    pids=$(mapped | cut -d/ -f3 | sort -u)
    [ -z "$pids" ] || kill $pids 2>/dev/null || true
    for _ in $(seq 50); do
        [ -n "$(mapped)" ] || break
        sleep 0.1
    done
}
trap stop EXIT

# Its output closed, so that the test's own output ends with the test.
VANTREL_WINE_DIR=$state VANTREL_WINE_DLLOVERRIDES=$overrides "$wine_run" "$folder/Vantrel.exe" \
    </dev/null >/dev/null 2>&1 &
opened=
for _ in $(seq 150); do
    if mapped | grep -q '/Vantrel.exe$' &&
        DISPLAY=:$(cat "$state/display") xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; then
        opened=1
        break
    fi
    sleep 0.1
done
loaded=$(mapped | sed "s|^/proc/[0-9]*/maps:||" | { grep -v '/Vantrel.exe$' || true; })
status=0
if [ -z "$opened" ]; then
    echo "the window did not open with DLLs planted beside Vantrel.exe" >&2
    status=1
fi
if [ -n "$loaded" ]; then
    echo "Vantrel.exe loaded planted DLLs:" $loaded >&2
    status=1
fi
[ "$status" -ne 0 ] || echo "the window opened; none of ${names[*]} was loaded from its folder"
exit "$status"
