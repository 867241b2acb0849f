#!/usr/bin/env bash
# Checks the program copies that go into the installer: no symbols or debugging sections left,
# and Ormind.exe itself at most 4 MB. The program carries the report engine, the preview, the
# picture loaders and 1.4 MB of resources (the two window faces are uncompressed 24-bit bitmaps,
# the card's background a JPEG); the budget catches growth beyond that.
#   check_stripped.sh OBJDUMP PROGRAM.exe...
set -uo pipefail
objdump=$1; shift
limit=$((4 * 1024 * 1024)) failures=0
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
