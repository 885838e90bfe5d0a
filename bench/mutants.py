#!/usr/bin/env python3
"""Mutation testing: plants one small fault at a time in the chosen C++ files, rebuilds the tests
that cover them and runs those tests. A fault the tests miss survives, and shows where they are
thin. Every source file is put back as it was, also on Ctrl-C or an error.

    bench/mutants.py [--since COMMIT] [--max N] [--seed S] [--all] [FILE...]

Without FILE, the C++ files under src/, tools/ and web/ changed since COMMIT (by default the last
commit's). See docs/hardening.md.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from contextlib import contextmanager
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]


@dataclass(frozen=True)
class Program:
    """A GoogleTest program run directly, stopping at its first failing case: faster than ctest's
    process per case."""

    name: str

    @property
    def targets(self):
        return (self.name,)


@dataclass(frozen=True)
class Ctest:
    """ctest's tests whose names match, after building the targets they run."""

    regex: str
    targets: tuple


# The tests to run first for a source folder or file: the longest matching path wins. A path
# without an entry, or an entry naming a target the build lacks, falls back to every native ctest
# test (slower: it builds everything). Add a line here for a new library's tests.
TESTS = {
    "src/core": [Program("radial_engine_tests")],
    "src/mechanism": [Program("radial_engine_tests")],
    "src/controls": [Program("radial_controls_tests"), Program("radial_web_tests")],
    "src/svg": [Program("radial_report_tests"), Program("radial_picture_files_tests")],
    "src/picture": [Program("radial_picture_tests")],
    "src/analysis": [Program("radial_analysis_tests"), Program("radial_cli_tests")],
    "src/design": [Program("radial_cli_tests")],
    "src/report": [Program("radial_report_tests"), Program("radial_cli_tests")],
    "src/picture_files": [Program("radial_picture_files_tests")],
    "tools": [Program("radial_cli_tests")],
    "src/ui": [Program("radial_ui_tests"), Ctest("^picture_on_x11_", ("radial_x11_tests",))],
    "src/app": [
        Ctest("^window_(end_to_end|arguments|matches_its_desktop_entry)$", ("radial-engine",))
    ],
    "web": [Program("radial_web_tests")],
}

# Left out of the whole ctest run: they install and package the build, or feed the window random
# input for half a minute, and a mutant rarely shows there first.
NOT_IN_WHOLE_RUN = "^(random_input|install_and_package|package_lintian|metainfo_validates)$"

SOURCE_FOLDERS = ("src", "tools", "web")
CXX_ENDINGS = (".cpp", ".h")


# ---------------------------------------------------------------------------------------------
# The mutants


@dataclass(frozen=True)
class Mutant:
    line: int  # 1-based, the first line changed
    original: tuple  # the lines changed, as they were
    mutated: tuple  # and as the mutant has them
    operator: str

    def apply(self, lines):
        start = self.line - 1
        return lines[:start] + list(self.mutated) + lines[start + len(self.original) :]

    def change(self):
        if len(self.original) == 1:
            return self.original[0].strip(), self.mutated[0].strip()
        last = self.line + len(self.original) - 1
        before = self.original[0].strip() + " ..."
        after = " ".join(m.strip() for m in self.mutated).strip()
        return before, after or f"(lines {self.line}-{last} deleted)"


def mask(lines):
    """The lines with comments and the contents of string and character literals blanked, lengths
    kept, so the operators see code alone; preprocessor lines come out empty."""
    masked = []
    in_comment = False
    for line in lines:
        chars = list(line)
        quote = None
        i = 0
        while i < len(line):
            c = line[i]
            if in_comment:
                if line.startswith("*/", i):
                    chars[i : i + 2] = "  "
                    in_comment = False
                    i += 2
                    continue
                chars[i] = " "
            elif quote:
                if c == "\\":
                    chars[i : i + 2] = " " * len(chars[i : i + 2])
                    i += 2
                    continue
                if c == quote:
                    quote = None
                else:
                    chars[i] = " "
            elif line.startswith("//", i):
                chars[i:] = " " * (len(line) - i)
                break
            elif line.startswith("/*", i):
                chars[i : i + 2] = "  "
                in_comment = True
                i += 2
                continue
            elif c == '"' or (c == "'" and not (line[i - 1 : i].isdigit())):
                quote = c  # a quote after a digit is a digit separator
            i += 1
        text = "".join(chars)
        masked.append("" if text.lstrip().startswith("#") else text)
    return masked


