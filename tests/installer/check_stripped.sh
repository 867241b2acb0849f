#!/usr/bin/env bash
# Checks the program copies that go into the installer: no symbols or debugging sections left,
# and Ormind.exe itself at most 2 MB as a 32-bit program. That program is about 1.96 MB: 0.73 MB
# of code (built for size, unused sections dropped) and 1 MB of resources (the buttons at four
# display scales and the faces at two as PNG files, the card's background a JPEG). The 64-bit
# program's code is larger by about an eighth, so its copy is held to 2.25 MB.
#   check_stripped.sh OBJDUMP PROGRAM.exe...
set -uo pipefail
objdump=$1; shift
failures=0
for image in "$@"; do
  case "$("$objdump" -f "$image")" in
    *pei-i386*) limit=$((2 * 1024 * 1024)) ;;
    *) limit=$((9 * 1024 * 1024 / 4)) ;;
  esac
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
