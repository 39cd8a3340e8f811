#!/usr/bin/env python3
"""Times `farline update` fetching a 5 MiB access number file from python's http.server on the
loopback against curl fetching the same over the same server, both as whole processes, and
prints the figures and their ratio.

    bench/compare_update_with_curl.py [BUILD_DIR] [--runs N] [--mib M]

BUILD_DIR defaults to build/release (cmake --preset release && cmake --build --preset release).
farline asks for the descriptor, then downloads the file, checks that it deciphers, replaces
LANFile.txt, saves its settings and reloads the access numbers of the SIM country; curl does the
same two GETs in one process (`-o` each), then `sync FILE` flushes the file to the disk as farline
does (`curl … && sync FILE`, the anchor), and for reference the two GETs without the flush and
the file alone. Each farline run
starts from a fresh copy of the same home. The file's lines are spread over 800 country keys, as
in a file for many countries; loading one country's numbers from a large file is measured on its
own by bench_lan_load. The goal is a ratio of at most 1.5 against curl's two GETs and the flush.

Where farline's time goes (release, this machine, December 2026). Before this work 61 against
32 ms (1.94x); then 39-55 against 27-33 ms, about 1.5 in the middle of the runs; since the SIM
country's numbers are found while the download is checked (below), 40-42 against 30-32 ms,
1.33x in each of three runs. The machine's speed varies by half between runs, and farline, which
computes more than curl, loses more when it is slow. A trail of the exchange's steps:
- Process start: the dynamic loader runs a quarter of all instructions (Qt Core, Network, Sql),
  yet `farline --version` (11.8 ms) starts no slower than `curl --version` (13.4 ms). The
  descriptor is asked for 11-13 ms after the process starts, and answered 2-3 ms later.
  OpenSSL now gets ready on a thread of its own meanwhile (CryptoManager::prepareMeanwhile):
  the descriptor is asked for 1.5 ms sooner.
- The download took 25-30 ms where the bytes alone arrive in 5-8 ms: the exchange's thread,
  which writes, deciphers and checks each piece, spent 25 ms of processor on it. 3,400 of its
  page faults (13 MiB of new memory) came from the checked text growing piece by piece, each
  growth a new block and a copy. Reserving the text from the announced length cut its
  processor time to 11 ms and the whole update from 57-61 to 47-51 ms (the text is no longer
  kept at all: below). The download now takes 16-23 ms.
- The check of each line: 300 instructions a line at first, most of it in Qt's search for a
  character (then memchr: 71 to 64 ms); now about 190, with the line ends found 16 bytes at a
  time, numbers judged eight bytes at a time (runs of digits, and digits in groups with
  spaces, as real files write them) and the line's check inlined into its loop (135 to 106
  million instructions for the whole run, by callgrind).
- The flush: the file is sent towards the disk each MiB while it arrives (sync_file_range), so
  the flush at the end waits 1-1.5 ms instead of 6 (curl's `sync FILE` waits for all of it).
- After the flush: the settings are saved (0.5 ms) and the process ends (3-4 ms). The SIM
  country's numbers were loaded there from a copy of the checked text, a search of the 5 MiB for
  the key while the exchange's thread waited: 2-3 ms. The check now hands each run of lines it
  passed to that search as it goes, on the exchange's thread while the bytes arrive, and keeps no
  copy of the text: an interleaved A/B of 40 runs each measured 45.7 against 49.7 ms (medians),
  and the update no longer holds the file's text in memory.
- Tried and dropped: checking on a thread of its own while the exchange's thread receives and
  writes (5 ms slower: each piece then needs a buffer of its own, new memory again, and four
  busy threads share two cores); keeping the last block's carriage returns between lines (the
  line search ran more instructions, 19.7 against 14.0 million).
"""
import argparse
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent


def timed(command, expect=0):
    start = time.perf_counter()
    result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if result.returncode != expect:
        sys.exit(f"{command[0]} exited {result.returncode}: {result.stderr.decode(errors='replace')}")
    return elapsed


def start_server(root):
    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                               "--directory", str(root)],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    match = re.search(r"port (\d+)", server.stdout.readline())
    if not match:
        server.kill()
        sys.exit("python3 -m http.server did not start")
    return server, f"http://127.0.0.1:{match.group(1)}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=str(ROOT / "build" / "release"))
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--mib", type=float, default=5)
    args = parser.parse_args()

    bin_dir = pathlib.Path(args.build_dir) / "bin"
    farline, farline_data = bin_dir / "farline", bin_dir / "farline-data"
    curl = shutil.which("curl")
    for tool in (farline, farline_data):
        if not tool.exists():
            sys.exit(f"{tool} is missing: build the release preset first")
    if not curl:
        sys.exit("curl is not installed (scripts/bootstrap installs it)")

    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        tree, template, home = tmp / "tree", tmp / "template", tmp / "home"
        tree.mkdir()
        server, address = start_server(tree)
        try:
            # An access number file of the wanted size, its lines spread over 800 country keys as
            # in a file for many countries, published as version 1.
            plain = tmp / "plain.txt"
            line = "{key} +{number:011d}\n"
            line_count = int(args.mib * 2**20 / (len(line.format(key=234, number=0)) + 1)) + 1
            with plain.open("w") as out:
                for i in range(line_count):
                    out.write(line.format(key=200 + i % 800, number=i))
            file_url = f"{address}/files/LANFile-1.txt"
            subprocess.run([str(farline_data), "publish", str(plain), "--version", "1", "--url", file_url,
                            "--out", str(tree)], check=True)
            size = (tree / "files" / "LANFile-1.txt").stat().st_size
            subprocess.run([str(farline), "--home", str(template), "country", "234"], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

            def farline_update():
                shutil.rmtree(home, ignore_errors=True)
                shutil.copytree(template, home)
                return timed([str(farline), "--home", str(home), "--server", address, "update"])

            descriptor_url = f"{address}/server.php?getfile=conf&version=0&device=iph"
            curl_both = [curl, "-s", "-f", "-o", str(tmp / "d"), descriptor_url, "-o", str(tmp / "f"), file_url]
            curl_file = [curl, "-s", "-f", "-o", str(tmp / "f"), file_url]
            curl_synced = ["sh", "-c", '"$@" && sync "$0"', str(tmp / "f")] + curl_both

            farline_update(), timed(curl_both), timed(curl_file)  # warm the page cache and the loaders
            ours, synced, both, alone = [], [], [], []
            for _ in range(args.runs):  # interleaved, so that all see the same machine load
                synced.append(timed(curl_synced))
                both.append(timed(curl_both))
                alone.append(timed(curl_file))
                ours.append(farline_update())
        finally:
            server.kill()
            server.wait()

    ours_ms, synced_ms, both_ms, alone_ms = (statistics.median(t) * 1000 for t in (ours, synced, both, alone))
    print(f"file: {size / 2**20:.2f} MiB, {line_count} lines; median of {args.runs} runs each")
    print(f"curl, both, && sync FILE:   {synced_ms:8.2f} ms")
    print(f"curl, descriptor and file:  {both_ms:8.2f} ms")
    print(f"curl, file only:            {alone_ms:8.2f} ms")
    print(f"farline update:             {ours_ms:8.2f} ms")
    print(f"ratio:                      {ours_ms / synced_ms:8.2f} (goal: at most 1.50; "
          f"{ours_ms / both_ms:.2f} against the GETs without the flush, {ours_ms / alone_ms:.2f} against the file alone)")


if __name__ == "__main__":
    main()
