#!/usr/bin/env python3
"""Lists the program's own sources in a compile_commands.json, one path a line: what clang-tidy checks."""

import json
import os
import sys

FOLDERS = ("app", "steering", "tray", "skin", "win")


def main(compile_commands, root):
    for entry in json.load(open(compile_commands)):
        if os.path.relpath(entry["file"], root).split(os.sep)[0] in FOLDERS:
            print(entry["file"])


if __name__ == "__main__":
    main(*sys.argv[1:3])