def _alternatives(pattern, operators):
    """For each match of pattern in a masked line, (start, end, replacement) for every other
    operator of the group."""

    def find(code, line):
        for m in re.finditer(pattern, code):
            for other in operators:
                if other != m.group(1):
                    yield m.start(1), m.end(1), other

    return find


def _alternation(operators):
    return "|".join(re.escape(o) for o in sorted(operators, key=len, reverse=True))


# Binary operators only with a space either side, as clang-format writes them: so template
# brackets, pointers, references, unary minus and stream shifts are left alone.
RELATIONAL = ["<", "<=", ">", ">=", "==", "!="]
ARITHMETIC = ["+", "-", "*", "/"]
_relational = _alternatives(rf"(?<= )({_alternation(RELATIONAL)})(?= )", RELATIONAL)
_arithmetic = _alternatives(rf"(?<= )({_alternation(ARITHMETIC)})(?= )", ARITHMETIC)
_compound = _alternatives(r"(?<= )([-+*/])(?==)", ARITHMETIC)
_logical = _alternatives(r"(?<= )(&&|\|\|)(?= )", ["&&", "||"])
_boolean = _alternatives(r"\b(true|false)\b", ["true", "false"])
_step = _alternatives(r"(\+\+|--)", ["++", "--"])

NUMBER = re.compile(
    r"(?<![\w.])(\d+\.\d*(?:[eE][-+]?\d+)?|\.\d+(?:[eE][-+]?\d+)?|\d+[eE][-+]?\d+|\d+)"
    r"([uUlLfF]*)(?![\w.'])"
)


def _real(x):
    text = f"{x:.12g}"  # 1.06 - 1 as 0.06, not 0.06000000000000005
    return text if re.search(r"[.e]", text) else text + ".0"


def _constants(code, line):
    for m in NUMBER.finditer(code):
        text, suffix = m.group(1), m.group(2)
        if re.fullmatch(r"\d+", text):
            n = int(text, 8 if len(text) > 1 and text.startswith("0") else 10)
            values = [str(n + 1)] + ([str(n - 1), "0"] if n > 0 else [])
        else:
            x = float(text)
            values = [_real(x + 1), f"({_real(x - 1)})" if x < 1 else _real(x - 1)]
            values += ["0.0"] if x != 0 else []
        for value in dict.fromkeys(values):
            if value != text:
                yield m.start(1), m.end(2), value + suffix


def _negations(code, line):
    for m in re.finditer(r"\b(?:if|while)\s*\(", code):
        depth, start = 0, m.end() - 1
        for i in range(start, len(code)):
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            if depth == 0:
                yield start + 1, i, "!(" + line[start + 1 : i] + ")"
                break


def _jumps(code, line):
    for m in re.finditer(r"\b(?:break|continue)\s*;", code):
        yield m.start(), m.end(), ""


IN_LINE = [
    ("relational", _relational),
    ("arithmetic", _arithmetic),
    ("arithmetic", _compound),
    ("logical", _logical),
    ("constant", _constants),
    ("negation", _negations),
    ("boolean", _boolean),
    ("increment", _step),
    ("jump", _jumps),
]

KEYWORDS = r"(?:if|for|while|switch|return|case|default|throw|delete|new|sizeof|do|else|goto)\b"
LVALUE = r"(?:::)?[A-Za-z_][\w.\[\]>()*-]*"
DELETABLE = [
    re.compile(rf"^(?!{KEYWORDS}){LVALUE}\s*(?:[-+*/%&|^]|<<|>>)?=(?!=)"),  # assignment
    re.compile(rf"^(?!{KEYWORDS})(?:::)?[A-Za-z_]\w*(?:\s*(?:::|\.|->)\s*~?[A-Za-z_]\w*)*\s*\("),
    re.compile(rf"^(?!{KEYWORDS})[\w.\[\]>-]+\s*<<"),  # writing to a stream
    re.compile(rf"^(?:\+\+|--){LVALUE};$|^{LVALUE}(?:\+\+|--);$"),
]
TRIVIAL_RETURN = re.compile(r"return\s*(?:\{\}|0|0\.0|false|true|nullptr)?\s*;")


