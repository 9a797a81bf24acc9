#!/usr/bin/env bash
# Deploys Vantrel's MSI package as an IT department does, silently, in the
# Windows tests' Wine prefix: install, upgrade, a refused downgrade, a refused
# install and removal while Vantrel runs, and removal; after each step it
# checks the install, the Start-menu shortcut and the entry in the list of
# apps, as Windows Installer left them. The second version to upgrade to is
# packed by a small build of the packages alone (tests/win32/msi/packages/).
#
#   msi_test.sh WINE_RUN STATE_DIR MSI PROGRAM ICON ACTIONS NAME DESCRIPTION WORK_DIR
set -euo pipefail
[ $# -eq 9 ] || {
    echo "usage: $0 WINE_RUN STATE_DIR MSI PROGRAM ICON ACTIONS NAME DESCRIPTION WORK_DIR" >&2
    exit 2
}
wine_run=$1
export VANTREL_WINE_DIR=$2
msi=$3
program=$4
icon=$5
actions=$6
name=$7
description=$8
work=$9
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "MSI test, step $step: $*" >&2
    exit 1
}

prefix=$VANTREL_WINE_DIR/prefix
system32=$prefix/drive_c/windows/system32
install_dir="$prefix/drive_c/Program Files/Vantrel"
# Windows puts a per-machine package's shortcut in the Start menu of all
# users; Wine 8 resolves ProgramMenuFolder to the installing user's whatever
# ALLUSERS says, so the shortcut is looked for in both.
shortcuts=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
           "$prefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$name.lnk")
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
window_title=$description
# Unix exit statuses keep the low 8 bits of a Windows one: 1603
# (ERROR_INSTALL_FAILURE) arrives as 67.
refused=$((1603 % 256))

windows_path() { local path; path=$(realpath "$1"); echo "Z:${path//\//\\}"; }
msiexec() {  # arguments... -> its exit status, a verbose log in $work/msiexec.log
    local status=0
    "$wine_run" "$system32/msiexec.exe" "$@" /l*v "$(windows_path "$work")\\msiexec.log" \
        >/dev/null 2>&1 || status=$?
    echo "$status"
}
property() {  # package name -> the value of that property in the package
    msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"
}

# The registry as the running wineserver holds it, exported by Wine's reg.exe
# (its query output is in the console's code page, which has no Cyrillic):
# "[key]" lines, each followed by its values as "name=data" lines, a string's
# data as it is, a number's in hexadecimal (0x1).
read_reg_file='
import re, sys
text = open(sys.argv[1], encoding="utf-16").read().replace("\\\n  ", "")
for line in text.splitlines():
    if line.startswith("["):
        print(line)
        continue
    m = re.match(r"\"((?:[^\"\\]|\\.)*)\"=(.*)", line)
    if not m:
        continue
    name, data = m.group(1), m.group(2)
    if data.startswith("\""):
        data = re.sub(r"\\(.)", r"\1", data[1:-1])
    elif data.startswith("dword:"):
        data = hex(int(data[6:], 16))
    elif data.startswith("hex(2):"):
        data = bytes(int(b, 16) for b in data[7:].split(",") if b).decode("utf-16-le").rstrip("\0")
    print(name + "=" + data)
'
registry() {  # key -> its values and its subkeys', or a failure when there is no such key
    rm -f "$work/key.reg"
    "$wine_run" "$system32/reg.exe" export "$1" "$(windows_path "$work")\\key.reg" /y \
        >/dev/null 2>&1 || return 1
    python3 -c "$read_reg_file" "$work/key.reg"
}
entry_value() {  # product code, value name -> the data of that value of its uninstall entry
    registry "$uninstall_key\\$1" | sed -n "s/^$2=//p"
}
# The uninstall entries of every version of Vantrel, by product code.
vantrel_entries() {
    registry "$uninstall_key" | awk '
        /^\[/ { key = $0; sub(/^.*\\/, "", key); sub(/\]$/, "", key) }
        $0 == "Publisher=Vantrel developers" { print key }'
}

# Windows programs this test starts in the background, each until it shows a
# window of the given title on the fixture's display.
started=()
titles() {
    DISPLAY=:$(cat "$VANTREL_WINE_DIR/display") xwininfo -root -children |
        sed -n 's/^ *0x[0-9a-f]* "\(.*\)": .*/\1/p'
}
shown() { [[ $'\n'"$(titles)"$'\n' == *$'\n'"$1"$'\n'* ]]; }
gone() { ! shown "$1"; }
within_30s() {
    for _ in $(seq 300); do "$@" && return; sleep 0.1; done
    return 1
}
start() {  # title program [args...]
    "$wine_run" "${@:2}" >/dev/null 2>&1 &
    started+=($!)
    within_30s shown "$1" || fail "${2##*/} showed no window '$1' within 30 s, only: $(titles | paste -sd '|')"
}
stop_started() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
    started=()
}

# Wine reports to a program the Windows version set for it.
version_key='HKCU\Software\Wine\AppDefaults\msiexec.exe'
windows_version() {  # vista | win7 | default
    if [ "$1" = default ]; then
        "$wine_run" "$system32/reg.exe" delete "$version_key" /f >/dev/null 2>&1 || true
    else
        "$wine_run" "$system32/reg.exe" add "$version_key" /v Version /d "$1" /f >/dev/null
    fi
}

