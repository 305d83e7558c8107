#!/usr/bin/env bash
# The share of test code: non-blank lines that are not only a comment, of the
# .cpp, .h, .py and .tcl files git tracks under src, tools, bench and tests;
# the test code is what lies under tests/. Python docstrings count as code.
#   scripts/count-lines.sh        the totals and the share
#   scripts/count-lines.sh -v     and the lines of every file
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files src tools bench tests | grep -E '\.(cpp|h|py|tcl)$' | python3 -c '
import sys

def code_lines(path):
    count, in_block = 0, False
    cpp = path.endswith((".cpp", ".h"))
    for line in open(path, encoding="utf-8", errors="replace"):
        s = line.strip()
        if not s:
            continue
        if cpp:
            if in_block:
                in_block = "*/" not in s
                continue
            if s.startswith("//"):
                continue
            if s.startswith("/*"):
                in_block = "*/" not in s
                continue
        elif s.startswith("#"):
            continue
        count += 1
    return count

verbose = "-v" in sys.argv[1:]
tests = total = 0
for path in sys.stdin.read().split():
    n = code_lines(path)
    total += n
    tests += n if path.startswith("tests/") else 0
    if verbose:
        print(f"{n:6d} {path}")
print(f"test lines {tests} of {total}: {100 * tests / total:.1f} %")
' "$@"