def _statements(masked):
    """(first, last) line indices of each statement that starts a line after an earlier one ended,
    and ends at a semicolon outside brackets."""
    ended = True
    i = 0
    while i < len(masked):
        code = masked[i].strip()
        if not code:
            i += 1
            continue
        if ended:
            depth = 0
            for j in range(i, min(i + 12, len(masked))):
                part = masked[j].strip()
                depth += sum(part.count(c) for c in "([{") - sum(part.count(c) for c in ")]}")
                if depth < 0 or part.endswith("{"):
                    break
                if depth == 0 and part.endswith(";"):
                    yield i, j
                    break
        ended = code[-1] in ";{}:"
        i += 1


def mutants(lines):
    """Every mutant of a file's lines, in line order, without duplicates."""
    masked = mask(lines)
    found = {}

    def add(mutant):
        found.setdefault((mutant.line, mutant.mutated), mutant)

    for index, (line, code) in enumerate(zip(lines, masked)):
        if not code.strip():
            continue
        for name, find in IN_LINE:
            for start, end, replacement in find(code, line):
                mutated = line[:start] + replacement + line[end:]
                if mutated.strip() != line.strip():
                    add(Mutant(index + 1, (line,), (mutated,), name))
    for first, last in _statements(masked):
        original = tuple(lines[first : last + 1])
        code = " ".join(m.strip() for m in masked[first : last + 1])
        indent = lines[first][: len(lines[first]) - len(lines[first].lstrip())]
        if code.startswith("return") and not TRIVIAL_RETURN.fullmatch(code):
            mutated = (indent + "return {};",) + ("",) * (last - first)
            add(Mutant(first + 1, original, mutated, "return"))
        elif any(p.search(code) for p in DELETABLE):
            add(Mutant(first + 1, original, ("",) * len(original), "deletion"))
    return sorted(found.values(), key=lambda m: (m.line, m.operator, m.mutated))


def sample(all_mutants, most, seed, name):
    """At most `most` of the mutants, the same ones for the same seed and file whatever their
    order, in line order."""
    ordered = sorted(all_mutants, key=lambda m: (m.line, m.operator, m.mutated))
    chosen = random.Random(f"{seed}:{name}").sample(ordered, min(most, len(ordered)))
    return sorted(chosen, key=lambda m: (m.line, m.operator, m.mutated))


@contextmanager
def planted(path, mutant, original):
    """The file with the mutant in it for the duration of the block, then as it was (the original
    bytes), whatever happens in the block."""
    try:
        lines = original.decode().split("\n")
        path.write_text("\n".join(mutant.apply(lines)))
        yield
    finally:
        path.write_bytes(original)


# ---------------------------------------------------------------------------------------------
# Building and testing


