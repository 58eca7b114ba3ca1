#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the copyright and licence lines (REUSE style) at the top of every
source file of the project that lacks them, and nowhere else.

  C++ (.cpp, .h) under src/, tests/, bench/, fuzz/:
      // SPDX-FileCopyrightText: 2026 Torvane Studio developers
      // SPDX-License-Identifier: GPL-3.0-or-later
  CMake files, shell and Python scripts anywhere in the tree: the same
  with '#', after a '#!' line (and a Python coding line) if there is one.

Vendored code (any folder named third_party) and build folders are left
alone, and so is a file that carries someone else's copyright notice: it
is listed for a person to look at. Running it again changes nothing.

usage: spdx-headers.py [--check] [ROOT]
  ROOT     the source tree (default: the folder above this script)
  --check  change nothing; list the files that lack the lines, exit 1 if any
"""
import os
import re
import sys

COPYRIGHT = "SPDX-FileCopyrightText: 2026 Torvane Studio developers"
LICENSE = "SPDX-License-Identifier: GPL-3.0-or-later"

CPP_FOLDERS = ("src", "tests", "bench", "fuzz")
CPP_SUFFIXES = (".cpp", ".h")
HASH_SUFFIXES = (".cmake", ".sh", ".py")
HASH_NAMES = ("CMakeLists.txt",)
SKIP_FOLDERS = {"third_party", ".git"}
# How far down a file an existing notice is looked for.
HEAD_LINES = 20
HEADER = re.compile(rb"^(//|#) SPDX-License-Identifier:", re.MULTILINE)
FOREIGN = re.compile(rb"copyright\s*(\(c\)|\xc2\xa9|[0-9]{4})|\xc2\xa9\s*[0-9]{4}", re.IGNORECASE)


def skipped_folder(name):
    return name in SKIP_FOLDERS or name.startswith("build")


def comment_style(relpath):
    """'//', '#' or None for a file that gets no header."""
    parts = relpath.split("/")
    name = parts[-1]
    if name.endswith(CPP_SUFFIXES) and parts[0] in CPP_FOLDERS:
        return "//"
    if name.endswith(HASH_SUFFIXES) or name in HASH_NAMES:
        return "#"
    return None


def source_files(root):
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders if not skipped_folder(d))
        for name in sorted(files):
            path = os.path.join(folder, name)
            relpath = os.path.relpath(path, root).replace(os.sep, "/")
            style = comment_style(relpath)
            if style:
                yield path, relpath, style


def with_header(data, style):
    """The file's bytes with the two lines put in, or None when they are
    there already or another party's notice is."""
    bom = b"\xef\xbb\xbf" if data.startswith(b"\xef\xbb\xbf") else b""
    body = data[len(bom):]
    head = b"\n".join(body.splitlines()[:HEAD_LINES])
    if HEADER.search(head):
        return None
    if FOREIGN.search(head):
        raise ValueError("carries a copyright notice of its own")
    newline = b"\r\n" if body.split(b"\n", 1)[0].endswith(b"\r") else b"\n"
    lines = body.splitlines(keepends=True)
    keep = 0
    # A '#!' line must stay first, and Python's coding line within the first two.
    if style == "#" and lines and lines[0].startswith(b"#!"):
        keep = 1
        if len(lines) > 1 and re.match(rb"#.*coding[:=]", lines[1]):
            keep = 2
    prefix = style.encode()
    header = (prefix + b" " + COPYRIGHT.encode() + newline + prefix + b" " +
              LICENSE.encode() + newline)
    before = b"".join(lines[:keep])
    if before and not before.endswith(b"\n"):
        before += newline
    after = b"".join(lines[keep:])
    # One blank line between the notice and what follows it.
    if after and not after.startswith((b"\n", b"\r\n")):
        header += newline
    return bom + before + header + after


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    if len(args) > 1 or any(a.startswith("-") for a in args):
        sys.stderr.write(__doc__)
        return 2
    root = args[0] if args else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    changed, foreign = [], []
    for path, relpath, style in source_files(root):
        with open(path, "rb") as f:
            data = f.read()
        try:
            new = with_header(data, style)
        except ValueError as e:
            foreign.append("%s: %s" % (relpath, e))
            continue
        if new is None:
            continue
        changed.append(relpath)
        if not check:
            with open(path, "wb") as f:
                f.write(new)
    verb = "lack the lines" if check else "given the lines"
    for relpath in changed:
        print(relpath)
    for line in foreign:
        print("%s; left alone" % line, file=sys.stderr)
    print("%d file(s) %s, %d left alone" % (len(changed), verb, len(foreign)), file=sys.stderr)
    return 1 if check and changed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
