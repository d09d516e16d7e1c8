#!/usr/bin/env python3
"""Checks every #include of the rooms against the arrows they state.

Usage: check_arrows.py ROOT [FLOORS=A,B|C|D,E ...] ROOM=ALLOWED[,ALLOWED...] ...

A room's files may include its own headers, the headers of the rooms it
names, and single headers it names by path (app/entry_rules.hpp). An include
of any other top-level folder of ROOT is an arrow the house does not have.
Prints one line per such include, file:line first, and exits 1 if any.

FLOORS lists the floors from the ground up, separated by "|", each a list of
rooms. Given it, every room must stand on a floor and every stated arrow must
point to a room on a lower floor: then none runs up, sideways or in a circle.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = {".cpp", ".hpp", ".h", ".cc", ".inc"}


def parse_rules(arguments):
    rules = {}
    floors = None
    for argument in arguments:
        room, _, allowed = argument.partition("=")
        if room == "FLOORS":
            floors = {r: level for level, rooms in enumerate(allowed.split("|")) for r in rooms.split(",") if r}
            continue
        rules[room] = {a for a in allowed.split(",") if a}
    return rules, floors


def arrows_against_floors(rules, floors):
    for room, allowed in sorted(rules.items()):
        if room not in floors:
            yield f"{room} stands on no floor"
            continue
        for target in sorted(allowed):
            to = target.split("/", 1)[0]
            if to not in floors:
                yield f"{room} may include {target}, which stands on no floor"
            elif floors[to] >= floors[room]:
                yield f"{room} may include {target}, which is not on a lower floor"


def stray_includes(root, rules):
    folders = {p.name for p in root.iterdir() if p.is_dir() and not p.name.startswith(".")}
    for room, allowed in sorted(rules.items()):
        for path in sorted((root / room).rglob("*")):
            if path.suffix not in SOURCES:
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                first = target.split("/", 1)[0]
                if "/" not in target or first not in folders or first == room:
                    continue
                if first in allowed or target in allowed:
                    continue
                yield f"{path.relative_to(root)}:{number}: {room} may not include {target}"


def main():
    root = pathlib.Path(sys.argv[1])
    rules, floors = parse_rules(sys.argv[2:])
    if not rules:
        print("no rooms stated", file=sys.stderr)
        return 2
    problems = list(arrows_against_floors(rules, floors)) if floors is not None else []
    problems += list(stray_includes(root, rules))
    for problem in problems:
        print(problem)
    if not problems:
        print(f"{len(rules)} rooms, every include runs along a stated arrow" +
              (f", every arrow down to a lower floor of {1 + max(floors.values())}" if floors else ""))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