class Session:
    def __init__(self, args):
        self.build = (ROOT / args.build_dir).resolve()
        self.jobs = str(args.jobs)
        self.timeout = args.timeout
        self.log = None
        self.targets = set()
        self.binaries = {}
        self.limits = {}  # the time each check may take, from its run on the unchanged code

    def run(self, command, timeout=None, env=None):
        """'ok', 'failed' or 'timeout'; the whole process group is stopped on a timeout or an
        interruption, so no test is left running."""
        self.log.write(f"\n$ {' '.join(map(str, command))}\n")
        self.log.flush()
        process = subprocess.Popen(
            command,
            cwd=ROOT,
            stdout=self.log,
            stderr=subprocess.STDOUT,
            env={**os.environ, **(env or {})},
            start_new_session=True,
        )
        try:
            return "ok" if process.wait(timeout) == 0 else "failed"
        except subprocess.TimeoutExpired:
            self.log.write(f"(stopped after {timeout} s)\n")
            return "timeout"
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()

    def configure(self):
        """Configures the build folder, creating it on the first run, and lists its targets."""
        # One file a translation unit: a mutant recompiles its own file alone.
        options = ["-DRADIAL_BUILD_TESTS=ON", "-DRADIAL_BUILD_BENCH=OFF", "-DRADIAL_UNITY_BUILD=OFF"]
        options += ["-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"]  # which objects a file compiles to
        if self.run(["cmake", "-S", ROOT, "-B", self.build] + options) != "ok":
            sys.exit(f"cmake failed; see {self.log.name}")
        listing = subprocess.run(
            ["cmake", "--build", self.build, "--target", "help"], capture_output=True, text=True
        ).stdout
        # "... name" from make, "name: phony" from ninja.
        for line in listing.split("\n"):
            words = line.removeprefix("... ").split(":")[0].split()
            self.targets.update(words[:1])

    def checks_for(self, name):
        """The checks for a file, or None for the whole native ctest run."""
        keys = [k for k in TESTS if name == k or name.startswith(k + "/")]
        if not keys:
            print(f"  {name}: no tests listed for its folder; running every native test")
            return None
        checks = TESTS[max(keys, key=len)]
        missing = [t for c in checks for t in c.targets if t not in self.targets]
        if missing:
            print(f"  {name}: no target {', '.join(missing)} in this build; running every test")
            return None
        return checks

    def make(self, checks):
        command = ["cmake", "--build", self.build, "-j", self.jobs]
        if checks is not None:
            command += ["--target"] + sorted({t for c in checks for t in c.targets})
        return self.run(command, timeout=3600)

    def binary(self, name):
        if name not in self.binaries:
            found = [
                p
                for p in self.build.rglob(name)
                if p.is_file() and os.access(p, os.X_OK) and "CMakeFiles" not in p.parts
            ]
            if not found:
                sys.exit(f"{name} was built but is not in {self.build}")
            self.binaries[name] = found[0]
        return self.binaries[name]

    def test_command(self, check, limit):
        if check is None:
            command = ["ctest", "--test-dir", self.build, "-E", NOT_IN_WHOLE_RUN, "-j", self.jobs]
        elif isinstance(check, Ctest):
            command = ["ctest", "--test-dir", self.build, "-R", check.regex, "--no-tests=error"]
        else:
            return [self.binary(check.name), "--gtest_fail_fast"]
        return command + ["--stop-on-failure", "--output-on-failure", "--timeout", str(limit)]

    @staticmethod
    def runs(checks, extra):
        """The mapped checks, then (with extra) the whole native run; or that run alone."""
        if checks is None:
            return [None]
        return list(checks) + ([None] if extra else [])

    def test(self, checks, extra):
        """('killed', the check that failed or ran out of time) or ('survived', None)."""
        for check in self.runs(checks, extra):
            limit = self.limits[check]
            if self.run(self.test_command(check, limit), timeout=limit) != "ok":
                return "killed", check
        return "survived", None

    def baseline(self, checks, extra):
        """Builds and runs the checks on the unchanged code; they must pass. Each check's time
        limit for the mutants is then three times its time here, and ten seconds."""
        if self.make(None if extra else checks) != "ok":
            sys.exit(f"The unchanged code does not build; see {self.log.name}")
        for check in self.runs(checks, extra):
            if check in self.limits:
                continue
            started = time.monotonic()
            if self.run(self.test_command(check, 3600), timeout=3600) != "ok":
                sys.exit(f"The tests fail on the unchanged code; see {self.log.name}")
            self.limits[check] = self.timeout or round(3 * (time.monotonic() - started) + 10)

    def objects(self, path):
        """The object files the build compiles path into (empty for a header), or None when the
        build does not compile it at all."""
        database = self.build / "compile_commands.json"
        if path.suffix != ".cpp" or not database.exists():
            return []
        outputs = []
        for entry in json.loads(database.read_text()):
            if Path(entry["file"]).resolve() == path:
                output = entry.get("output") or re.search(r"-o (\S+)", entry["command"]).group(1)
                outputs.append(Path(entry["directory"]) / output)
        return outputs or None


# ---------------------------------------------------------------------------------------------


def git(*arguments):
    return subprocess.run(["git", *arguments], cwd=ROOT, capture_output=True, text=True)


