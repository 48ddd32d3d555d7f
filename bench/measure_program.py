"""Whole-program figures under Wine: memory (resident and anonymous) and CPU while idle and while
the pointer moves at given rates (pointer events a second), away from the panel and back and forth
along its row, for Quillomat.exe against three baselines built beside it (tools/win/baseline): a
bare window with a 75 ms timer; a minimal program with both low-level hooks and a 75 ms timer that
queries the pointer and the last input; and the same with its hooks on a thread of their own, as
Quillomat's are. All three put their window where the default panel stands.

    QUILLO_WIN64_DIR=build/win64 python3 bench/measure_program.py \
        [--seconds N] [--rounds N] [--rates 125,250] [--programs Quillomat.exe,minimal_hooks.exe]

Each program runs alone in a fresh Wine desktop (Xvfb, virtual desktop with its shell) with an
empty settings key, so Quillomat shows its default panel (horizontal, all fourteen items). The
programs take turns within a round, so each is compared with the minimal hooked program of the
same round (the machine is shared: absolute figures move with the load, same-run ratios much
less); the ratios given are medians over the rounds. The pointer is moved through XTest at an
even pace held against the clock (an xdotool script's sleeps add its own time to every step and
fall short of the rate); the rate reached is reported beside the one asked for, and so is the
machine's load average."""

import argparse
import ctypes
import os
import pathlib
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from conftest import Wine  # noqa: E402

PROGRAMS = ["Quillomat.exe", "bare_window.exe", "minimal_hooks.exe", "minimal_hook_thread.exe"]
# What each Quillomat is compared with: the minimal hooked program, and the same with its hooks on
# a thread of their own as ours are (the floor of that design).
BASELINES = ["minimal_hooks.exe", "minimal_hook_thread.exe"]


def memory_kib(pid):
    figures = {}
    for line in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        parts = line.split()
        if parts and parts[0] in ("Rss:", "Anonymous:"):
            figures[parts[0][:-1]] = int(parts[1])
    return figures


def cpu_seconds(pid):
    """The CPU time of all the process's threads, to the nanosecond (the scheduler's own count:
    utime and stime in /proc/PID/stat are sampled at the clock tick, too coarse for a program
    that uses a few per cent)."""
    total = 0
    for task in pathlib.Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that just ended
    return total / 1e9


def load_average():
    return float(pathlib.Path("/proc/loadavg").read_text().split()[0])


def pointer_path(i, over_panel):
    """The i-th point: away from the panel, or along it (the default panel is a 44-pixel row across
    the screen's middle, x 166-1754; the baselines' window stands there too)."""
    if over_panel:
        return 300 + (i * 9) % 1300, 530 + (i * 5) % 24
    return 200 + (i * 7) % 600, 120 + (i * 3) % 250


