#!/usr/bin/env python3
"""Start-up, measured as whole processes from their start, in one run:

1. the dialer window to its first frame offscreen, beside a bare Qt Quick window showing one
   rectangle (goal: at most 1.5 times as long);
2. `farline country` (the command line) beside the same command of an earlier build (goal: no
   slower). The earlier build is made from a git commit (default: the last one before the window
   joined the program) in a worktree beside this repository's build folder.

    bench/compare_window_start.py [--runs N] [--before COMMIT]

Needs the release preset built (cmake --preset release && cmake --build --preset release).
"""
import argparse
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time

top = pathlib.Path(__file__).resolve().parent.parent
release = top / "build" / "release" / "bin"


def first_frame_ms(command, env):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    line = process.stdout.readline()
    elapsed = (time.perf_counter() - start) * 1000
    process.wait()
    if line.strip() != "frame":
        sys.exit(f"{command[0]} drew no frame")
    return elapsed


def run_ms(command, env):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, check=True)
    return (time.perf_counter() - start) * 1000


def compare(name, first, second, runs, measure):
    # Alternated, so that whatever else the machine does weighs on both alike.
    a, b = [], []
    for _ in range(runs):
        a.append(measure(first))
        b.append(measure(second))
    ma, mb = statistics.median(a), statistics.median(b)
    print(f"{name}: {ma:.1f} ms against {mb:.1f} ms (medians of {runs}), ratio {ma / mb:.2f}")
    return ma / mb


def build_before(commit):
    tree = top / "build" / "before-window"
    if not tree.exists():
        subprocess.run(["git", "-C", str(top), "worktree", "add", "--detach", str(tree), commit], check=True)
    subprocess.run(["cmake", "--preset", "release"], cwd=tree, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "release", "--target", "farline"], cwd=tree, check=True)
    return tree / "build" / "release" / "bin" / "farline"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--before", default="4632588")
    options = parser.parse_args()

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=tempfile.mkdtemp())
    with tempfile.TemporaryDirectory() as home:
        # A home after its first start, as most starts are: the keypad shows.
        subprocess.run([str(release / "farline"), "--home", home, "country", "260"], env=env, check=True,
                       stderr=subprocess.DEVNULL)
        window = [str(release / "bench_first_frame"), "window", "--home", home, "--telephone", "print"]
        bare = [str(release / "bench_first_frame"), "bare"]
        ratio = compare("window to first frame", window, bare, options.runs, lambda c: first_frame_ms(c, env))

        before = build_before(options.before)
        now = [str(release / "farline"), "--home", home, "country"]
        then = [str(before), "--home", home, "country"]
        cli = compare("farline country", now, then, options.runs, lambda c: run_ms(c, env))
    print(f"goals: window at most 1.5 ({'met' if ratio <= 1.5 else 'missed'}), "
          f"command line no slower ({'met' if cli <= 1.05 else 'missed'}, 5% allowed for noise)")


if __name__ == "__main__":
    main()
