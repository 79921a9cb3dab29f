#!/usr/bin/env python3
"""Prints every performance figure of Subvane from one run (`make bench`).

subvane-cli (the release preset: Release, no sanitizers) on generated drafts of 1,000
and 20,000 subtitles, beside a plain Python converter applying the same timeline rules
and a bare simdjson parse of the same file, each a whole process: wall time and peak
memory. Then --list over 400 projects of 2.8 MB against converting them all. Then the
64-bit Windows subvane-cli.exe under the 64-bit Wine loader beside the native one on the
same draft. Then the window program (64-bit) under Wine: the time from Return in the open
dialog to "解析完成" for 5,000 and 20,000 subtitles. Times are the best of a few runs, peaks the
largest; the outputs of subvane-cli and the Python converter are compared byte for byte.

    bench/run.py [--runs N] [--sizes 1000,20000] [--window-sizes 5000,20000] [--no-window]
                 [--list-projects 400] [--list-subtitles 1100]
"""
import argparse
import os
import resource
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH = os.path.join(ROOT, "bench")


def build_cli():
    subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "release", "-j2", "--target", "subvane-cli"], cwd=ROOT,
                   check=True, stdout=subprocess.DEVNULL)
    return os.path.join(ROOT, "build", "release", "cli", "subvane-cli")


