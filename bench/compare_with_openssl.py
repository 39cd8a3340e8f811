#!/usr/bin/env python3
"""Times the program's load of a large access number file against `openssl enc -d` deciphering
the same file, both as whole processes, and prints both figures and their ratio.

    bench/compare_with_openssl.py [BUILD_DIR] [--runs N]

BUILD_DIR defaults to build/release (cmake --preset release && cmake --build --preset release).
The goal is a ratio of at most 1.5. Processor time (user and system, from the children's
resource usage) is printed beside the wall time: on a shared machine it moves less.
"""
import argparse
import hashlib
import resource
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
KEY_HEX = hashlib.md5(b"QMBKey").hexdigest()
SAMPLE_KEY = "12345"  # LargeLANFile::sampleKey


def timed(command):
    """Wall time and processor time of one run, in seconds."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=str(ROOT / "build" / "release"))
    parser.add_argument("--runs", type=int, default=30)
    args = parser.parse_args()

    loader = pathlib.Path(args.build_dir) / "bin" / "bench_lan_load"
    openssl = shutil.which("openssl")
    if not loader.exists():
        sys.exit(f"{loader} is missing: build the release preset first")
    if not openssl:
        sys.exit("openssl is not installed")

    with tempfile.TemporaryDirectory() as tmp:
        data_file = pathlib.Path(tmp) / "LANFile.txt"
        subprocess.run([str(loader), "write", str(data_file)], check=True)
        content = data_file.read_bytes()
        # openssl deciphers the same ciphertext, chained from the file's first 16 bytes.
        body = pathlib.Path(tmp) / "LANFile.body"
        body.write_bytes(content[16:])
        iv_hex = content[:16].hex()

        ours = [str(loader), "load", str(data_file), SAMPLE_KEY]
        theirs = [openssl, "enc", "-d", "-aes-128-cbc", "-K", KEY_HEX, "-iv", iv_hex,
                  "-in", str(body), "-out", "/dev/null"]
        for command in (ours, theirs):  # warm the page cache and the loader
            timed(command)
        ours_times, theirs_times = [], []
        for _ in range(args.runs):  # interleaved, so that both see the same machine load
            theirs_times.append(timed(theirs))
            ours_times.append(timed(ours))

    def medians(times):
        return (statistics.median(t[i] for t in times) * 1000 for i in (0, 1))

    theirs_ms, theirs_cpu = medians(theirs_times)
    ours_ms, ours_cpu = medians(ours_times)
    size_mb = len(content) / 1e6
    print(f"file: {size_mb:.2f} MB, 100000 lines; median of {args.runs} runs each (wall, processor)")
    print(f"openssl enc -d:        {theirs_ms:8.2f} ms {theirs_cpu:8.2f} ms")
    print(f"farline load (1 key):  {ours_ms:8.2f} ms {ours_cpu:8.2f} ms")
    print(f"ratio:                 {ours_ms / theirs_ms:8.2f}    {ours_cpu / theirs_cpu:8.2f} (goal: at most 1.50)")


if __name__ == "__main__":
    main()
