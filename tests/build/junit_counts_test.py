#!/usr/bin/env python3
"""tools/junit-counts on reports shaped as ctest writes them: each case's status counted once."""
import os
import subprocess
import sys
import tempfile

TOOL = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "junit-counts")

CASE = '<testcase name="{0}" classname="{0}" status="{1}">{2}</testcase>'
CASES = [
    # (status, inner elements, expected counts passed/failed/skipped)
    ("run", "", (1, 0, 0)),
    ("fail", '<failure message=""/>', (0, 1, 0)),
    ("notrun", '<skipped message="SKIP_RETURN_CODE=77"/>', (0, 0, 1)),
    ("notrun", '<skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>', (0, 0, 1)),
    ("notrun", '<skipped message="Unable to find executable"/>', (0, 1, 0)),
    ("disabled", "", (0, 0, 1)),
]


def counts(xml):
    with tempfile.NamedTemporaryFile("w", suffix=".xml", delete=False) as report:
        report.write(xml)
    try:
        result = subprocess.run([sys.executable, TOOL, report.name], capture_output=True, text=True)
    finally:
        os.unlink(report.name)
    return result.returncode, result.stdout.split()


def main():
    failures = 0
    for index, (status, inner, expected) in enumerate(CASES):
        code, got = counts("<testsuite>" + CASE.format(index, status, inner) + "</testsuite>")
        if code != 0 or tuple(map(int, got)) != expected:
            print(f"FAIL: {status} {inner}: expected {expected}, got {code} {got}")
            failures += 1
    whole = "<testsuite>" + "".join(CASE.format(i, s, x) for i, (s, x, _) in enumerate(CASES)) + "</testsuite>"
    code, got = counts(whole)
    if code != 0 or got != ["1", "2", "3"]:
        print(f"FAIL: a whole report: got {code} {got}")
        failures += 1
    code, _ = counts("not a report")
    if code == 0:
        print("FAIL: an unreadable report is not an error")
        failures += 1
    print(f"{len(CASES) + 2 - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