# Whatever an interrupted run left installed goes first, with its shortcut.
cleanup() {
    stop_started
    windows_version default
    for code in $(vantrel_entries 2>/dev/null); do msiexec /x "$code" /qn >/dev/null; done
}
trap cleanup EXIT
step=setup
rm -rf "$work" && mkdir -p "$work"
cleanup

# The second version: the next patch version, its Vantrel.exe this one with
# bytes appended, which Windows ignores: another file with the same file
# version, as a rebuilt program has, which an upgrade must install all the same.
IFS=. read -r major minor patch <<<"$(property "$msi" ProductVersion)"
newer_version=$major.$minor.$((patch + 1))
newer_program=$work/Vantrel.exe
{ cat "$program"; echo "Vantrel $newer_version"; } >"$newer_program"
cmake -S "$here/packages" -B "$work/packages" -G Ninja -DVANTREL_VERSION="$newer_version" \
    -DVANTREL_PACKAGE_PROGRAM="$newer_program" -DVANTREL_PACKAGE_ICON="$icon" \
    -DVANTREL_PACKAGE_MSI_ACTIONS="$actions" >"$work/packages.log" 2>&1 &&
    cmake --build "$work/packages" --target vantrel_msi >>"$work/packages.log" 2>&1 ||
    fail "could not build version $newer_version; see $work/packages.log"
newer_msi=$work/packages/windows/Vantrel-$newer_version-x64.msi
code=$(property "$msi" ProductCode)
newer_code=$(property "$newer_msi" ProductCode)
[ "$code" != "$newer_code" ] || fail "both versions have the product code $code"

# Windows Installer's registration of a product, under its code with each
# group of hexadecimal digits reversed, as it keeps it.
registration() {  # product code -> the registration's key
    python3 -c 'import sys; g=sys.argv[1].strip("{}").replace("-", ""); print("HKLM\\Software\\Classes\\Installer\\Products\\" + g[7::-1] + g[11:7:-1] + g[15:11:-1] + "".join(g[i+1] + g[i] for i in range(16, 32, 2)))' "$1"
}

# What every step ends with: the version installed (none: nothing of it left).
installed_shortcut() {
    for shortcut in "${shortcuts[@]}"; do [ ! -f "$shortcut" ] || echo "$shortcut"; done
}
check_installed() {  # version product_code program | none
    local version=$1 product=${2:-} built=${3:-}
    if [ "$version" = none ]; then
        [ ! -e "$install_dir" ] || fail "left $(cd "$install_dir" && find . -mindepth 1 | paste -sd ' ')"
        [ -z "$(installed_shortcut)" ] || fail "left the shortcut $(installed_shortcut)"
        [ -z "$(vantrel_entries)" ] || fail "left the uninstall entries $(vantrel_entries | paste -sd ' ')"
        for product in "$code" "$newer_code"; do
            ! registry "$(registration "$product")" >/dev/null || fail "left the registration of $product"
        done
        return
    fi
    [ "$(cd "$install_dir" 2>/dev/null && find . -mindepth 1)" = ./Vantrel.exe ] ||
        fail "C:\\Program Files\\Vantrel holds '$(cd "$install_dir" 2>/dev/null && find . -mindepth 1)'"
    cmp -s "$install_dir/Vantrel.exe" "$built" || fail "the installed Vantrel.exe is not the one of $version"
    [ "$(vantrel_entries)" = "$product" ] || fail "uninstall entries '$(vantrel_entries | paste -sd ' ')', expected $product"
    [ "$(entry_value "$product" DisplayVersion)" = "$version" ] || fail "the entry's version is not $version"
    [ "$(installed_shortcut | wc -l)" = 1 ] || fail "shortcuts: '$(installed_shortcut)'"
}

