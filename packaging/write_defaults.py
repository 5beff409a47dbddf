#!/usr/bin/env python3
"""Writes the two data files' defaults, exactly as the asset generator
defines them, as the templates an installed game copies for each player.

    write_defaults.py OUT_DIR

Kept apart from the built Data folder on purpose: the copies there may have
been played with, and a packager must never ship one person's settings.
"""

import os
import sys

sys.dont_write_bytecode = True  # nothing of the build lands in the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from make_data import DEFAULT_DATA_FILES  # noqa: E402


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: write_defaults.py OUT_DIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for name, text in DEFAULT_DATA_FILES:
        with open(os.path.join(out, name), "wb") as f:
            f.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
