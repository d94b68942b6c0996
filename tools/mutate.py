#!/usr/bin/env python3
"""Plants one fault at a time in a copy of the product and asks whether the tests notice.

Lines are drawn at random, each library getting its share by size, so that nobody chooses
which faults the tests meet. Every mutant is built and run against the whole ctest suite of
its own build; one that does not compile is counted apart. Results go to a JSON-lines file,
one mutant a line, so that a survivor can be run again alone with --rerun.

  tools/mutate.py --seed 7 --count 60            # a sample
  tools/mutate.py --rerun 12 --results FILE      # one mutant of an earlier sample again
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LAYERS = ["fileio", "model", "codecs", "render", "generate", "cli", "wizard", "ui"]
SOURCE_SUFFIXES = (".cpp", ".h")

RELATIONAL = ["<=", ">=", "==", "!=", "<", ">"]
ARITHMETIC = ["+", "-", "*", "/"]
# Spaced binary operators only: a bare < or > is as often a template bracket.
RELATIONAL_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
ARITHMETIC_RE = re.compile(r"(?<=\s)([-+*/])(?=\s)")
PLUS_MINUS_ONE_RE = re.compile(r"\s[-+]\s1\b(?!\.)")
NUMBER_RE = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
BOOL_RE = re.compile(r"\b(true|false)\b")
CONDITION_RE = re.compile(r"\b(if|while)\s*\(")
TWO_ARGS_RE = re.compile(r"\b\w+\(\s*([\w.]+)\s*,\s*([\w.]+)\s*\)")
STATEMENT_RE = re.compile(r"^\s*(return;|[\w:.>\-\[\]()]+\s*(=|\+=|-=|\|=|&=)\s*[^=].*;|[\w:.>\-]+\(.*\);)\s*$")
SKIP_RE = re.compile(r"^\s*(#|//|\*|/\*|static_assert|Q_OBJECT|Q_[A-Z_]+\(|case\b|default:)")


def masked(line):
    """The line with string and character literals and a trailing comment blanked out."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def closing_paren(text, start):
    depth = 0
    for i in range(start, len(text)):
        if text[i] == "(":
            depth += 1
        elif text[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def mutations(line, previous=";"):
    """Every (operator, mutated line) one standard operator makes of this line; `previous`,
    the line before, tells whether a statement starts here."""
    if SKIP_RE.match(line) or not line.strip():
        return []
    view = masked(line)
    found = []

    def swap(m, new, name):
        found.append((name, line[: m.start(1)] + new + line[m.end(1):]))

    for m in RELATIONAL_RE.finditer(view):
        for other in RELATIONAL:
            if other != m.group(1):
                swap(m, other, f"relational {m.group(1)} -> {other}")
    for m in ARITHMETIC_RE.finditer(view):
        for other in ARITHMETIC:
            if other != m.group(1):
                swap(m, other, f"arithmetic {m.group(1)} -> {other}")
    for m in PLUS_MINUS_ONE_RE.finditer(view):
        found.append((f"remove '{m.group().strip()}'", line[: m.start()] + line[m.end():]))
    for m in NUMBER_RE.finditer(view):
        found.append(("add ' + 1'", line[: m.end()] + " + 1" + line[m.end():]))
        found.append(("add ' - 1'", line[: m.end()] + " - 1" + line[m.end():]))
        for constant in ("0", "1"):
            if m.group(1) != constant:
                swap(m, constant, f"constant {m.group(1)} -> {constant}")
    for m in BOOL_RE.finditer(view):
        swap(m, "false" if m.group(1) == "true" else "true", f"boolean {m.group(1)}")
    found += negations(line, view)
    for m in TWO_ARGS_RE.finditer(view):
        a, b = m.group(1), m.group(2)
        if a != b:
            swapped = line[: m.start(1)] + b + line[m.end(1): m.start(2)] + a + line[m.end(2):]
            found.append((f"swap arguments {a}, {b}", swapped))
    starts = masked(previous).rstrip().endswith((";", "{", "}", ":", ")", "else")) or not previous.strip()
    if starts and STATEMENT_RE.match(view) and "{" not in view and "}" not in view:
        indent = line[: len(line) - len(line.lstrip())]
        found.append(("delete statement", indent + ";"))
    return found


def negations(line, view):
    found = []
    for m in CONDITION_RE.finditer(view):
        open_at = m.end() - 1
        close_at = closing_paren(view, open_at)
        if close_at > open_at + 1 and ";" not in view[open_at:close_at]:
            inner = line[open_at + 1: close_at]
            found.append((f"negate {m.group(1)}",
                          line[: open_at + 1] + "!(" + inner + ")" + line[close_at:]))
    return found


def product_lines(src):
    """{layer: [(relative path, line number, text)]} of every line an operator applies to."""
    layers = {}
    for layer in LAYERS:
        rows = []
        for path in sorted((src / layer).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES:
                continue
            in_block_comment, previous = False, ";"
            for number, text in enumerate(path.read_text(errors="replace").splitlines(), 1):
                stripped = text.strip()
                if in_block_comment or stripped.startswith("/*"):
                    in_block_comment = "*/" not in stripped
                    continue
                if mutations(text, previous):
                    rows.append((str(path.relative_to(src)), number, text, previous))
                if stripped and not stripped.startswith("//"):
                    previous = text
        layers[layer] = rows
    return layers


def draws(layers, seed):
    """An endless, reproducible sequence of (layer, path, line, operator, mutated line), the
    layers drawn in proportion to their number of mutable lines."""
    rng = random.Random(seed)
    names = [name for name in LAYERS if layers.get(name)]
    weights = [len(layers[name]) for name in names]
    while True:
        layer = rng.choices(names, weights)[0]
        path, number, text, previous = rng.choice(layers[layer])
        operator, mutated = rng.choice(mutations(text, previous))
        yield {"layer": layer, "file": path, "line": number, "operator": operator,
               "original": text, "mutated": mutated}


def run(command, cwd, timeout=None, log=None):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True, timeout=timeout, errors="replace")
    except subprocess.TimeoutExpired:
        return None, "timed out"
    if log is not None:
        log.write(done.stdout)
    return done.returncode, done.stdout


def prepare(work, jobs):
    """A private clone of the committed tree and its configured build: the working tree is
    never touched, so an interrupted sample leaves nothing planted in it."""
    src, build = work / "src", work / "build"
    if not src.exists():
        subprocess.run(["git", "clone", "-q", "--no-hardlinks", str(ROOT), str(src)], check=True)
    subprocess.run(["git", "-C", str(src), "fetch", "-q", str(ROOT), "HEAD"], check=True)
    subprocess.run(["git", "-C", str(src), "checkout", "-q", "-f", "FETCH_HEAD"], check=True)
    # The browser tests skip themselves without the packages they drive the browser with.
    modules = Path("tests/browser/node_modules")
    if (ROOT / modules).is_dir() and not (src / modules).exists():
        (src / modules).symlink_to(ROOT / modules)
    if not (build / "build.ninja").exists():
        configure = ["cmake", "-S", str(src), "-B", str(build), "-G", "Ninja",
                     "-DCMAKE_BUILD_TYPE=Release", "-DBRINDLEWICK_BUILD_BENCH=OFF"]
        if shutil.which("ccache"):
            configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        subprocess.run(configure, check=True, stdout=subprocess.DEVNULL)
    code, out = run(["cmake", "--build", str(build), f"-j{jobs}"], src)
    if code != 0:
        sys.exit("the unmutated tree does not build:\n" + out[-3000:])
    return src, build


def try_mutant(mutant, src, build, args):
    """Plants the mutant, builds and tests, and takes it out again whatever happens."""
    path = src / mutant["file"]
    original = path.read_bytes()
    lines = original.decode(errors="surrogateescape").split("\n")
    if lines[mutant["line"] - 1] != mutant["original"]:
        return dict(mutant, outcome="stale")
    lines[mutant["line"] - 1] = mutant["mutated"]
    path.write_bytes("\n".join(lines).encode(errors="surrogateescape"))
    started = time.time()
    try:
        code, _ = run(["cmake", "--build", str(build), f"-j{args.jobs}"], src)
        if code != 0:
            return dict(mutant, outcome="uncompilable")
        ctest = ["ctest", "--test-dir", str(build), f"-j{args.jobs}", "--timeout",
                 str(args.test_timeout), "--stop-on-failure"]
        code, out = run(ctest + (["-E", args.exclude] if args.exclude else []), src,
                        timeout=args.test_timeout * 4)
        failed = re.findall(r"\d+ - (\S+) \(", out or "")
        outcome = "killed" if code != 0 else "survived"
        return dict(mutant, outcome=outcome, failed=failed[:5],
                    seconds=round(time.time() - started))
    finally:
        path.write_bytes(original)


def report(results):
    tested = [r for r in results if r["outcome"] in ("killed", "survived")]
    skipped = len(results) - len(tested)
    print(f"\n{len(tested)} mutants tested, {skipped} did not compile (counted apart)")
    for layer in LAYERS + [None]:
        rows = [r for r in tested if layer is None or r["layer"] == layer]
        if rows:
            killed = sum(r["outcome"] == "killed" for r in rows)
            name = layer or "all"
            print(f"  {name:9} {killed:3}/{len(rows):<3} {100 * killed / len(rows):5.1f}%")
    survivors = [r for r in tested if r["outcome"] == "survived"]
    if survivors:
        print("\nSurvivors (rerun one with --rerun ID --results FILE):")
    for r in survivors:
        print(f"  #{r['id']:<3} {r['file']}:{r['line']}  {r['operator']}")
        print(f"        {r['original'].strip()}\n     -> {r['mutated'].strip()}")


def sample(args, src, build):
    layers = product_lines(src)
    results, attempts = [], 0
    source = draws(layers, args.seed)
    with open(args.results, "w") as out:
        while sum(r["outcome"] in ("killed", "survived") for r in results) < args.count:
            attempts += 1
            if attempts > args.count * 5:
                print("too many mutants failed to compile; stopping", file=sys.stderr)
                break
            result = try_mutant(dict(next(source), id=attempts, seed=args.seed), src, build, args)
            results.append(result)
            out.write(json.dumps(result) + "\n")
            out.flush()
            print(f"#{attempts:<3} {result['outcome']:12} {result['file']}:{result['line']} "
                  f"{result['operator']}", flush=True)
    return results


def rerun(args, src, build):
    with open(args.results) as stored:
        rows = [json.loads(line) for line in stored if line.strip()]
    wanted = [r for r in rows if r["id"] == args.rerun]
    if not wanted:
        sys.exit(f"no mutant #{args.rerun} in {args.results}")
    result = try_mutant({k: wanted[0][k] for k in ("id", "seed", "layer", "file", "line",
                                                   "operator", "original", "mutated")},
                        src, build, args)
    print(json.dumps(result, indent=1))
    run(["cmake", "--build", str(build), f"-j{args.jobs}"], src)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=60, help="mutants that compile")
    parser.add_argument("--work", type=Path, default=Path("/tmp/brindlewick-mutate"),
                        help="where the private clone and its build live")
    parser.add_argument("--results", default="mutants.jsonl")
    parser.add_argument("--rerun", type=int, help="run mutant ID of --results again")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--test-timeout", type=int, default=300, help="seconds per test")
    parser.add_argument("--exclude", default="", help="ctest -E regex of tests to leave out")
    parser.add_argument("--list", action="store_true", help="print the mutable lines per layer")
    args = parser.parse_args()
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    args.work.mkdir(parents=True, exist_ok=True)
    if args.list:
        for layer, rows in product_lines(ROOT).items():
            print(f"{layer:9} {len(rows)}")
        return
    src, build = prepare(args.work, args.jobs)
    if args.rerun is not None:
        rerun(args, src, build)
        return
    report(sample(args, src, build))
    run(["cmake", "--build", str(build), f"-j{args.jobs}"], src)


if __name__ == "__main__":
    main()
