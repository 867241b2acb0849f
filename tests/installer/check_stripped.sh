#!/usr/bin/env bash
# Checks the program copies that go into the installer: no symbols or debugging sections left,
# and Ormind.exe itself at most 2.75 MB. The program is about 2.6 MB: 0.73 MB of code (built for
# size, unused sections dropped) and 1.5 MB of resources (the faces and buttons as PNG files at
# four display scales, the card's background a JPEG); the budget catches growth beyond that.
#   check_stripped.sh OBJDUMP PROGRAM.exe...
set -uo pipefail
objdump=$1; shift
limit=$((11 * 1024 * 1024 / 4)) failures=0
for image in "$@"; do
  sections=$("$objdump" -h "$image" | awk '$2 ~ /^\./ {print $2}' | grep -E '^\.(debug|zdebug|stab)' | tr '\n' ' ')
  symbols=$("$objdump" -t "$image" 2>/dev/null | grep -c '^\[')
  if [ -n "$sections" ] || [ "$symbols" -gt 0 ]; then
    echo "FAIL: $image is not stripped (sections: ${sections:-none}, symbols: $symbols)"; failures=$((failures + 1))
  fi
  size=$(stat -c %s "$image")
  if [ "$(basename "$image")" = Ormind.exe ] && [ "$size" -gt $limit ]; then
    echo "FAIL: $image is $size bytes, more than $limit"; failures=$((failures + 1))
  fi
  echo "$(basename "$image"): $size bytes"
done
[ "$failures" -eq 0 ]
