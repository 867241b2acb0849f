#!/usr/bin/env python3
"""tools/include-layers on made-up trees: each way an include can point wrong is reported, and a
tree whose includes all point down passes."""
import os
import subprocess
import sys
import tempfile

TOOL = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "include-layers")

CASES = [
    # (name, {path: text}, expected fault fragments; empty: the check passes)
    ("down the layers", {"core/a.h": '#include "base/day.h"\n',
                         "ui/app/main.cpp": '#include "ui/skin/x.h"\n#include "core/a.h"\n'}, []),
    ("same folder, short name", {"core/a.cpp": '#include "a.h"\n'}, []),
    ("a program uses anything", {"tools/ormind-day/main.cpp": '#include "ui/app/x.h"\n'}, []),
    ("upward", {"ui/skin/form.cpp": '#include "ui/app/application.h"\n'},
     ["a layer above ui/skin"]),
    ("into a program", {"core/a.cpp": '#include "tools/ormind-day/day_command.h"\n'},
     ["nothing may include a program's folder"]),
    ("between programs", {"tools/ormind-report/a.cpp": '#include "tools/ormind-day/b.h"\n'},
     ["nothing may include a program's folder"]),
    ("in a circle", {"core/a.h": '#include "platform/b.h"\n', "platform/b.h": '#include "core/a.h"\n'},
     ["core and platform include each other"]),
    ("unlisted folder", {"widgets/a.cpp": "\n"}, ["not in the layer order"]),
    ("include from an unlisted folder", {"core/a.cpp": '#include "widgets/b.h"\n'},
     ["unlisted folder widgets"]),
    ("windows.h in portable code", {"report/model/a.cpp": "#include <windows.h>\n"},
     ["windows.h in a portable folder"]),
    ("windows.h in a platform file", {"report/pages/file_system_win32.cpp": "#include <windows.h>\n",
                                      "platform/a.cpp": "#include <windows.h>\n"}, []),
    ("tests are not checked", {"tests/core/a_test.cpp": '#include "ui/app/x.h"\n'}, []),
]


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as f:
                f.write(text)
        done = subprocess.run([sys.executable, TOOL, "--root", root], capture_output=True, text=True)
        return done.returncode, done.stdout


def main():
    failures = 0
    for name, files, expected in CASES:
        code, out = run(files)
        ok = (code == 0) == (not expected) and all(fragment in out for fragment in expected)
        if not ok:
            failures += 1
            print(f"FAIL {name}: exit {code}, output:\n{out}")
    # The project's own tree.
    done = subprocess.run([sys.executable, TOOL], capture_output=True, text=True)
    if done.returncode != 0:
        failures += 1
        print("FAIL the source tree:\n" + done.stdout)
    print(f"{len(CASES) + 1 - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
