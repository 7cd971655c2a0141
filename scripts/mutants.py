#!/usr/bin/env python3
"""Seeded mutants: how many small faults in the core code do the tests catch?

Makes one single-point change at a time in src/ (outside src/app), rebuilds
incrementally in its own build folder, runs the ordinary tests and counts the
changes the tests catch. The same seed, count and sources give the same
mutants. The source file is backed up beside itself while a mutant is in
place and put back afterwards, also on Ctrl-C or SIGTERM; a backup left by a
killed run is put back on the next start.
"""

import argparse
import fcntl
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zlib
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BACKUP_SUFFIX = ".mutant-backup"
# The soak, the fuzz corpus replays and the package test are long and test
# other things (the package test builds the release package).
CTEST_FILTER = ["-LE", "^(soak|package)$", "-E", r"^fuzz_corpus\."]
BUILD_LIMIT = 1800  # seconds


@dataclass
class Site:
    path: str  # relative to ROOT
    start: int
    end: int
    line: int
    original: str
    replacements: list  # one is picked per mutant, by the seed
    kind: str


@dataclass
class Mutant:
    id: int
    site: Site
    replacement: str

    def change(self):
        return f"`{squash(self.site.original)}` -> `{squash(self.replacement)}`"


def squash(text, limit=70):
    text = " ".join(text.split())
    return text if len(text) <= limit else text[: limit - 3] + "..."


# --- Reading the sources --------------------------------------------------

def mask(text):
    """The text with comments, preprocessor lines and the insides of string
    and character literals blanked out, offsets and newlines kept, so that
    patterns match code only."""
    out = list(text)
    n = len(text)
    i = 0
    line_start = True

    def blank(a, b, keep_quotes=False):
        for k in range(a, b):
            if out[k] != "\n" and not (keep_quotes and (k == a or k == b - 1)):
                out[k] = " "

    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            j = i
            while j < n:
                e = text.find("\n", j)
                e = n if e < 0 else e
                if text[j:e].rstrip().endswith("\\"):
                    j = e + 1
                    continue
                j = e
                break
            blank(i, j)
            i = j
            continue
        line_start = False
        if text.startswith("//", i):
            e = text.find("\n", i)
            e = n if e < 0 else e
            blank(i, e)
            i = e
            continue
        if text.startswith("/*", i):
            e = text.find("*/", i + 2)
            e = n if e < 0 else e + 2
            blank(i, e)
            i = e
            continue
        m = re.match(r'(?:u8|u|U|L)?R"([^ ()\\\t\n]{0,16})\(', text[i:])
        if m and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            e = text.find(")" + m.group(1) + '"', i + m.end())
            e = n if e < 0 else e + len(m.group(1)) + 2
            blank(i, e)
            out[i] = out[e - 1] = '"'
            i = e
            continue
        if c == '"' or c == "'":
            if c == "'" and i > 0 and text[i - 1].isalnum():
                # A digit separator (1'000) rather than a character literal.
                k = i - 1
                while k > 0 and (text[k - 1].isalnum() or text[k - 1] in "_'"):
                    k -= 1
                if text[k].isdigit():
                    i += 1
                    continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            e = min(j + 1, n)
            blank(i, e, keep_quotes=True)
            i = e
            continue
        i += 1
    return "".join(out)


