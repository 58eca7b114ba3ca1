#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the programs the engine's tests run as seeds for fuzz_engine and
fuzz_checks: each C++ string literal (adjacent ones joined) that holds a
line break, behind the 0xFF byte that marks a typed program.
    scripts/fuzz-seeds.py OUTDIR TESTDIR..."""
import os
import re
import sys

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPES = {'n': '\n', 't': '\t', '"': '"', '\\': '\\', "'": "'", 'r': '\r'}


def unescape(s):
    return re.sub(r'\\(.)', lambda m: ESCAPES.get(m.group(1), m.group(1)), s)


def programs(text):
    # Literals separated by white space only are one literal.
    joined = re.sub(r'"\s*\n\s*"', '', text)
    for m in LITERAL.finditer(joined):
        s = unescape(m.group(1))
        if '\n' in s and 4 < len(s) < 2000:
            yield s


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    seen = set()
    for root in sys.argv[2:]:
        for folder, _, files in os.walk(root):
            for name in sorted(files):
                if not name.endswith('.cpp'):
                    continue
                with open(os.path.join(folder, name), encoding='utf-8') as f:
                    for p in programs(f.read()):
                        if p not in seen:
                            seen.add(p)
    for i, p in enumerate(sorted(seen)):
        with open(os.path.join(out, 'seed-%04d' % i), 'wb') as f:
            f.write(b'\xff' + p.encode('utf-8'))
    print('%d seeds in %s' % (len(seen), out))


if __name__ == '__main__':
    main()
