"""Whole-program figures under Wine: memory (resident and anonymous) and CPU while idle and while
the pointer moves about 250 times a second, for Quillomat.exe against two baselines built beside
it: a bare window with a 75 ms timer, and a minimal program with both low-level hooks and a 75 ms
timer that queries the pointer and the last input.

    QUILLO_WIN64_DIR=build/win64 python3 bench/measure_program.py [--seconds N] [--rounds N]

Each program runs alone in a fresh Wine desktop (Xvfb, virtual desktop with its shell) with an
empty settings key, so Quillomat shows its default panel (horizontal, all fourteen items)."""

import argparse
import os
import pathlib
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from conftest import Wine  # noqa: E402

PROGRAMS = ["Quillomat.exe", "bare_window.exe", "minimal_hooks.exe"]
TICKS = os.sysconf("SC_CLK_TCK")


def memory_kib(pid):
    figures = {}
    for line in pathlib.Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines():
        parts = line.split()
        if parts and parts[0] in ("Rss:", "Anonymous:"):
            figures[parts[0][:-1]] = int(parts[1])
    return figures


def cpu_seconds(pid):
    fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime + stime


def move_pointer(wine, seconds, over_panel, rate=250):
    """One xdotool process that moves the pointer `rate` times a second: away from the panel, or
    back and forth along it (the default panel is a 44-pixel row across the screen's middle; the
    baselines have nothing there)."""
    steps = int(seconds * rate)
    args = []
    for i in range(steps):
        if over_panel:
            x = 300 + (i * 9) % 1300
            y = 530 + (i * 5) % 24
        else:
            x = 200 + (i * 7) % 600
            y = 120 + (i * 3) % 250
        args += ["mousemove", str(x), str(y), "sleep", f"{1 / rate:.4f}"]
    return subprocess.Popen(["xdotool", *args], env=wine.env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def measure(wine, exe, seconds):
    wine.restart_server()
    wine.reg_clear()
    wine.start([wine.exe(exe)])
    time.sleep(5)  # settled
    pid = wine.pid_of(exe, timeout=20)
    mem = memory_kib(pid)
    c0, t0 = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    idle = (cpu_seconds(pid) - c0) / (time.time() - t0)
    moving = {}
    for over in (False, True):
        mover = move_pointer(wine, seconds, over)
        c0, t0 = cpu_seconds(pid), time.time()
        mover.wait()
        moving[over] = (cpu_seconds(pid) - c0) / (time.time() - t0)
    wine.kill_programs()
    return {"rss": mem.get("Rss", 0), "anon": mem.get("Anonymous", 0), "idle": idle,
            "moving": moving[False], "over": moving[True]}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seconds", type=float, default=20)
    ap.add_argument("--rounds", type=int, default=3)
    a = ap.parse_args()
    win64 = pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", ROOT / "build" / "win64"))
    wine = Wine(ROOT / "build" / "measure", win64)
    results = {p: [] for p in PROGRAMS}
    try:
        wine.boot()
        for _ in range(a.rounds):
            for p in PROGRAMS:
                results[p].append(measure(wine, p, a.seconds))
    finally:
        wine.shutdown()

    def med(p, key):
        return statistics.median(r[key] for r in results[p])

    print(f"{'program':20} {'RSS MiB':>8} {'anon MiB':>9} {'CPU idle %':>11} {'CPU moving %':>13} "
          f"{'CPU over panel %':>17}")
    for p in PROGRAMS:
        print(f"{p:20} {med(p, 'rss') / 1024:8.1f} {med(p, 'anon') / 1024:9.1f} "
              f"{100 * med(p, 'idle'):11.2f} {100 * med(p, 'moving'):13.2f} "
              f"{100 * med(p, 'over'):17.2f}")
    q, bare, hooks = PROGRAMS
    print(f"anonymous memory above the bare window: {(med(q, 'anon') - med(bare, 'anon')) / 1024:.1f} MiB")
    print(f"CPU while moving, against the minimal hooked program: "
          f"{med(q, 'moving') / max(med(hooks, 'moving'), 1e-9):.2f}x")
    print(f"CPU while moving over the panel, against the minimal hooked program: "
          f"{med(q, 'over') / max(med(hooks, 'over'), 1e-9):.2f}x")
    print(f"CPU while idle, against the minimal hooked program: "
          f"{med(q, 'idle') / max(med(hooks, 'idle'), 1e-9):.2f}x")


if __name__ == "__main__":
    main()
