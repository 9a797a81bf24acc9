#!/usr/bin/env bash
# Fails unless a Windows program is what ships: a GUI program (no console
# window opens with it), stripped of debugging sections, and no larger than
# the limit.
#
#   gui_program_image.sh OBJDUMP PROGRAM.exe MAX_BYTES
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 OBJDUMP PROGRAM.exe MAX_BYTES" >&2; exit 2; }
objdump=$1
program=$2
limit=$3

status=0
subsystem=$("$objdump" -p "$program" | sed -n 's/^Subsystem[[:space:]]*//p')
if [[ "$subsystem" != 00000002* ]]; then
    echo "$program is not a GUI program (subsystem $subsystem)" >&2
    status=1
fi
if "$objdump" -h "$program" | grep -q '\.debug_'; then
    echo "$program is not stripped" >&2
    status=1
fi
size=$(stat -c %s "$program")
if [ "$size" -gt "$limit" ]; then
    echo "$program is $size bytes, more than $limit" >&2
    status=1
fi
echo "$(basename "$program"): subsystem $subsystem, $size bytes"
exit "$status"
