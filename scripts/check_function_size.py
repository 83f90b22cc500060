#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Holds the program's functions to 80 lines, from clang-tidy's readability-function-size
findings in a log of scripts/lint.sh.

A function of src/ over the limit fails unless scripts/long_functions.txt lists it; a
listed one fails when it grows past its listed length, and also once it is short enough
to leave the list, so that the list only ever shrinks.

    scripts/check_function_size.py LOG LIST ROOT
"""
import re
import sys

FINDING = re.compile(r"^(\S+?):(\d+):\d+: warning: function '([^']+)' exceeds recommended size")
LENGTH = re.compile(r"^(\S+?):(\d+):\d+: note: (\d+) lines including whitespace")


def read_list(path):
    allowed = {}
    for line in open(path, encoding="utf-8"):
        line = line.split("#", 1)[0].split()
        if line:
            allowed[(line[0], line[1])] = int(line[2])
    return allowed


def read_log(path, root):
    names, lengths = {}, {}
    prefix = root.rstrip("/") + "/"
    for line in open(path, encoding="utf-8", errors="replace"):
        finding = FINDING.match(line)
        if finding:
            names[finding.group(1, 2)] = finding.group(3)
        length = LENGTH.match(line)
        if length:
            lengths[length.group(1, 2)] = int(length.group(3))
    found = {}
    for place, name in names.items():
        file = place[0][len(prefix):] if place[0].startswith(prefix) else place[0]
        # A header reached through a floor's include root is the one in src/.
        file = re.sub(r"^.*/include_roots/[^/]+/", "src/", file)
        if file.startswith("src/") and place in lengths:
            found[(file, name)] = lengths[place]
    return found


def main(args):
    log, listing, root = args
    allowed = read_list(listing)
    found = read_log(log, root)
    problems = []
    for (file, name), lines in sorted(found.items()):
        limit = allowed.get((file, name))
        if limit is None:
            problems.append(f"{file}: {name} has {lines} lines, more than 80")
        elif lines > limit:
            problems.append(f"{file}: {name} grew to {lines} lines (listed at {limit})")
    for file, name in sorted(set(allowed) - set(found)):
        problems.append(f"{file}: {name} is at most 80 lines now: take it off {listing}")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