def move(seconds, rate, over_panel):
    """Runs in a process of its own (`--move`): `rate` pointer moves a second for `seconds`, each
    at its time on the clock; prints the rate reached."""
    x11 = ctypes.CDLL("libX11.so.6")
    xtst = ctypes.CDLL("libXtst.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_int, ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        raise SystemExit("no X display")
    steps = int(seconds * rate)
    begin = start = time.monotonic()
    for i in range(steps):
        due = start + i / rate
        late = time.monotonic() - due
        if late < 0:
            time.sleep(-late)
        elif late > 0.05:
            start += late  # held up (the machine is shared): go on from here, no burst
        x, y = pointer_path(i, over_panel)
        xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
        x11.XFlush(display)
    print(f"{steps / (time.monotonic() - begin):.1f}")


def move_pointer(wine, seconds, over_panel, rate):
    return subprocess.Popen(
        [sys.executable, __file__, "--move", str(seconds), str(rate), "1" if over_panel else "0"],
        env=wine.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def measure(wine, exe, seconds, rates):
    wine.restart_server()
    wine.reg_clear()
    wine.start([wine.exe(exe)])  # a name in QUILLO_WIN64_DIR, or a path (another build)
    time.sleep(5)  # settled
    pid = wine.pid_of(pathlib.Path(exe).name, timeout=20)
    mem = memory_kib(pid)
    loads = [load_average()]
    c0, t0 = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    result = {"rss": mem.get("Rss", 0), "anon": mem.get("Anonymous", 0),
              "idle": (cpu_seconds(pid) - c0) / (time.time() - t0)}
    for rate in rates:
        for over in (False, True):
            mover = move_pointer(wine, seconds, over, rate)
            c0, t0 = cpu_seconds(pid), time.time()
            reached, _ = mover.communicate()
            cpu = (cpu_seconds(pid) - c0) / (time.time() - t0)
            key = ("over" if over else "moving", rate)
            result[key] = cpu
            result[("reached",) + key] = float(reached.strip() or 0)
            loads.append(load_average())
    result["load"] = statistics.mean(loads)
    wine.kill_programs()
    return result


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--move":
        move(float(sys.argv[2]), float(sys.argv[3]), sys.argv[4] == "1")
        return
    ap = argparse.ArgumentParser()
    ap.add_argument("--seconds", type=float, default=10)
    ap.add_argument("--rounds", type=int, default=3)
    ap.add_argument("--rates", default="125,250",
                    help="pointer events a second, comma-separated (125: a common mouse's report "
                         "rate)")
    ap.add_argument("--programs", default=",".join(PROGRAMS),
                    help="names in QUILLO_WIN64_DIR or paths of other builds, such as the "
                         "program before a change, to compare in the same run")
    a = ap.parse_args()
    rates = [int(r) for r in a.rates.split(",")]
    programs = a.programs.split(",")
    win64 = pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", ROOT / "build" / "win64"))
    wine = Wine(ROOT / "build" / "measure", win64)
    results = {p: [] for p in programs}
    try:
        wine.boot()
        for _ in range(a.rounds):
            for p in programs:
                results[p].append(measure(wine, p, a.seconds, rates))
    finally:
        wine.shutdown()

    def med(p, key):
        return statistics.median(r[key] for r in results[p])

    cases = [("idle", "idle", None)] + [
        (f"{name} {rate}/s", (key, rate), rate)
        for rate in rates for key, name in (("moving", "moving elsewhere"),
                                            ("over", "moving over the panel"))]
    print(f"{a.rounds} rounds of {a.seconds:g} s; load average "
          f"{min(r['load'] for rs in results.values() for r in rs):.2f}-"
          f"{max(r['load'] for rs in results.values() for r in rs):.2f} "
          f"(median {statistics.median(r['load'] for rs in results.values() for r in rs):.2f}) "
          f"on {os.cpu_count()} cores")
    width = max(20, *(len(p) for p in programs)) + 1
    print(f"{'program':{width}} {'RSS MiB':>8} {'anon MiB':>9}")
    for p in programs:
        print(f"{p:{width}} {med(p, 'rss') / 1024:8.1f} {med(p, 'anon') / 1024:9.1f}")
    if "bare_window.exe" in programs:
        for p in programs:
            if pathlib.Path(p).name == "Quillomat.exe":
                print(f"anonymous memory above the bare window, {p}: "
                      f"{(med(p, 'anon') - med('bare_window.exe', 'anon')) / 1024:.2f} MiB")
    compared = [p for p in programs if pathlib.Path(p).name == "Quillomat.exe"]
    baselines = [b for b in BASELINES if b in programs]
    print()
    print("CPU %, medians of the rounds; each Quillomat against each baseline of the same round "
          "(median ratio, and each round's)")
    for i, p in enumerate(programs):
        print(f"  [{i}] {p}")
    print(f"{'':34}" + "".join(f"{'[' + str(i) + ']':>9}" for i in range(len(programs))))
    for label, key, rate in cases:
        line = f"{label:34}" + "".join(f"{100 * med(p, key):9.2f}" for p in programs)
        print(line)
        for p in compared:
            for base in baselines:
                ratios = [q[key] / max(b[key], 1e-9) for q, b in zip(results[p], results[base])]
                print(f"{'':34}[{programs.index(p)}]/[{programs.index(base)}] "
                      f"{statistics.median(ratios):.2f}x ({' '.join(f'{r:.2f}' for r in ratios)})")
        if rate:
            reached = [r[("reached",) + key] for rs in results.values() for r in rs]
            print(f"{'':34}rate reached {min(reached):.0f}-{max(reached):.0f}/s")

if __name__ == "__main__":
    main()
