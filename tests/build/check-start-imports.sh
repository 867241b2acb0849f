#!/usr/bin/env bash
# Checks that a Windows image does not load the given DLLs when it starts: none of them may be
# in its import table (a delay-loaded DLL is loaded by its first call instead).
#   check-start-imports.sh OBJDUMP IMAGE DLL...
set -euo pipefail
objdump=$1 image=$2; shift 2
dlls=$("$objdump" -p "$image" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
failures=0
for dll in "$@"; do
  if grep -qxF "$(tr 'A-Z' 'a-z' <<<"$dll")" <<<"$dlls"; then
    echo "FAIL: $image loads $dll at start"; failures=$((failures + 1))
  fi
done
echo "$(basename "$image") imports at start: $(tr '\n' ' ' <<<"$dlls")"
[ "$failures" -eq 0 ]
