#!/usr/bin/env bash
# Finishes the MSI package that wixl built from vantrel.wxs, with msibuild:
# wixl writes every text that is not ASCII as an empty string, whatever code
# page it is given, so this sets the package's code page to Windows-1251 and
# writes the Russian texts in place of the stand-ins. It also changes two
# things wixl cannot express:
# - the Start-menu shortcut starts Vantrel.exe itself (wixl makes an
#   advertised shortcut, which goes through Windows Installer at every start
#   and may set off a repair);
# - a major upgrade removes the older version before it installs the newer
#   (wixl schedules the removal after the install, which keeps a file only by
#   comparing file versions, and every version of Vantrel.exe has the same
#   file version for Windows Installer's purposes until its version changes).
#
#   finish_msi.sh WIXL_OUTPUT MSI NAME DESCRIPTION
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 WIXL_OUTPUT MSI NAME DESCRIPTION" >&2; exit 2; }
raw=$1
msi=$2
name=$3
description=$4
old_windows="$name работает на Windows 7 с пакетом обновления 1 (SP1) и более новых версиях Windows. На этом компьютере его установить нельзя."
downgrade="На этом компьютере установлена более новая версия: $name не установлен. Чтобы установить эту версию, сначала удалите установленную."

# msibuild takes the texts in UTF-8 and stores them in the package's code
# page; a quote would end an SQL string.
for text in "$name" "$description"; do
    [[ "$text" != *"'"* ]] || { echo "finish_msi.sh: a text holds a quote: $text" >&2; exit 2; }
    iconv -f UTF-8 -t CP1251 <<<"$text" >/dev/null ||
        { echo "finish_msi.sh: Windows-1251 cannot hold $text" >&2; exit 2; }
done

work=$msi.tmp
rm -rf "$work" && mkdir "$work"
cp "$raw" "$work/package.msi"
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
(cd "$work" && msibuild package.msi -i _ForceCodepage.idt \
    -q "UPDATE Property SET Value = '$name' WHERE Property = 'ProductName'" \
    -q "UPDATE Shortcut SET Name = 'VANTREL|$name', Description = '$description', Target = '[#VantrelExe]' WHERE Shortcut = 'StartMenuShortcut'" \
    -q "UPDATE LaunchCondition SET Description = '$downgrade' WHERE Condition = 'NOT WIX_DOWNGRADE_DETECTED'" \
    -q "UPDATE LaunchCondition SET Description = '$old_windows' WHERE Description = 'Windows 7 SP1 or later'" \
    -q "UPDATE InstallExecuteSequence SET Sequence = 1401 WHERE Action = 'RemoveExistingProducts'")
mv "$work/package.msi" "$msi"
rm -rf "$work"