has_utf16() { python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$@"; }

step_texts() {  # the package's texts, read back: code page, Russian names, per machine
    # (Whole outputs are matched: grep -q would end a pipe early.)
    [[ "$(msiinfo export "$msi" _ForceCodepage)" == *$'\n1251\t_ForceCodepage'* ]] ||
        fail "the package's code page is not 1251"
    [ "$(property "$msi" ProductName)" = "$name" ] || fail "ProductName is '$(property "$msi" ProductName)'"
    [ "$(property "$msi" ALLUSERS)" = 1 ] || fail "the package is not per machine"
    local shortcut
    shortcut=$(msiinfo export "$msi" Shortcut | tr -d '\r' | grep '^StartMenuShortcut	')
    [[ "$shortcut" == *$'\t'"VANTREL|$name"$'\t'*$'\t[#VantrelExe]\t\t'"$description"$'\t'* ]] ||
        fail "the shortcut row is '$shortcut'"
    local conditions
    conditions=$(msiinfo export "$msi" LaunchCondition)
    [[ "$conditions" == *"NOT WIX_DOWNGRADE_DETECTED"$'\t'"На этом компьютере установлена более новая версия"* ]] ||
        fail "the downgrade message is not the Russian one"
    [[ "$conditions" == *$'\t'"$name работает на Windows 7 с пакетом обновления 1 (SP1)"* ]] ||
        fail "the message for an older Windows is not the Russian one"
}
step_old_windows() {  # Windows Vista, the newest before 7 SP1, is refused; nothing installed
    windows_version vista
    status=$(msiexec /i "$(windows_path "$msi")" /qn)
    windows_version default
    [ "$status" = $refused ] || fail "the silent install on Vista ended with status $status"
    check_installed none
}
step_install() {  # msiexec /i … /qn, on Windows 7 SP1
    windows_version win7
    status=$(msiexec /i "$(windows_path "$msi")" /qn)
    windows_version default
    [ "$status" = 0 ] || fail "the silent install ended with status $status"
    check_installed "$(property "$msi" ProductVersion)" "$code" "$program"
}
step_entries() {  # the shortcut and the uninstall entry, with their Russian texts
    local shortcut
    shortcut=$(installed_shortcut)
    has_utf16 "$shortcut" "$description" || fail "the shortcut's description is not '$description'"
    has_utf16 "$shortcut" 'Program Files\Vantrel\Vantrel.exe' ||
        [[ "$(strings "$shortcut")" == *'C:\Program Files\Vantrel\Vantrel.exe'* ]] ||
        fail "the shortcut does not start Vantrel.exe"
    declare -A expected=(
        [DisplayName]=$name
        [Publisher]="Vantrel developers"
        [InstallLocation]='C:\Program Files\Vantrel\'
        [UninstallString]="MsiExec.exe /X$code"
        [NoModify]=0x1
        [NoRepair]=0x1
    )
    for value in "${!expected[@]}"; do
        actual=$(entry_value "$code" "$value")
        [ "$actual" = "${expected[$value]}" ] || fail "$value is '$actual', expected '${expected[$value]}'"
    done
    # The list of apps shows the product's icon, which Windows Installer
    # keeps in its own folder, named in the product's registration.
    local icon_path
    icon_path=$(registry "$(registration "$code")" | sed -n 's/^ProductIcon=//p')
    [[ "$icon_path" == 'C:\windows\Installer\'* ]] || fail "the product's icon is '$icon_path'"
    icon_path=${icon_path#C:\\windows\\}
    cmp -s "$prefix/drive_c/windows/${icon_path//\\//}" "$icon" || fail "the product's icon is not vantrel.ico"
}
step_runs() {  # the installed program opens its window
    start "$window_title" "$install_dir/Vantrel.exe"
    stop_started
    within_30s gone "$window_title" || fail "Vantrel's window stayed"
}
step_running() {  # while the installed Vantrel runs, an upgrade and a removal refuse and change nothing
    start "$window_title" "$install_dir/Vantrel.exe"
    # With a user interface, the package asks to close Vantrel and retry,
    # or to cancel, in Windows Installer's box, before anything changes.
    start "Windows Installer" "$system32/msiexec.exe" /i "$(windows_path "$newer_msi")"
    local asking=${started[-1]}
    unset 'started[-1]'
    kill "$asking" 2>/dev/null || true
    wait "$asking" 2>/dev/null || true
    within_30s gone "Windows Installer" || fail "Windows Installer's box stayed"
    check_installed "$(property "$msi" ProductVersion)" "$code" "$program"
    status=$(msiexec /i "$(windows_path "$newer_msi")" /qn)
    [ "$status" = $refused ] || fail "the upgrade over a running Vantrel ended with status $status"
    check_installed "$(property "$msi" ProductVersion)" "$code" "$program"
    status=$(msiexec /x "$code" /qn)
    [ "$status" = $refused ] || fail "the removal of a running Vantrel ended with status $status"
    check_installed "$(property "$msi" ProductVersion)" "$code" "$program"
    grep -aq WaitForVantrelToClose "$work/msiexec.log" || fail "the log names no refusal"
    shown "$window_title" || fail "Vantrel stopped running"
    stop_started
    within_30s gone "$window_title" || fail "Vantrel's window stayed"
}
step_upgrade() {  # the next version replaces this one in place: one entry
    status=$(msiexec /i "$(windows_path "$newer_msi")" /qn)
    [ "$status" = 0 ] || fail "the silent upgrade to $newer_version ended with status $status"
    check_installed "$newer_version" "$newer_code" "$newer_program"
}
step_downgrade() {  # the older version is refused and changes nothing
    status=$(msiexec /i "$(windows_path "$msi")" /qn)
    [ "$status" = $refused ] || fail "the silent downgrade ended with status $status"
    check_installed "$newer_version" "$newer_code" "$newer_program"
}
step_uninstall() {  # msiexec /x {ProductCode} /qn: everything gone
    status=$(msiexec /x "$newer_code" /qn)
    [ "$status" = 0 ] || fail "the silent removal ended with status $status"
    check_installed none
}

steps=(texts old_windows install entries runs running upgrade downgrade uninstall)
for step in "${steps[@]}"; do
    "step_$step"
done
echo "deployed, upgraded and removed $(basename "$msi") through ${#steps[@]} steps"
