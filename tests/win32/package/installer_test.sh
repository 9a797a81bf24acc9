#!/usr/bin/env bash
# Installs Vantrel with its installer, silently, in the Windows tests' Wine
# prefix, checks what a user gets (the program, the Start-menu shortcut, the
# entry in the list of installed apps), uninstalls it the way that entry's
# QuietUninstallString does, in place, and checks that everything is gone.
# Before that, it checks that neither the installer nor the uninstaller
# changes anything while Vantrel runs or a file of the install is in use, nor
# installs on a Windows older than 7 SP1, and that each then exits non-zero.
# Also checks that the portable zip holds the very program that was built.
#
#   installer_test.sh WINE_RUN STATE_DIR INSTALLER ZIP PROGRAM VERSION RUNNING_MARK
set -euo pipefail
[ $# -eq 7 ] || {
    echo "usage: $0 WINE_RUN STATE_DIR INSTALLER ZIP PROGRAM VERSION RUNNING_MARK" >&2
    exit 2
}
wine_run=$1
export VANTREL_WINE_DIR=$2
installer=$3
zip=$4
program=$5
version=$6
running_mark=$7

fail() {
    echo "installer test: $*" >&2
    exit 1
}

prefix=$VANTREL_WINE_DIR/prefix
profile=$prefix/drive_c/users/$(id -un)
install_dir=$profile/AppData/Local/Programs/Vantrel
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Вантрел.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'

# Wine's reg.exe asks the running wineserver, which holds the registry as the
# programs left it, so nothing waits for the registry files to be written
# (`wineserver -w` would wait for the server to end, which the tests'
# persistent server does only when the fixture stops it). It writes \r\n
# line ends.
reg_exe=$prefix/drive_c/windows/system32/reg.exe
registry() {
    "$wine_run" "$reg_exe" query "$key" "$@" | tr -d '\r'
}
value() {  # name -> the value's data
    registry /v "$1" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
# reg.exe's query output is in the console's code page, which has no
# Cyrillic; its export is in UTF-16.
exported_value() {  # name -> the value's data, as a "name"="data" line of the key's export
    rm -f "$VANTREL_WINE_DIR/key.reg"
    "$wine_run" "$reg_exe" export "$key" "Z:${VANTREL_WINE_DIR//\//\\}\\key.reg" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$VANTREL_WINE_DIR/key.reg" | tr -d '\r' | grep "^\"$1\"="
    rm -f "$VANTREL_WINE_DIR/key.reg"
}

# Windows programs this test starts in the background, each until it shows a
# window of the given title on the fixture's display. The test stops them all
# however it ends, and puts back the Windows version Wine reports.
started=()
titles() {  # of the windows on the display, one a line
    DISPLAY=:$(cat "$VANTREL_WINE_DIR/display") xwininfo -root -children |
        sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'
}
shown() { titles | grep -Fx "$1" >/dev/null; }
gone() { ! shown "$1"; }
within_30s() {
    for _ in $(seq 300); do "$@" && return; sleep 0.1; done
    return 1
}
start() {  # title program [args...]
    "$wine_run" "${@:2}" >/dev/null 2>&1 &
    started+=($!)
    within_30s shown "$1" ||
        fail "${2##*/} showed no window '$1' within 30 s, only: $(titles | paste -sd '|')"
}
status_of() {  # program [args...] -> its exit status
    local status=0
    "$wine_run" "$@" >/dev/null || status=$?
    echo "$status"
}
stop_started() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
    started=()
}
stop_last() {
    kill "${started[-1]}" 2>/dev/null || true
    wait "${started[-1]}" 2>/dev/null || true
    unset 'started[-1]'
}
version_key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$installer")"
trap 'stop_started; "$wine_run" "$reg_exe" delete "$version_key" /f >/dev/null 2>&1 || true' EXIT

# The zip: Vantrel.exe alone, at its top, byte for byte the program built.
unpacked=$VANTREL_WINE_DIR/zip-test
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
[ "$(cd "$unpacked" && find . -type f)" = ./Vantrel.exe ] || fail "the zip holds $(cd "$unpacked" && find . -type f)"
cmp -s "$unpacked/Vantrel.exe" "$program" || fail "the zip's Vantrel.exe is not the program built"
rm -rf "$unpacked"

# A stale install from an interrupted run would hide what this one does.
rm -rf "$install_dir" "$shortcut"
# Versions up to 1.0.0 named the shortcut Vantrel; an install replaces it.
old_shortcut=$(dirname "$shortcut")/Vantrel.lnk
mkdir -p "$(dirname "$shortcut")" && : >"$old_shortcut"
# Wine reports the Windows version set for a program: the installer refuses
# Vista, the newest Windows before 7 SP1, and installs on 7 SP1.
for case in vista:2 win7:0; do
    "$wine_run" "$reg_exe" add "$version_key" /v Version /d "${case%:*}" /f >/dev/null
    status=$(status_of "$installer" /S)
    [ "$status" = "${case#*:}" ] || fail "the silent install on $case ended with status $status"
    [ "$status" = 0 ] || [ ! -e "$install_dir" ] || fail "the refused install on $case wrote files"
done
[ -d "$install_dir" ] || fail "nothing installed"

cmp -s "$install_dir/Vantrel.exe" "$program" || fail "no Vantrel.exe, as built, in $install_dir"
[ -f "$install_dir/Uninstall.exe" ] || fail "no uninstaller in $install_dir"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ ! -e "$old_shortcut" ] || fail "the install kept the shortcut named Vantrel"
strings -e l "$shortcut" | grep -q 'Vantrel\\Vantrel.exe$' || fail "the shortcut does not start Vantrel.exe"

