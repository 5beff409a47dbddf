#!/usr/bin/env python3
"""Looks the Windows zip over: the program, its README and licence, and a
Data folder with every picture, sound and the music, and the two data files
as a new player gets them.

    check_zip.py ZIP DATA_DIR
"""

import os
import sys
import zipfile


def main(zip_path, data_dir):
    names = set(zipfile.ZipFile(zip_path).namelist())
    wanted = ["Trigonix/trigonix.exe", "Trigonix/README.txt", "Trigonix/LICENSE.txt"]
    wanted += ["Trigonix/Data/" + name for name in sorted(os.listdir(data_dir))
               if not name.startswith(".")]
    missing = [name for name in wanted if name not in names]
    for name in missing:
        print("check_zip: %s lacks %s" % (zip_path, name))
    if not missing:
        print("check_zip: %s holds the program, its Data folder (%d files) and README"
              % (zip_path, len(wanted) - 3))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
