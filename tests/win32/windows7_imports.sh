#!/usr/bin/env bash
# Fails unless a Windows program can be loaded by Windows 7 SP1: Windows
# refuses to start a program that imports a function its DLLs lack ("entry
# point not found") before a line of the program runs.
#
# Every function the program imports from a Windows DLL must be declared by
# mingw-w64's headers with _WIN32_WINNT and WINVER at 0x0601: the headers hide
# each function behind the version of Windows that brought it. The C runtime
# must be msvcrt.dll, which every Windows has, not the Universal CRT
# (ucrtbase.dll, api-ms-win-crt-*) that Windows 7 lacks without an update,
# and nothing may come from shcore.dll (Windows 8.1) or an API set.
#
# The functions the program delay-loads count as imports too: they are not in
# its import table, so they are read from its link map, where the linker
# names the delay-load library member it took for each.
#
#   windows7_imports.sh OBJDUMP CXX PROGRAM.exe [LINK.map]
set -euo pipefail
[ $# -eq 3 ] || [ $# -eq 4 ] || { echo "usage: $0 OBJDUMP CXX PROGRAM.exe [LINK.map]" >&2; exit 2; }
objdump=$1
cxx=$2
program=$3
map=${4:-}
# Beside the program in the build tree: the tests write nothing to /tmp.
work=${program%.*}.windows7-imports
rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# "DLL function" per import, from objdump's listing of the import table.
"$objdump" -p "$program" | awk '
    /^[[:space:]]*DLL Name:/ { dll = $3; next }
    dll != "" && /^[[:space:]]*$/ { dll = ""; next }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 && $3 !~ /^</ { print dll, $3 }
' >"$work/imports"
[ -s "$work/imports" ] || { echo "$program: no imports found" >&2; exit 1; }
if [ -n "$map" ]; then
    # "lib<dll>_delay.a(member)" and, on the next line, the symbol it gave:
    # "(__imp_<function>)", or "(<function>)" where no header asked for the
    # import by name; the library's own helpers start with "__".
    awk 'dll != "" { if (match($0, /\([A-Za-z_][A-Za-z0-9_@]*\)$/)) {
                         name = substr($0, RSTART + 1, RLENGTH - 2); sub(/^__imp_/, "", name)
                         if (name !~ /^__/) print dll, name }
                     dll = "" }
         match($0, /lib[A-Za-z0-9_]+_delay\.a\(/) { dll = substr($0, RSTART + 3, RLENGTH - 12) ".dll" }' \
        "$map" | sort -u >"$work/delayed"
    [ -s "$work/delayed" ] || { echo "$map names no delay-loaded function" >&2; exit 1; }
    cat "$work/delayed" >>"$work/imports"
fi

status=0
dlls=$(cut -d' ' -f1 "$work/imports" | sort -uf)
for dll in $dlls; do
    case "${dll,,}" in
    api-ms-win-* | ucrtbase.dll | shcore.dll)
        echo "$program imports $dll, which Windows 7 does not have" >&2
        status=1
        ;;
    esac
done
grep -qix msvcrt.dll <<<"$dlls" || { echo "$program does not use msvcrt.dll as its C runtime" >&2; status=1; }

# One line that takes the address of each imported Windows function, compiled
# against the Windows 7 API: a function that came later is not declared.
{
    echo '#include <windows.h>'
    echo '#include <commctrl.h>'
    echo '#include <excpt.h>'
    echo '#include <imm.h>'
    echo '#include <objbase.h>'
    echo '#include <oleacc.h>'
    echo '#include <uxtheme.h>'
    grep -iv '^msvcrt.dll ' "$work/imports" | awk '{ printf "auto* use_%d = &%s;  // %s\n", NR, $2, $1 }'
} >"$work/imports.cpp"
if ! LC_ALL=C "$cxx" -fsyntax-only -std=c++20 -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DUNICODE \
    "$work/imports.cpp" 2>"$work/errors"; then
    missing=$(sed -n "s/.*error: '\([A-Za-z_0-9]*\)' was not declared.*/\1/p" "$work/errors" | sort -u)
    [ -n "$missing" ] || { cat "$work/errors" >&2; status=1; }
    for function in $missing; do
        echo "$program imports $(grep -m1 " $function\$" "$work/imports" | cut -d' ' -f1)!$function," \
            "which Windows 7 SP1 does not have" >&2
        status=1
    done
fi
echo "$(basename "$program"): $(wc -l <"$work/imports") imported functions from" $dlls \
    "${map:+(delay-loaded: $(cut -d' ' -f1 "$work/delayed" | sort -u | tr '\n' ' '))}"
exit "$status"
