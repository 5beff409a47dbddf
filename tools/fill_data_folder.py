#!/usr/bin/env python3
"""Fills the Data folder the game plays from with the generated one.

    fill_data_folder.py SRC DEST

Pictures, sounds and music in DEST are replaced whenever they differ from
SRC's. The settings and high-score files are the player's: they are copied
only when DEST has none yet, never overwritten.
"""

import filecmp
import os
import shutil
import sys

PLAYER_FILES = ("settings .tgx", "data .tgx")


def copy_replacing(source, target):
    # Through a temporary name, so an interrupted copy never leaves a torn file.
    temporary = target + ".part"
    shutil.copyfile(source, temporary)
    os.replace(temporary, target)


def fill(src, dest):
    os.makedirs(dest, exist_ok=True)
    for name in sorted(os.listdir(src)):
        source = os.path.join(src, name)
        if name.startswith(".") or not os.path.isfile(source):
            continue  # the build's stamp and anything that is not a data file
        target = os.path.join(dest, name)
        if os.path.lexists(target):
            if name in PLAYER_FILES:
                continue
            if os.path.isfile(target) and filecmp.cmp(source, target, shallow=False):
                continue
        copy_replacing(source, target)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: fill_data_folder.py SRC DEST\n")
        return 2
    src, dest = argv[1], argv[2]
    if not os.path.isdir(src):
        sys.stderr.write("fill_data_folder.py: no generated Data folder at %s\n" % src)
        return 1
    try:
        fill(src, dest)
    except OSError as error:
        sys.stderr.write("fill_data_folder.py: %s\n" % error)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
