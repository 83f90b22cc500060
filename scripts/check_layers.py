#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lists the includes between the folders of src/ and fails on one that runs upward.

The floors and their order come from KASSAVERO_FLOORS in cmake/KassaveroTargets.cmake:
a file may include headers of its own floor and of the floors below it. Every form counts:
"floor/x.h", <floor/x.h> and a relative "../floor/x.h", which the include roots of the
build cannot stop; a relative include that leaves src/ fails as well.

With --links FILE (the floor_links.txt a build writes: one "floor linked" pair a line) it
also fails unless each floor links exactly the floors it includes from.

    scripts/check_layers.py [--quiet] [--links FILE] [ROOT]    (ROOT defaults to the project)
"""
import collections
import os
import pathlib
import re
import sys

INCLUDE = re.compile(r'\s*#\s*include\s*(?:"([^"]+)"|<([^>]+)>)')


def floors(root):
    text = (root / "cmake" / "KassaveroTargets.cmake").read_text()
    match = re.search(r"set\(KASSAVERO_FLOORS ([^)]*)\)", text)
    if not match:
        sys.exit("check_layers: KASSAVERO_FLOORS not found")
    return match.group(1).split()


def target_floor(root, path, name):
    """The folder of src/ an include reaches: "" for a header from elsewhere, None for a
    relative include that climbs out of src/."""
    parts = pathlib.PurePosixPath(name).parts
    if ".." not in parts:
        return parts[0] if len(parts) > 1 else ""
    reached = pathlib.Path(os.path.normpath(path.parent / name))
    try:
        return reached.relative_to(root / "src").parts[0]
    except (ValueError, IndexError):
        return None


def main(args):
    quiet = "--quiet" in args
    rest = [a for a in args if a != "--quiet"]
    links_file = None
    if "--links" in rest:
        at = rest.index("--links")
        links_file = pathlib.Path(rest[at + 1])
        del rest[at:at + 2]
    root = pathlib.Path(rest[0] if rest else pathlib.Path(__file__).parent.parent)
    order = floors(root)
    rank = {name: i for i, name in enumerate(order)}
    arrows = collections.Counter()
    upward = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        floor = path.relative_to(root / "src").parts[0]
        if floor not in rank:
            upward.append(f"{path.relative_to(root)}: folder {floor} is not a floor")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = target_floor(root, path, match.group(1) or match.group(2))
            if target is None:
                upward.append(f"{path.relative_to(root)}:{number}: a relative include "
                              "that leaves src/")
                continue
            if target not in rank or target == floor:
                continue
            arrows[(floor, target)] += 1
            if rank[target] > rank[floor]:
                upward.append(f"{path.relative_to(root)}:{number}: {floor} includes {target}, "
                              "a floor above it")
    if not quiet:
        for (source, target), count in sorted(arrows.items(),
                                              key=lambda a: (rank[a[0][0]], rank[a[0][1]])):
            print(f"{source:>16} -> {target:<16} {count:4} includes")
    if links_file is not None:
        upward += link_problems(links_file, set(arrows))
    for problem in upward:
        print(problem, file=sys.stderr)
    return 1 if upward else 0


def link_problems(links_file, included):
    linked = {tuple(line.split()) for line in links_file.read_text().splitlines() if line.strip()}
    problems = [f"{a} includes from {b} but does not link it" for a, b in sorted(included - linked)]
    problems += [f"{a} links {b} but includes nothing of it" for a, b in sorted(linked - included)]
    return problems


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