def chosen_files(args):
    if args.files:
        names = [os.path.relpath(Path(f).resolve(), ROOT) for f in args.files]
    else:
        since = args.since or "HEAD~1"
        listed = git("diff", "--name-only", "--diff-filter=AMR", since, "--", *SOURCE_FOLDERS)
        if listed.returncode != 0:
            sys.exit(f"git diff {since}: {listed.stderr.strip()}")
        names = [n for n in listed.stdout.split() if n.endswith(CXX_ENDINGS)]
        if not names:
            sys.exit(f"No C++ file under {', '.join(SOURCE_FOLDERS)} changed since {since}")
    for name in names:
        if not (ROOT / name).is_file():
            sys.exit(f"No file {name}")
        if git("ls-files", "--error-unmatch", name).returncode != 0:
            sys.exit(f"{name} is not committed: commit it first, so it can always be restored")
        if git("diff", "--quiet", "HEAD", "--", name).returncode != 0:
            sys.exit(f"{name} has uncommitted changes: commit or stash them first")
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("files", nargs="*", help="C++ files (default: those changed since --since)")
    parser.add_argument("--since", help="a commit (default HEAD~1)")
    parser.add_argument("--max", type=int, default=10, help="mutants per file at most")
    parser.add_argument("--seed", default="1", help="which mutants are sampled")
    parser.add_argument("--all", action="store_true", help="then every native test too")
    parser.add_argument("--timeout", type=int, help="seconds each test run may take")
    parser.add_argument("--build-dir", default="build-mutants")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()

    names = chosen_files(args)
    session = Session(args)
    session.build.mkdir(parents=True, exist_ok=True)
    # A terminated run (not only Ctrl-C) unwinds too, so the files are put back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    signal.signal(signal.SIGHUP, lambda *_: sys.exit(129))
    originals = {}
    results = []  # (name, mutant, outcome, seconds)
    started = time.monotonic()
    interrupted = False
    with open(session.build / "mutants.log", "w") as session.log:
        print(f"Build and test output: {session.log.name}")
        try:
            session.configure()
            for name in names:
                path = ROOT / name
                originals[path] = path.read_bytes()
                run_file(session, name, path, originals[path], args, results)
        except KeyboardInterrupt:
            print("\nInterrupted; the files are put back. The mutants tried so far:")
            interrupted = True
        finally:
            for path, original in originals.items():
                if path.read_bytes() != original:
                    path.write_bytes(original)
            changed = [p for p in originals if git("diff", "--quiet", "--", p).returncode != 0]
            if changed:
                sys.exit(f"{', '.join(map(str, changed))} differs from its committed text!")
    report(results, time.monotonic() - started)
    sys.exit(130 if interrupted else 0)


def run_file(session, name, path, original, args, results):
    objects = session.objects(path)
    if objects is None:
        print(f"{name}: the native build does not compile it; skipped")
        return
    all_mutants = mutants(original.decode().split("\n"))
    chosen = sample(all_mutants, args.max, args.seed, name)
    print(f"{name}: {len(chosen)} of {len(all_mutants)} mutants (seed {args.seed})")
    checks = session.checks_for(name)
    started = time.monotonic()
    session.baseline(checks, args.all)
    print(f"  unchanged code built and tested in {time.monotonic() - started:.0f} s")
    for number, mutant in enumerate(chosen, 1):
        started = time.monotonic()
        with planted(path, mutant, original):
            written = time.time()
            if session.make(None if args.all else checks) != "ok":
                outcome, by = "unbuildable", None
            elif objects and all(
                not o.exists() or o.stat().st_mtime < written - 1 for o in objects
            ):
                print(f"  building its tests does not compile {name}: skipped; see TESTS")
                return
            else:
                outcome, by = session.test(checks, args.all)
        seconds = time.monotonic() - started
        results.append((name, mutant, outcome, seconds))
        where = f" by {getattr(by, 'name', 'ctest')}" if outcome == "killed" else ""
        print(
            f"  [{number}/{len(chosen)}] line {mutant.line} {mutant.operator}: {outcome}{where}"
            f" ({seconds:.0f} s)"
        )
        sys.stdout.flush()


def report(results, seconds):
    counted = [r for r in results if r[2] != "unbuildable"]
    killed = sum(1 for r in counted if r[2] == "killed")
    unbuildable = len(results) - len(counted)
    print()
    for name in dict.fromkeys(r[0] for r in results):
        mine = [r for r in counted if r[0] == name]
        mine_killed = sum(1 for r in mine if r[2] == "killed")
        print(f"{name}: {mine_killed}/{len(mine)} killed")
    percent = f"{100 * killed / len(counted):.0f} %" if counted else "no mutants"
    print(f"Score: {killed}/{len(counted)} killed ({percent});", end=" ")
    print(f"{unbuildable} unbuildable, not counted")
    survivors = [r for r in counted if r[2] == "survived"]
    if survivors:
        print("Survivors:")
    for name, mutant, *_ in survivors:
        before, after = mutant.change()
        print(f"  {name}:{mutant.line} ({mutant.operator})\n    - {before}\n    + {after}")
    if results:
        each = sum(r[3] for r in results) / len(results)
        print(f"{len(results)} mutants, {each:.1f} s a mutant; {seconds:.0f} s in all, with the")
        print("build and test runs of the unchanged code")


if __name__ == "__main__":
    main()
