#!/usr/bin/env bash
# Installs Vantrel with its installer, silently, in the Windows tests' Wine
# prefix, checks what a user gets (the program, the Start-menu shortcut, the
# entry in the list of installed apps), uninstalls it the way that entry's
# QuietUninstallString does, in place, and checks that everything is gone.
# Also checks that the portable zip holds the very program that was built.
#
#   installer_test.sh WINE_RUN STATE_DIR INSTALLER ZIP PROGRAM VERSION
set -euo pipefail
[ $# -eq 6 ] || { echo "usage: $0 WINE_RUN STATE_DIR INSTALLER ZIP PROGRAM VERSION" >&2; exit 2; }
wine_run=$1
export VANTREL_WINE_DIR=$2
installer=$3
zip=$4
program=$5
version=$6

fail() {
    echo "installer test: $*" >&2
    exit 1
}

prefix=$VANTREL_WINE_DIR/prefix
profile=$prefix/drive_c/users/$(id -un)
install_dir=$profile/AppData/Local/Programs/Vantrel
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vantrel.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'

# Wine's reg.exe asks the running wineserver, which holds the registry as the
# programs left it, so nothing waits for the registry files to be written
# (`wineserver -w` would wait for the server to end, which the tests'
# persistent server does only when the fixture stops it). It writes \r\n
# line ends.
registry() {
    "$wine_run" "$prefix/drive_c/windows/system32/reg.exe" query "$key" "$@" | tr -d '\r'
}
value() {  # name -> the value's data
    registry /v "$1" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# The zip: Vantrel.exe alone, at its top, byte for byte the program built.
unpacked=$VANTREL_WINE_DIR/zip-test
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
[ "$(cd "$unpacked" && find . -type f)" = ./Vantrel.exe ] || fail "the zip holds $(cd "$unpacked" && find . -type f)"
cmp -s "$unpacked/Vantrel.exe" "$program" || fail "the zip's Vantrel.exe is not the program built"
rm -rf "$unpacked"

# A stale install from an interrupted run would hide what this one does.
rm -rf "$install_dir" "$shortcut"
"$wine_run" "$installer" /S || fail "the silent install failed with status $?"

cmp -s "$install_dir/Vantrel.exe" "$program" || fail "no Vantrel.exe, as built, in $install_dir"
[ -f "$install_dir/Uninstall.exe" ] || fail "no uninstaller in $install_dir"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
strings -e l "$shortcut" | grep -q 'Vantrel\\Vantrel.exe$' || fail "the shortcut does not start Vantrel.exe"

location=$(value InstallLocation)
[[ "$location" == *'\AppData\Local\Programs\Vantrel' ]] || fail "installed into $location"
declare -A expected=(
    [DisplayName]=Vantrel
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
