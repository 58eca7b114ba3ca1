#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Plants the faults listed in scripts/mutants.txt one at a time and says
which of them the tests catch.

The work happens in a scratch copy of the tree with a build folder of its
own (configured once, kept between runs), so the worktree and its build are
never touched. For each mutant: change the line, build the one test target
named, run it, put the line back.

  killed     the test program failed (or ran out of time)
  survived   the test program passed: a fault the tests let through
  equivalent marked as such in the list after review; not run
  error      the line was not found (or found twice), or the mutant did not
             compile; an error is no verdict on the tests and is left out of
             the kill rate, like an equivalent mutant

The kill rate is killed / (killed + survived).

  scripts/mutate.py --check            every line found? (no build)
  scripts/mutate.py --only CalcFile    the mutants whose file, text or test
                                       target contains CalcFile
  scripts/mutate.py --only '#3,#12'    the third and twelfth mutants of the list
  scripts/mutate.py --show             the list with the numbers
"""

import argparse
import dataclasses
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "scripts" / "mutants.txt"
KEYS = ("file", "line", "to", "test", "equivalent")


@dataclasses.dataclass
class Mutant:
    number: int
    file: str
    line: str
    to: str
    target: str
    classes: list
    equivalent: str
    at: int  # line of the list, for messages

    def label(self):
        return f"#{self.number} {self.file}: {self.line.strip()}"


def parse(path):
    """Blocks of `key: value` lines, separated by blank lines; `#` starts a
    comment line. A block without `file:` or `test:` takes them from the
    block before it."""
    mutants, errors = [], []
    block, start = {}, 0
    last = {"file": "", "test": ""}

    def close():
        if not block:
            return
        for key in ("file", "test"):
            if key not in block:
                block[key] = last[key]
            last[key] = block[key]
        # An empty `to:` deletes the text; the others must say something.
        missing = [k for k in ("file", "line", "test") if not block.get(k)]
        missing += [] if "to" in block else ["to"]
        if missing:
            errors.append(f"{path}:{start}: block without {', '.join(missing)}")
            return
        test = block["test"].split()
        mutants.append(
            Mutant(len(mutants) + 1, block["file"], block["line"], block["to"], test[0], test[1:],
                   block.get("equivalent", ""), start))

    for n, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if raw.startswith("#"):
            continue
        if not raw.strip():
            close()
            block = {}
            continue
        key, sep, value = raw.partition(":")
        key = key.strip()
        if not sep or key not in KEYS:
            errors.append(f"{path}:{n}: not a `key: value` line ({', '.join(KEYS)})")
            continue
        if not block:
            start = n
        if key in block:
            errors.append(f"{path}:{n}: {key} given twice in one block")
        # One blank after the colon belongs to the format, the rest to the text.
        block[key] = value[1:] if value.startswith(" ") else value
    close()
    return mutants, errors


def locate(text, needle):
    """How often the text holds the needle, and the line of the first."""
    count = text.count(needle)
    line = text[: text.find(needle)].count("\n") + 1 if count else 0
    return count, line


def tree_files():
    out = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         cwd=ROOT, check=True, capture_output=True).stdout
    return [f for f in out.decode().split("\0") if f]


def sync(scratch):
    """Copies the worktree's files (committed or not) into the scratch tree;
    a file whose bytes are the same keeps its time, so the scratch build
    only rebuilds what changed since the last run."""
    copied = 0
    names = tree_files()
    # A file moved or deleted in the worktree goes from the copy too, or the
    # build would still find it.
    keep = set(names)
    for path in scratch.rglob("*"):
        rel = path.relative_to(scratch)
        if rel.parts[0] != "build" and path.is_file() and rel.as_posix() not in keep:
            path.unlink()
    for name in names:
        src, dst = ROOT / name, scratch / name
        if not src.is_file():
            continue
        data = src.read_bytes()
        if dst.is_file() and dst.read_bytes() == data:
            continue
        dst.parent.mkdir(parents=True, exist_ok=True)
        dst.write_bytes(data)
        shutil.copymode(src, dst)
        copied += 1
    return copied


def build_env():
    env = dict(os.environ)
    # The shared compiler cache, as every build on this machine uses it.
    env.setdefault("CCACHE_DIR", "/work/.ccache")
    env.setdefault("CCACHE_BASEDIR", "/work")
    env.setdefault("CCACHE_NOHASHDIR", "1")
    env["QT_QPA_PLATFORM"] = "offscreen"
    return env


def configure(scratch, build, env):
    if (build / "CMakeCache.txt").is_file():
        return True
    cmd = ["cmake", "-S", str(scratch), "-B", str(build), "-G", "Ninja",
           "-DCMAKE_BUILD_TYPE=Release"]
    if shutil.which("ccache"):
        cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    r = subprocess.run(cmd, env=env, capture_output=True, text=True)
    if r.returncode:
        print(r.stdout[-3000:], r.stderr[-3000:], sep="\n", file=sys.stderr)
    return r.returncode == 0


def build_target(build, target, jobs, env, timeout):
    try:
        r = subprocess.run(["cmake", "--build", str(build), "--target", target, "-j", str(jobs)],
                           env=env, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False, "build timed out"
    return r.returncode == 0, (r.stdout + r.stderr)[-2000:]


def find_executable(build, target):
    for path in sorted(build.rglob(target)):
        if path.is_file() and os.access(path, os.X_OK):
            return path
    return None


def run_test(exe, classes, env, timeout):
    """Runs the named test classes one after the other (all of them when
    none is named) until one fails; 0 when all pass."""
    for test_class in classes or [None]:
        cmd = [str(exe)] + ([test_class] if test_class else [])
        try:
            r = subprocess.run(cmd, env=env, cwd=exe.parent, capture_output=True, text=True,
                               timeout=timeout)
        except subprocess.TimeoutExpired:
            return "timeout", ""
        if r.returncode:
            failed = [l for l in r.stdout.splitlines() if l.startswith("FAIL!")]
            return r.returncode, failed[0] if failed else (r.stdout + r.stderr)[-300:]
    return 0, ""


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                 formatter_class=argparse.RawDescriptionHelpFormatter,
                                 epilog=__doc__.split("\n\n", 1)[1])
    ap.add_argument("--list", type=Path, default=LIST, help="the mutants (default %(default)s)")
    ap.add_argument("--only", metavar="PATTERN",
                    help="mutants by number (#12 or #3,#7,#12), or those whose file, text or "
                         "test target match PATTERN (a regular expression)")
    ap.add_argument("--show", action="store_true", help="list the mutants with their numbers")
    ap.add_argument("--check", action="store_true",
                    help="only check that each line is found once in the worktree")
    # Inside the tree's own ignored build folders, so that the compiler cache,
    # which sees paths relative to the build folder, serves the scratch build.
    ap.add_argument("--scratch", type=Path, default=ROOT / "build-mutants",
                    help="the scratch tree, kept between runs (default %(default)s)")
    ap.add_argument("--build-jobs", type=int, default=2, help="compile jobs (default 2)")
    ap.add_argument("--test-timeout", type=int, default=600, help="seconds (default 600)")
    ap.add_argument("--build-timeout", type=int, default=3600, help="seconds (default 3600)")
    ap.add_argument("--verbose", action="store_true", help="say why each mutant was killed")
    args = ap.parse_args()

    mutants, errors = parse(args.list)
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        return 2
    if args.only and re.fullmatch(r"#\d+(,#?\d+)*", args.only):
        chosen = {int(n) for n in args.only.replace("#", "").split(",")}
        mutants = [m for m in mutants if m.number in chosen]
    elif args.only:
        pattern = re.compile(args.only)
        mutants = [m for m in mutants
                   if pattern.search(" ".join([m.file, m.line, m.target] + m.classes))]
    if not mutants:
        print("no mutant matches", file=sys.stderr)
        return 2

    if args.show:
        for m in mutants:
            mark = f"  equivalent: {m.equivalent}" if m.equivalent else ""
            print(f"#{m.number:<4} {m.file}: {m.line.strip()} → {m.to.strip()}  "
                  f"[{' '.join([m.target] + m.classes)}]{mark}")
        return 0
    if args.check:
        bad = 0
        for m in mutants:
            path = ROOT / m.file
            count, line = locate(path.read_text(encoding="utf-8"), m.line) if path.is_file() \
                else (-1, 0)
            if count != 1:
                bad += 1
                why = "no such file" if count < 0 else "not found" if count == 0 \
                    else f"found {count} times"
                print(f"{why:16} {m.label()}  (mutants.txt:{m.at})")
        print(f"{len(mutants) - bad} of {len(mutants)} mutants found once")
        return 1 if bad else 0

    scratch = args.scratch.resolve()
    build = scratch / "build"
    env = build_env()
    scratch.mkdir(parents=True, exist_ok=True)
    print(f"scratch tree {scratch}: {sync(scratch)} files copied")
    if not configure(scratch, build, env):
        print("the scratch build could not be configured", file=sys.stderr)
        return 2

    counts = {"killed": 0, "survived": 0, "equivalent": 0, "error": 0}
    survivors = []
    ready = set()  # targets built unchanged once: a failure of theirs is no verdict
    began = time.monotonic()
    for i, m in enumerate(mutants, 1):
        head = f"[{i:3}/{len(mutants)}]"
        if m.equivalent:
            counts["equivalent"] += 1
            print(f"{head} equivalent {m.label()}  ({m.equivalent})")
            continue
        path = scratch / m.file
        if not path.is_file():
            counts["error"] += 1
            print(f"{head} error      {m.label()}  (no such file: moved?)")
            continue
        original = path.read_bytes()
        text = original.decode("utf-8")
        count, line = locate(text, m.line)
        if count != 1:
            counts["error"] += 1
            why = "line text not found: moved or changed?" if count == 0 \
                else f"line text found {count} times: make it unique"
            print(f"{head} error      {m.label()}  ({why})")
            continue
        if m.target not in ready:
            ok, log = build_target(build, m.target, args.build_jobs, env, args.build_timeout)
            if not ok:
                print(f"{m.target} does not build unchanged:\n{log}", file=sys.stderr)
                return 2
            ready.add(m.target)
        started = time.monotonic()
        try:
            path.write_bytes(text.replace(m.line, m.to, 1).encode("utf-8"))
            ok, log = build_target(build, m.target, args.build_jobs, env, args.build_timeout)
            if not ok:
                counts["error"] += 1
                verdict, why = "error", "build failed: fix the mutant"
            else:
                exe = find_executable(build, m.target)
                code, why = run_test(exe, m.classes, env, args.test_timeout)
                verdict = "survived" if code == 0 else "killed"
                counts[verdict] += 1
                if verdict == "survived":
                    survivors.append(m)
                    why = ""
                elif code == "timeout":
                    why = "timed out"
        finally:
            path.write_bytes(original)
        seconds = time.monotonic() - started
        where = f"{m.file}:{line}"
        test = " ".join([m.target] + m.classes)
        note = f"  {why.strip()}" if why and (args.verbose or verdict == "error") else ""
        print(f"{head} {verdict:10} {where}  {m.line.strip()} → {m.to.strip()}  "
              f"[{test}, {seconds:.0f} s]{note}", flush=True)

    judged = counts["killed"] + counts["survived"]
    print()
    print(", ".join(f"{v} {k}" for k, v in counts.items()) +
          f" in {time.monotonic() - began:.0f} s")
    if judged:
        print(f"kill rate {100.0 * counts['killed'] / judged:.1f} % "
              f"({counts['killed']} of {judged}; equivalents and errors left out)")
    for m in survivors:
        print(f"survived: {m.label()}  (mutants.txt:{m.at})")
    return 1 if survivors or counts["error"] else 0


if __name__ == "__main__":
    sys.exit(main())
