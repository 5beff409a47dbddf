#!/usr/bin/env python3
# The layer check: every #include "folder/..." in the game's own folders
# must name a folder that the table "What each folder may include" in
# HACKING.md allows for it. The table is the rule; this only reads it.
# Only platform/ sees the system: elsewhere an #include <...> may name the
# C++ standard library and OpenGL's two headers, nothing else (no POSIX,
# SDL, FreeType or fontconfig header, no header named by a macro).
#
#     python3 tools/check_layers.py [SOURCE_FOLDER]
#
# Exits 1 naming every include that reaches upwards, a folder the table
# does not know or a system header outside platform/, 0 when the house
# reads top to bottom.
import pathlib
import re
import sys

TABLE_HEADING = "## What each folder may include"
# | `race/` | `game/`, `render/`, `persist/`, `platform/` |
ROW = re.compile(r"^\|\s*`(\w+)/`\s*\|(.*)\|")
INCLUDE = re.compile(r'^\s*#\s*include\s+"(\w+)/[^"]+"')
ANY_INCLUDE = re.compile(r"^\s*#\s*include\s*(.*?)\s*(//.*)?$")
SYSTEM_FOLDER = "platform"
# Drawing is the game's own: immediate-mode GL and GLU.
GAME_SYSTEM_HEADERS = {"GL/gl.h", "GL/glu.h"}
# The C++ standard library's headers: a bare name, <vector>, <cstdio>.
STANDARD_HEADER = re.compile(r"^<[a-z_]+>$")


def system_header_fault(folder, spelled):
    """Why this include is refused in `folder`, or None."""
    if folder == SYSTEM_FOLDER or spelled.startswith('"'):
        return None
    if STANDARD_HEADER.match(spelled) or spelled.strip("<>") in GAME_SYSTEM_HEADERS:
        return None
    return f"{folder}/ may not include {spelled}: only {SYSTEM_FOLDER}/ sees the system"


def read_rules(hacking):
    rules = {}
    in_table = False
    for line in hacking.read_text(encoding="utf-8").splitlines():
        if line.startswith("## "):
            in_table = line.strip() == TABLE_HEADING
            continue
        match = ROW.match(line) if in_table else None
        if match:
            rules[match.group(1)] = set(re.findall(r"`(\w+)/`", match.group(2)))
    return rules


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    rules = read_rules(root / "HACKING.md")
    if not rules:
        print(f"check_layers: no table under '{TABLE_HEADING}' in HACKING.md")
        return 1

    faults = []
    for folder, allowed in sorted(rules.items()):
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp", ".c"):
                continue
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            where = path.relative_to(root)
            for number, line in enumerate(lines, 1):
                spelled = ANY_INCLUDE.match(line)
                refusal = spelled and system_header_fault(folder, spelled.group(1))
                if refusal:
                    faults.append(f"{where}:{number}: {refusal}")
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                if target != folder and target not in allowed:
                    faults.append(f"{where}:{number}: {folder}/ may not include {target}/")

    for fault in faults:
        print(fault)
    if faults:
        print(f"check_layers: {len(faults)} include(s) against the rules in HACKING.md")
        return 1
    print(f"check_layers: {len(rules)} folders, every include points down, only {SYSTEM_FOLDER}/ sees the system")
    return 0


if __name__ == "__main__":
    sys.exit(main())
