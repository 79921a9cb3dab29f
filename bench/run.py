#!/usr/bin/env python3
"""Measures subvane-cli on generated drafts of 1,000, 5,000 and 20,000 subtitles.

Prints, from one run: the CLI's time and peak memory per size, the time of a bare
cJSON parse of the same file, and the time of a plain Python converter, then the
ratios against their targets. Times are the best of a few runs.

    bench/run.py [--cli PATH] [--work DIR] [--runs N] [--sizes 1000,5000,20000]

Without --cli it builds a Release subvane-cli in build/bench (no sanitizers).
"""
import argparse
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "bench")


def build_cli(build_dir):
    subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DSUBVANE_SANITIZE=OFF"], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["ninja", "-C", build_dir, "-j2", "subvane-cli"], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(build_dir, "cli", "subvane-cli")


def build_cjson_parse(work):
    program = os.path.join(work, "cjson_parse")
    subprocess.run(["cc", "-O2", "-o", program, os.path.join(BENCH, "cjson_parse.c"), "-lcjson"], check=True)
    return program


def run_measured(command, stdout=subprocess.DEVNULL):
    """Wall time in seconds and peak resident memory in bytes of one child process."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=stdout)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit("failed (%d): %s" % (child.returncode, " ".join(command)))
    return elapsed, usage.ru_maxrss * 1024


def best(runs, measure):
    results = [measure() for _ in range(runs)]
    return min(r[0] for r in results), max(r[1] for r in results)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli")
    parser.add_argument("--work", default="/tmp/subvane-bench")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--sizes", default="1000,5000,20000")
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    cli = args.cli or build_cli(os.path.join(ROOT, "build", "bench"))
    cjson_parse = build_cjson_parse(args.work)
    sizes = [int(s) for s in args.sizes.split(",")]

    print("%8s %9s %10s %11s %10s %11s %8s %8s %8s" % ("subtitles", "file MB", "cli s", "cli peak MB",
                                                        "cJSON s", "python s", "cli/cJ", "py/cli",
                                                        "mem/file"))
    rows = {}
    for n in sizes:
        draft = os.path.join(args.work, "draft-%d.json" % n)
        subprocess.run([sys.executable, os.path.join(BENCH, "generate_draft.py"), str(n), draft], check=True)
        size = os.path.getsize(draft)
        out = os.path.join(args.work, "out-%d.srt" % n)
        cli_time, cli_peak = best(args.runs, lambda: run_measured([cli, "-o", out, draft]))

        def cjson_once():
            text = subprocess.run([cjson_parse, draft], check=True, capture_output=True, text=True).stdout
            return float(text), 0

        cjson_time, _ = best(args.runs, cjson_once)
        python_time, _ = best(1, lambda: run_measured(
            [sys.executable, os.path.join(BENCH, "python_convert.py"), draft, out + ".py"]))
        rows[n] = cli_time
        print("%8d %9.1f %10.3f %11.1f %10.3f %11.3f %8.2f %8.1f %8.2f" % (
            n, size / 1e6, cli_time, cli_peak / 1e6, cjson_time, python_time, cli_time / cjson_time,
            python_time / cli_time, cli_peak / size))
        last = (n, cli_time, cli_peak, size, cjson_time, python_time)

    n, cli_time, cli_peak, size, cjson_time, python_time = last
    print()
    print("targets on the %d-subtitle draft:" % n)
    print("  cli time / bare cJSON parse  %6.2f  (at most 1.5)" % (cli_time / cjson_time))
    print("  python time / cli time       %6.1f  (at least 5)" % (python_time / cli_time))
    print("  cli peak memory / file size  %6.2f  (at most 8)" % (cli_peak / size))
    if min(sizes) in rows and n != min(sizes):
        print("  time / %d-subtitle time  %6.1f  (at most 25)" % (min(sizes), cli_time / rows[min(sizes)]))


if __name__ == "__main__":
    main()