def table_history(args):
    """The table's edit history on 200,000 rows: Ctrl+A, Delete, Ctrl+Z, Ctrl+Y."""
    build_cli()
    subprocess.run(["cmake", "--build", "--preset", "release", "-j2", "--target", "table_history_bench"],
                   cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run([os.path.join(ROOT, "build", "release", "bench", "table_history_bench"),
                    str(args.history_rows)], check=True)


def build_simdjson_parse(work):
    program = os.path.join(work, "simdjson_parse")
    subprocess.run(["c++", "-O2", "-std=c++17", "-o", program, os.path.join(BENCH, "simdjson_parse.cpp"),
                    "-lsimdjson"], check=True)
    return program


def run_measured(command):
    """Wall time in seconds and peak resident memory in bytes of one child process."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("failed: %s" % " ".join(command))
    return elapsed, usage.ru_maxrss * 1024


def best(runs, command):
    results = [run_measured(command) for _ in range(runs)]
    return min(r[0] for r in results), max(r[1] for r in results)


def same_bytes(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def converters(args, work):
    cli = build_cli()
    bare = build_simdjson_parse(work)
    print("subvane-cli, Python converter and a bare simdjson parse (whole processes, %d runs each)" % args.runs)
    print("%9s %8s | %8s %8s | %8s %8s | %8s %8s | %6s %8s %6s" % (
        "subtitles", "file MB", "cli s", "cli MB", "py s", "py MB", "bare s", "bare MB", "py/cli",
        "cli/file", "output"))
    figures = {}
    for n in args.sizes:
        draft = os.path.join(work, "draft-%d.json" % n)
        subprocess.run([sys.executable, os.path.join(BENCH, "generate_draft.py"), str(n), draft], check=True)
        # subvane-cli syncs the file it writes; with the fresh draft still unwritten that
        # would wait for the draft too.
        os.sync()
        size = os.path.getsize(draft)
        ours, theirs = os.path.join(work, "cli-%d.srt" % n), os.path.join(work, "py-%d.srt" % n)
        cli_time, cli_peak = best(args.runs, [cli, "-o", ours, draft])
        py_time, py_peak = best(max(1, args.runs // 2), [sys.executable, os.path.join(BENCH, "python_convert.py"),
                                                         draft, theirs])
        bare_time, bare_peak = best(args.runs, [bare, draft])
        same = same_bytes(ours, theirs)
        figures[n] = (cli_time, cli_peak, size, py_time)
        print("%9d %8.1f | %8.3f %8.1f | %8.3f %8.1f | %8.3f %8.1f | %6.1f %8.2f %6s" % (
            n, size / 1e6, cli_time, cli_peak / 1e6, py_time, py_peak / 1e6, bare_time, bare_peak / 1e6,
            py_time / cli_time, cli_peak / size, "same" if same else "DIFFER"))
    large, small = max(args.sizes), min(args.sizes)
    cli_time, cli_peak, size, py_time = figures[large]
    print("goals on %d subtitles:" % large)
    print("  Python time / cli time        %6.1f   (at least 10)" % (py_time / cli_time))
    print("  cli peak memory / file size   %6.2f   (at most 4)" % (cli_peak / size))
    if small != large:
        print("  cli time %d / cli time %d %6.1f   (at most 22)" % (large, small, cli_time / figures[small][0]))


def project_list(args, work):
    """--list over many projects against converting all of them, each a whole process."""
    cli = build_cli()
    root = os.path.join(work, "projects")
    shutil.rmtree(root, ignore_errors=True)
    draft = os.path.join(work, "project-draft.json")
    subprocess.run([sys.executable, os.path.join(BENCH, "generate_draft.py"), str(args.list_subtitles), draft],
                   check=True)
    folders = []
    for i in range(args.list_projects):
        folder = os.path.join(root, "p%04d" % i)
        os.makedirs(folder)
        shutil.copyfile(draft, os.path.join(folder, "draft_content.json"))
        folders.append(folder)
    out = os.path.join(work, "list-out")
    os.sync()
    size = os.path.getsize(draft)

    def run(command, cache):
        """Wall and CPU (user + system, every thread) seconds of one whole process."""
        # A cache folder of the run's own: "cold" starts with nothing remembered.
        env = dict(os.environ, XDG_CACHE_HOME=cache)
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(command, env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wall = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)

    def fresh_cache(name):
        cache = os.path.join(work, name)
        shutil.rmtree(cache, ignore_errors=True)
        return cache

    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)
    load = os.getloadavg()[0]
    convert = run([cli, "--output-dir", out] + folders, fresh_cache("cache-convert"))
    listed_after = run([cli, "--list", "--drafts-root", root], os.path.join(work, "cache-convert"))
    first = run([cli, "--list", "--drafts-root", root], fresh_cache("cache-list"))
    best = min([first] + [run([cli, "--list", "--drafts-root", root], fresh_cache("cache-list"))
                          for _ in range(args.runs - 1)])
    warm = run([cli, "--list", "--drafts-root", root], os.path.join(work, "cache-list"))
    print()
    print("--list over %d projects of %.1f MB (%d subtitles each), threads: %d, load average before: %.2f" % (
        args.list_projects, size / 1e6, args.list_subtitles, os.cpu_count() or 1, load))
    print("                                        wall    of convert   CPU (user+sys)")

    def line(name, figures):
        print("  %-35s %6.3f s   %5.2f     %6.3f s" % (name, figures[0], figures[0] / convert[0], figures[1]))

    line("convert all", convert)
    line("--list, nothing remembered", first)
    line("--list, nothing remembered (best)", best)
    line("--list after converting", listed_after)
    line("--list again", warm)
    print("  goal: --list with nothing remembered at most 0.25 of convert")
    shutil.rmtree(root, ignore_errors=True)
    shutil.rmtree(out, ignore_errors=True)


def start_wine64():
    """Environment for the 64-bit Windows programs: the 64-bit loader, the tests' 64-bit
    prefix and a persistent server, so that no run pays for starting Wine."""
    env = dict(os.environ, WINEDEBUG="-all", WINEARCH="win64", WINELOADER="/usr/lib/wine/wine64",
               WINEPREFIX=os.path.join(ROOT, "build", "wineprefix64"),
               WINEDLLOVERRIDES="mscoree,mshtml=",
               PATH=os.path.join(ROOT, "scripts", "wine64") + os.pathsep + os.environ["PATH"])
    os.makedirs(env["WINEPREFIX"], exist_ok=True)
    subprocess.run(["wineserver", "-p"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wine", "cmd", "/c", "exit"], env=env, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return env


def windows_cli(args, work):
    """The 64-bit subvane-cli.exe under Wine against the native subvane-cli, same draft."""
    if not os.path.exists("/usr/lib/wine/wine64"):
        print("subvane-cli.exe: skipped (no 64-bit Wine; run scripts/setup.sh)")
        return
    cli = build_cli()
    subprocess.run(["cmake", "--preset", "win64"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "win64", "-j2", "--target", "subvane-cli"],
                   cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    exe = os.path.join(ROOT, "build", "win64", "cli", "subvane-cli.exe")
    env = start_wine64()
    n = max(args.sizes)
    draft = os.path.join(work, "draft-%d.json" % n)
    if not os.path.exists(draft):
        subprocess.run([sys.executable, os.path.join(BENCH, "generate_draft.py"), str(n), draft],
                       check=True)
    size = os.path.getsize(draft)
    native_out, windows_out = os.path.join(work, "native.srt"), os.path.join(work, "win64.srt")
    native = best(args.runs, [cli, "-o", native_out, draft])

    def under_wine():
        start = time.perf_counter()
        child = subprocess.Popen(["wine", exe, "-o", "Z:" + windows_out, "Z:" + draft], env=env,
                                 stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit("failed: subvane-cli.exe under Wine")
        return time.perf_counter() - start, usage.ru_maxrss * 1024

    results = [under_wine() for _ in range(args.runs)]
    windows = min(r[0] for r in results), max(r[1] for r in results)
    subprocess.run(["wineserver", "-k"], env=env, check=False)
    print()
    print("subvane-cli on %d subtitles (%.1f MB), best of %d: native Linux beside the 64-bit "
          "Windows build under Wine" % (n, size / 1e6, args.runs))
    print("  %-32s %8.3f s %8.1f MB" % ("native (release preset)", native[0], native[1] / 1e6))
    print("  %-32s %8.3f s %8.1f MB" % ("subvane-cli.exe, win64, Wine", windows[0], windows[1] / 1e6))
    print("  outputs %s" % ("the same" if same_bytes(native_out, windows_out) else "DIFFER"))


def window(args):
    if not os.path.exists("/usr/lib/wine/wine64") or not shutil.which("Xvfb"):
        print("window: skipped (no Wine or Xvfb; run scripts/setup.sh)")
        return
    sizes = ",".join(str(n) for n in args.window_sizes)
    print()
    sys.stdout.flush()
    subprocess.run(["bash", os.path.join(BENCH, "gui_parse.sh"), "--counts", sizes, "--runs", str(args.runs)],
                   cwd=ROOT, check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", default="/tmp/subvane-bench")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--sizes", default="1000,20000")
    parser.add_argument("--window-sizes", default="5000,20000")
    parser.add_argument("--no-window", action="store_true")
    parser.add_argument("--list-projects", type=int, default=400)
    parser.add_argument("--list-subtitles", type=int, default=1100)
    parser.add_argument("--history-rows", type=int, default=200000)
    args = parser.parse_args()
    args.sizes = [int(s) for s in args.sizes.split(",")]
    args.window_sizes = [int(s) for s in args.window_sizes.split(",")]
    os.makedirs(args.work, exist_ok=True)
    converters(args, args.work)
    project_list(args, args.work)
    windows_cli(args, args.work)
    table_history(args)
    if not args.no_window:
        window(args)


if __name__ == "__main__":
    main()
