#!/usr/bin/env bash
# The verdicts of tests/lib/e2e.sh: small scripts that source it, each with the exit status and
# a line of output it must give. An end-to-end script is only as trustworthy as these rules.
#   e2e_test.sh
set -uo pipefail
lib=$(cd "$(dirname "$0")" && pwd)/e2e.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# what @ script body @ exit status @ a line the output must hold
while IFS='@' read -r what body status line; do
  printf 'source %q\n%s\n' "$lib" "$body" >"$scratch/case.sh"
  output=$(cd "$scratch" && bash case.sh 2>&1)
  got=$?
  if [ "$got" != "$status" ] || ! grep -qxF -- "$line" <<<"$output"; then
    echo "FAIL: $what: expected status $status and the line [$line], got $got:"
    sed 's/^/    /' <<<"$output"
    failures=$((failures + 1))
  else
    echo "ok:   $what"
  fi
done <<'CASES'
every check passes@check_eq one 1 1; check two true; check_ge three 2 5; finish@0@case.sh: 0 of 3 checks failed
a failed comparison fails the script@check_eq one 1 2; check two true; finish@1@FAIL: one: expected [1], got [2]
a failed condition fails the script@check "holds" false; finish@1@case.sh: 1 of 1 checks failed
a bound not met fails the script@check_le small 3 4; check_ge large 9 x; finish@1@case.sh: 2 of 2 checks failed
a failed check returns 1@check_eq one 1 2 || echo skipped; finish@1@skipped
a passed check returns 0@check_eq one 1 1 && echo went on; finish@0@went on
a failed requirement stops the script@require "needed" false; check_eq later 1 1; finish@1@FAIL: needed
a script that stops before its verdict fails@check_eq one 1 1; exit 0@1@FAIL: case.sh ended before its verdict
an error status is kept@check_eq one 1 1; exit 3@3@ok:   one
a verdict without checks fails@finish@1@FAIL: no check ran
the work folder goes at exit@echo "$work" >"$PWD/work"; check_eq one 1 1; finish@0@case.sh: 0 of 1 checks failed
CASES

# The folder the last case named is gone.
[ -n "$(cat "$scratch/work")" ] && [ ! -e "$(cat "$scratch/work")" ] && echo "ok:   no work folder left" ||
  { echo "FAIL: the work folder $(cat "$scratch/work") is left"; failures=$((failures + 1)); }
# Steps run in reverse order of registration.
order=$(printf 'source %q\non_exit "echo first"; on_exit "echo second"; check_eq one 1 1; finish\n' "$lib" |
  bash 2>&1 | grep -xE 'first|second' | tr '\n' ' ')
[ "$order" = "second first " ] && echo "ok:   clean-up order" ||
  { echo "FAIL: clean-up order [$order]"; failures=$((failures + 1)); }

echo "$failures failed"
[ "$failures" -eq 0 ]
