#!/usr/bin/env bash
# Checks a Windows image: its object format (pei-x86-64 or pei-i386) and that it imports
# only DLLs that come with Windows (the C++ runtime and pthreads must be linked in); with
# --large-address-aware, that the image may use more than 2 GB of address space.
#   check-image.sh OBJDUMP FORMAT IMAGE [--large-address-aware]
set -euo pipefail
objdump=$1 format=$2 image=$3 address_check=${4:-}
header=$("$objdump" -f "$image")
grep -q "file format $format" <<<"$header" || { echo "$image: expected $format, got:"; echo "$header"; exit 1; }
headers=$("$objdump" -p "$image")
if [ "$address_check" = --large-address-aware ] && ! grep -q "large address aware" <<<"$headers"; then
  echo "$image: not large-address aware"; exit 1
fi
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|winspool\.drv|advapi32|msvcrt|ole32|oleaut32|msimg32|shlwapi|uuid|ws2_32|version|api-ms-win-[a-z0-9-]+)(\.dll)?$'
bad=$(grep -vE "$allowed" <<<"$dlls" || true)
if [ -n "$bad" ]; then echo "$image imports non-system DLLs:"; echo "$bad"; exit 1; fi
echo "$image: $format, imports: $(tr '\n' ' ' <<<"$dlls")"
