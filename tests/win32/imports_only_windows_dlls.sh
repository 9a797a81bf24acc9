#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that Windows does not ship, such
# as the mingw-w64 runtime's libstdc++-6.dll, libgcc_s_seh-1.dll or
# libwinpthread-1.dll. Windows' own DLLs are those in the system32 folder of a
# Wine prefix.
#
#   imports_only_windows_dlls.sh OBJDUMP SYSTEM32_DIR PROGRAM.exe...
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 OBJDUMP SYSTEM32_DIR PROGRAM.exe..." >&2; exit 2; }
objdump=$1
system32=$2
shift 2
[ -d "$system32" ] || { echo "no folder $system32" >&2; exit 2; }

status=0
for program in "$@"; do
    dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$dlls" ]; then
        echo "$program: no imported DLLs found" >&2
        status=1
    fi
    while read -r dll; do
        [ -n "$dll" ] || continue
        if [ -z "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
            echo "$program imports $dll, which Windows does not ship" >&2
            status=1
        fi
    done <<<"$dlls"
    echo "$(basename "$program") imports:" $dlls
done
exit "$status"