location=$(value InstallLocation)
[[ "$location" == *'\AppData\Local\Programs\Vantrel' ]] || fail "installed into $location"
[ "$(exported_value DisplayName)" = '"DisplayName"="Вантрел"' ] ||
    fail "DisplayName is $(exported_value DisplayName), expected Вантрел"
declare -A expected=(
    [DisplayIcon]="$location\\Vantrel.exe,0"
    [DisplayVersion]=$version
    [Publisher]="Vantrel developers"
    [UninstallString]="\"$location\\Uninstall.exe\""
    [QuietUninstallString]="\"$location\\Uninstall.exe\" /S"
    [NoModify]=0x1
    [NoRepair]=0x1
)
for name in "${!expected[@]}"; do
    actual=$(value "$name")
    [ "$actual" = "${expected[$name]}" ] || fail "$name is '$actual', expected '${expected[$name]}'"
done
size_kb=$(($(value EstimatedSize)))
installed_kb=$(du -sk --apparent-size "$install_dir" | cut -f1)
((size_kb > 0 && size_kb <= installed_kb + 8)) ||
    fail "EstimatedSize $size_kb KiB for $installed_kb KiB installed"

# After a refusal: fails naming whatever of the install is gone or changed.
# The uninstaller, its entry and the shortcut let the user uninstall again.
check_kept() {  # after what [program]
    local lost=
    [ -f "$install_dir/Uninstall.exe" ] || lost+=" Uninstall.exe"
    [ -f "$shortcut" ] || lost+=" the shortcut"
    entry=$(value UninstallString)
    [ "$entry" = "\"$location\\Uninstall.exe\"" ] || lost+=" the entry ('$entry')"
    [ -z "${2:-}" ] || cmp -s "$install_dir/Vantrel.exe" "$2" || lost+=" Vantrel.exe"
    [ -z "$lost" ] || fail "$1 changed the install:$lost"
}

# While Vantrel runs, Windows keeps its files: neither the installer nor the
# uninstaller may touch the install. The installer asks the user to close it
# before its first page (its message box bears its bare caption); silently,
# both give up with status 2.
program_title="Вантрел едениц измерения"
start "$program_title" "$install_dir/Vantrel.exe"
start "$program_title $version" "$installer"
status=$(status_of "$install_dir/Uninstall.exe" /S "_?=$location")
[ "$status" = 2 ] || fail "the uninstall under a running Vantrel ended with status $status"
check_kept "the refused uninstall" "$program"
status=$(status_of "$installer" /S)
[ "$status" = 2 ] || fail "the install over a running Vantrel ended with status $status"
check_kept "the refused install" "$program"
kill -0 "${started[0]}" && shown "$program_title" || fail "Vantrel stopped running"
stop_started
within_30s gone "$program_title" || fail "Vantrel's window stayed"

# The mark alone, held by a program that keeps no file of the install, so
# that nothing but the uninstaller's and the installer's own checks can stop
# them. The uninstaller's first: before its first page, it asks to close
# Vantrel; silently, both give up.
mark='D:(A;;0x00100001;;;WD)'  # as Vantrel makes it: everyone may wait on it
start "Vantrel running mark" "$running_mark" "$mark"
start "Удаление Вантрел" "$install_dir/Uninstall.exe" "_?=$location"
shown "Удаление Вантрел: Подтверждение" && fail "the uninstaller showed its page under the mark"
stop_last
status=$(status_of "$install_dir/Uninstall.exe" /S "_?=$location")
[ "$status" = 2 ] || fail "the uninstall under the mark ended with status $status"
check_kept "the uninstall under the mark" "$program"
status=$(status_of "$installer" /S)
[ "$status" = 2 ] || fail "the install under the mark ended with status $status"
stop_started
# Vantrel started while the uninstaller's confirmation page waits, then
# Uninstall pressed: the uninstaller looks again and asks to close it.
start "Удаление Вантрел: Подтверждение" "$install_dir/Uninstall.exe" "_?=$location"
start "Удаление Вантрел" "$running_mark" "$mark" "Удаление Вантрел: Подтверждение"
stop_started
check_kept "the uninstall once Vantrel had started" "$program"

# A file of the install in use by another program (here the uninstaller
# itself, waiting on its first page) stops an uninstall run from a copy, as
# an uninstaller started from the list of apps runs: the uninstaller and its
# entry stay, so the user can close that program and try again.
start "Удаление Вантрел: Подтверждение" "$install_dir/Uninstall.exe" "_?=$location"
cp "$install_dir/Uninstall.exe" "$VANTREL_WINE_DIR/uninstall-copy.exe"
status=$(status_of "$VANTREL_WINE_DIR/uninstall-copy.exe" /S "_?=$location")
[ "$status" = 2 ] || fail "the uninstall with Uninstall.exe in use ended with status $status"
rm "$VANTREL_WINE_DIR/uninstall-copy.exe"
check_kept "the failed uninstall"
stop_started

# In place (_?=), as a silent uninstall from a script runs it: wine returns
# when the uninstaller ends. Running in place, it cannot delete its own .exe,
# which is all it may leave.
"$wine_run" "$install_dir/Uninstall.exe" /S "_?=$location" || fail "the silent uninstall failed"
[ ! -e "$install_dir/Vantrel.exe" ] || fail "the uninstall left Vantrel.exe"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu shortcut"
if registry >/dev/null 2>&1; then
    fail "the uninstall left the uninstall entry"
fi
left=$(cd "$install_dir" && find . -mindepth 1)
[ "$left" = ./Uninstall.exe ] || fail "the uninstall left $left"
rm -rf "$install_dir"
echo "installed, checked and uninstalled $(basename "$installer")"