def matching_paren(masked, open_at):
    depth = 0
    for k in range(open_at, len(masked)):
        if masked[k] == "(":
            depth += 1
        elif masked[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


NEGATED_COMPARISON = {"<": ">=", "<=": ">", ">": "<=", ">=": "<", "==": "!=", "!=": "=="}
LOOSENED_COMPARISON = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
RE_COMPARISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
RE_LOGICAL = re.compile(r"(?<= )(&&|\|\|)(?= )")
RE_ARITHMETIC = re.compile(r"(?<= )(\+|-|\+=|-=)(?= )")
RE_INTEGER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlLzZ]*)(?![\w.'])")
RE_CONDITION = re.compile(r"\b(?:if|while)\s*\(")
RE_RETURN_BOOL = re.compile(r"\breturn\s+(true|false)\s*;")
RE_CALL_RESULT = re.compile(r"(?:(?<![=!<>+\-*/%&|^])=(?!=)|\breturn)\s+((?:::)?\w+(?:(?:::|\.|->)\w+)*)\s*\(")


def sites_in(path, text):
    masked = mask(text)
    found = []
    line_starts = [0] + [m.end() for m in re.finditer("\n", text)]

    def line_of(offset):
        lo, hi = 0, len(line_starts) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= offset:
                lo = mid
            else:
                hi = mid - 1
        return lo + 1

    # Assertions are compiled out, as in the ordinary build: a change there
    # could not be caught.
    asserts = []
    for m in re.finditer(r"\b(?:static_)?assert\s*\(", masked):
        asserts.append((m.start(), matching_paren(masked, m.end() - 1)))

    def add(start, end, replacements, kind):
        if any(a <= start <= b for a, b in asserts):
            return
        found.append(Site(path, start, end, line_of(start), text[start:end], replacements, kind))

    for m in RE_COMPARISON.finditer(masked):
        op = m.group(1)
        if masked[: m.start()].rstrip().endswith("operator"):
            continue
        add(m.start(), m.end(), [NEGATED_COMPARISON[op]] + ([LOOSENED_COMPARISON[op]] if op in LOOSENED_COMPARISON else []),
            "comparison")
    for m in RE_LOGICAL.finditer(masked):
        add(m.start(), m.end(), ["||" if m.group(1) == "&&" else "&&"], "logical")
    for m in RE_ARITHMETIC.finditer(masked):
        op = m.group(1)
        before = masked[: m.start()].rstrip()[-1:]
        after = masked[m.end():].lstrip()[:1]
        if op.startswith("+") and '"' in (before, after):
            continue  # joining strings, not arithmetic
        if not before or before in "(,=?:":
            continue  # a sign, not a binary operator
        swapped = {"+": "-", "-": "+", "+=": "-=", "-=": "+="}[op]
        add(m.start(), m.end(), [swapped], "arithmetic")
    for m in RE_INTEGER.finditer(masked):
        digits = m.group(1).replace("'", "")
        if re.search(r"\)\s*(?:const\s*)?(?:override\s*)?=\s*$", masked[: m.start()]) and digits == "0":
            continue  # a pure virtual function
        value = int(digits, 16 if digits[:2].lower() == "0x" else 10)
        upper = digits[2:] != digits[2:].lower()
        as_text = (lambda v: (f"0x{v:X}" if upper else hex(v)) if digits[:2].lower() == "0x" else str(v))
        moved = [as_text(value + 1) + m.group(2)]
        if value > 0:
            moved.append(as_text(value - 1) + m.group(2))
        add(m.start(), m.end(), moved, "constant")
    for m in RE_CONDITION.finditer(masked):
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at < 0:
            continue
        condition = text[open_at + 1: close_at]
        if ";" in masked[open_at + 1: close_at]:
            continue  # an if with an initialiser
        add(open_at + 1, close_at, [f"!({condition})"], "condition")
    for m in RE_RETURN_BOOL.finditer(masked):
        add(m.start(1), m.end(1), ["false" if m.group(1) == "true" else "true"], "return")
    for m in RE_CALL_RESULT.finditer(masked):
        if m.group(1) in ("sizeof", "alignof", "decltype", "noexcept"):
            continue
        if m.group(0).startswith("=") and re.search(r"\bauto\b[^;{}]*$", masked[: m.start()]):
            continue  # the default has no type to take
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at < 0 or not masked[close_at + 1:].lstrip().startswith(";"):
            continue
        add(m.start(1), close_at + 1, ["{}"], "call")
    found.sort(key=lambda s: (s.start, s.end, s.kind))
    return found


def is_core_source(rel):
    return rel.endswith((".cpp", ".h")) and rel.startswith("src/") and not rel.startswith("src/app/")


def source_files():
    return sorted(p.relative_to(ROOT).as_posix() for p in (ROOT / "src").rglob("*")
                  if p.is_file() and is_core_source(p.relative_to(ROOT).as_posix()))


def current_text(rel):
    # While a run has a mutant in place, its backup holds the source.
    path = ROOT / rel
    backup = path.with_name(path.name + BACKUP_SUFFIX)
    return (backup if backup.exists() else path).read_text(encoding="utf-8")


def all_sites(texts):
    sites = []
    for rel, text in texts.items():
        sites.extend(sites_in(rel, text))
    return sites


def texts_at(commit):
    """The core sources as they stood at COMMIT."""
    def git(*command):
        return subprocess.run(["git", "-C", str(ROOT), *command], check=True, capture_output=True,
                              text=True).stdout
    names = sorted(n for n in git("ls-tree", "-r", "--name-only", commit, "--", "src").splitlines()
                   if is_core_source(n))
    return {n: git("show", f"{commit}:{n}") for n in names}


def found_again(mutant, old_text):
    """MUTANT, picked from an older OLD_TEXT of its file, moved to where its
    code stands today: the line it is on, widened by the lines around it
    until one place in today's file matches (indentation aside). None when
    the code is gone or no longer one of a kind."""
    site = mutant.site
    path = ROOT / site.path
    if not path.exists():
        return None
    new_text = current_text(site.path)
    old_lines, new_lines = old_text.split("\n"), new_text.split("\n")
    old_strip, new_strip = [l.strip() for l in old_lines], [l.strip() for l in new_lines]
    i = site.line - 1
    old_line_start = old_text.rfind("\n", 0, site.start) + 1
    column = site.start - old_line_start - (len(old_lines[i]) - len(old_lines[i].lstrip()))
    for reach in range(0, 6):
        above, below = min(reach, i), min(reach, len(old_lines) - 1 - i)
        window = old_strip[i - above: i + below + 1]
        places = [j for j in range(above, len(new_lines) - below)
                  if new_strip[j - above: j + below + 1] == window]
        if not places:
            return None
        if len(places) == 1:
            j = places[0]
            start = sum(len(l) + 1 for l in new_lines[:j]) + len(new_lines[j]) - len(new_lines[j].lstrip()) + column
            end = start + len(site.original)
            if new_text[start:end] != site.original:
                return None
            moved = Site(site.path, start, end, j + 1, site.original, site.replacements, site.kind)
            return Mutant(mutant.id, moved, mutant.replacement)
    return None


def pick_mutants(seed, count, sites):
    """The first COUNT mutants of the seed's order; a larger count keeps the
    smaller count's mutants as its first ones."""
    order = list(range(len(sites)))
    random.Random(seed).shuffle(order)
    mutants = []
    for number, index in enumerate(order[:count], start=1):
        site = sites[index]
        choice = random.Random(f"{seed}:{index}").randrange(len(site.replacements))
        mutants.append(Mutant(number, site, site.replacements[choice]))
    return mutants


# --- Keeping the tree as it was ---------------------------------------------

def restore_leftovers():
    for backup in sorted((ROOT / "src").rglob("*" + BACKUP_SUFFIX)):
        original = backup.with_name(backup.name[: -len(BACKUP_SUFFIX)])
        shutil.copyfile(backup, original)
        backup.unlink()
        print(f"restored {original.relative_to(ROOT)} from a backup left by an interrupted run")


class Stop(Exception):
    pass


def on_signal(signum, _frame):
    raise Stop(signal.Signals(signum).name)


class Applied:
    """A mutant in place for the length of a with block."""

    def __init__(self, mutant):
        self.mutant = mutant
        self.path = ROOT / mutant.site.path
        self.backup = self.path.with_name(self.path.name + BACKUP_SUFFIX)

    def __enter__(self):
        text = self.path.read_text(encoding="utf-8")
        site = self.mutant.site
        if text[site.start: site.end] != site.original:
            raise SystemExit(f"{site.path} changed during the run; stopping")
        # Whole or not at all: a backup cut short would be put back on the next start.
        partial = self.backup.with_name(self.backup.name + ".part")
        shutil.copyfile(self.path, partial)
        os.replace(partial, self.backup)
        self.path.write_text(text[: site.start] + self.mutant.replacement + text[site.end:], encoding="utf-8")
        return self

    def __exit__(self, *exc):
        # A second signal must not cut the restore short.
        previous = {s: signal.signal(s, signal.SIG_IGN) for s in (signal.SIGINT, signal.SIGTERM)}
        try:
            if self.backup.exists():
                shutil.copyfile(self.backup, self.path)
                self.backup.unlink()
        finally:
            for s, handler in previous.items():
                signal.signal(s, handler)
        return False


# --- Building and testing ---------------------------------------------------

def run(command, timeout, log):
    """Runs COMMAND in its own process group; returns its exit status, or
    None when it ran out of time. The group is ended on any way out."""
    with open(log, "w") as out:
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def configure(build_dir):
    os.environ.setdefault("CCACHE_DIR", str(Path.home() / ".cache/keslog-ccache"))
    os.environ.setdefault("CCACHE_BASEDIR", str(ROOT))
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    # Built for speed: no optimisation or debug information, no sanitizers or
    # benchmarks, and shared libraries so that a change relinks one library.
    # Assertions stay off as in the ordinary build.
    command = ["cmake", "-S", str(ROOT), "-B", str(build_dir), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=",
               "-DCMAKE_CXX_FLAGS=-O0 -DNDEBUG", "-DBUILD_SHARED_LIBS=ON", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON",
               "-DKESLOG_BUILD_BENCH=OFF", "-DKESLOG_SANITIZE=OFF", "-DKESLOG_FUZZ=OFF", "-DKESLOG_WERROR=OFF"]
    build_dir.mkdir(parents=True, exist_ok=True)
    if run(command, None, build_dir / "mutant-configure.log") != 0:
        raise SystemExit(f"configuring failed; see {build_dir / 'mutant-configure.log'}")


def build(build_dir, jobs, timeout):
    """One of "built", "compile-error" and "build-timeout"."""
    status = run(["cmake", "--build", str(build_dir), "-j", str(jobs)], timeout, build_dir / "mutant-build.log")
    return "build-timeout" if status is None else "built" if status == 0 else "compile-error"


def test(build_dir, jobs, timeout):
    """(passed, the tests that failed). A test that runs out of time fails.
    The limit is each test's: the whole run stops at the first failure, and
    its length depends on the machine's load."""
    command = ["ctest", "--test-dir", str(build_dir), "-j", str(jobs), "--stop-on-failure",
               "--timeout", str(timeout), *CTEST_FILTER]
    log = build_dir / "mutant-test.log"
    passed = run(command, 20 * timeout, log) == 0
    # Which test caught it tells which tests a slimmer suite must keep.
    failed = re.findall(r"Test +#\d+: (\S+) \.*\*+(?:Failed|Timeout|Exception|Not Run)",
                        log.read_text(encoding="utf-8", errors="replace"))
    return passed, ",".join(dict.fromkeys(failed)) or "-"


def parse_ids(text):
    ids = set()
    for part in text.split(","):
        part = part.strip()
        if "-" in part:
            a, b = part.split("-", 1)
            ids.update(range(int(a), int(b) + 1))
        elif part:
            ids.add(int(part))
    return ids


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--build-dir", default="build-mut")
    parser.add_argument("--timeout", type=int, default=120,
                        help="seconds one test may take under a mutant (running out counts as caught)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--only", help="ids to run again, e.g. 3,17,40-45")
    parser.add_argument("--results", help="the results table (default BUILD_DIR/mutants.tsv, with --only "
                                          "BUILD_DIR/mutants-only.tsv)")
    parser.add_argument("--list", action="store_true", help="list the mutants without running them")
    parser.add_argument("--from", dest="commit", help="pick the mutants from the sources as they stood at COMMIT "
                                                      "and make each where its code stands today, so that "
                                                      "tests before and after a change meet the same faults")
    args = parser.parse_args()

    build_dir = Path(args.build_dir)
    build_dir = build_dir if build_dir.is_absolute() else ROOT / build_dir
    # Running chosen ones again leaves the whole run's table alone.
    results = Path(args.results) if args.results else build_dir / ("mutants-only.tsv" if args.only else "mutants.tsv")

    texts = texts_at(args.commit) if args.commit else {rel: current_text(rel) for rel in source_files()}
    sites = all_sites(texts)
    if args.only:
        wanted = parse_ids(args.only)
        mutants = [m for m in pick_mutants(args.seed, max(wanted), sites) if m.id in wanted]
    else:
        mutants = pick_mutants(args.seed, args.count, sites)
    # A mutant whose code is gone since COMMIT is reported and not counted.
    gone = []
    if args.commit:
        moved = [(m, found_again(m, texts[m.site.path])) for m in mutants]
        gone = [m for m, today in moved if today is None]
        mutants = [today for _, today in moved if today is not None]
    if args.list:
        for m in mutants:
            print(f"{m.id}\t{m.site.path}:{m.site.line}\t{m.change()}")
        for m in gone:
            print(f"{m.id}\t{m.site.path}:{m.site.line}\t{m.change()}\tgone since {args.commit}")
        return 0
    # One run at a time in a tree: a backup beside a source is a leftover
    # only when no run holds the lock. The lock goes with the process, however
    # it ends.
    lock = open(Path(tempfile.gettempdir()) / f"keslog-mutants-{zlib.crc32(str(ROOT).encode()):08x}.lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        raise SystemExit("another mutant run is going on in this tree")
    for s in (signal.SIGINT, signal.SIGTERM):
        signal.signal(s, on_signal)
    restore_leftovers()
    print(f"{len(sites)} places to change; {len(mutants)} mutants of seed {args.seed}"
          + (f" from {args.commit}, {len(gone)} more whose code is gone (not counted)" if args.commit else ""),
          flush=True)

    started = time.monotonic()
    try:
        configure(build_dir)
        if build(build_dir, args.jobs, None) != "built":
            raise SystemExit(f"the unchanged sources do not build; see {build_dir / 'mutant-build.log'}")
        if not test(build_dir, args.jobs, args.timeout)[0]:
            raise SystemExit(f"the tests fail on the unchanged sources; see {build_dir / 'mutant-test.log'}")
        print(f"unchanged sources built and tested in {time.monotonic() - started:.0f} s", flush=True)

        outcomes = []
        results.parent.mkdir(parents=True, exist_ok=True)
        with open(results, "w", encoding="utf-8") as table:
            table.write("id\tfile\tline\tchange\toutcome\tseconds\tcaught by\n")
            for n, m in enumerate(mutants, start=1):
                t0 = time.monotonic()
                caught_by = "-"
                with Applied(m):
                    # A header many files include takes minutes to rebuild on a busy machine.
                    outcome = build(build_dir, args.jobs, BUILD_LIMIT)
                    if outcome == "built":
                        passed, caught_by = test(build_dir, args.jobs, args.timeout)
                        outcome = "survived" if passed else "killed"
                seconds = time.monotonic() - t0
                outcomes.append((m, outcome))
                table.write(f"{m.id}\t{m.site.path}\t{m.site.line}\t{m.change()}\t{outcome}\t{seconds:.1f}"
                            f"\t{caught_by}\n")
                table.flush()
                print(f"[{n}/{len(mutants)}] #{m.id} {outcome:13} {m.site.path}:{m.site.line} {m.change()} "
                      f"({seconds:.0f} s)", flush=True)
    except Stop as stop:
        print(f"stopped by {stop}; the sources are as they were", file=sys.stderr)
        return 130

    killed = sum(1 for _, o in outcomes if o == "killed")
    survived = [m for m, o in outcomes if o == "survived"]
    broken = sum(1 for _, o in outcomes if o == "compile-error")
    slow = sum(1 for _, o in outcomes if o == "build-timeout")
    counted = killed + len(survived)
    rate = 100.0 * killed / counted if counted else 0.0
    minutes = (time.monotonic() - started) / 60
    print()
    print(f"seed {args.seed}: {len(outcomes)} mutants, {broken} failed to compile (not counted)"
          + (f", {slow} not built in {BUILD_LIMIT // 60} min (not counted; run them again with --only)" if slow else ""))
    print(f"killed {killed} of {counted}, survived {len(survived)}: kill rate {rate:.1f}%")
    print(f"took {minutes:.0f} min; results in {results}")
    if survived:
        print("survivors:")
        for m in survived:
            print(f"  #{m.id} {m.site.path}:{m.site.line} {m.change()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
