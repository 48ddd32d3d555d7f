"""Opening the History window on ten years of history, under Wine: the program's own figure (from
the command to the window painted: the history read, the charts drawn), and its memory before the
window opens, while it is open and after it has closed again.

    QUILLO_WIN64_DIR=build/win64 python3 bench/measure_history_open.py [--rounds N]

One Wine desktop, an empty settings key, a history.csv of ten years (a day of use nearly every
day, keystrokes and clicks in the working hours). The program's debug line "History window: N
days, open in M ms" is read from Wine's trace of OutputDebugString."""

import argparse
import datetime
import os
import pathlib
import re
import statistics
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from conftest import Wine  # noqa: E402
from test_history_window import history_folder, history_text, seeded_days  # noqa: E402
from measure_program import memory_kib  # noqa: E402


def opened_lines(path):
    text = path.read_text(errors="replace")
    return [int(ms) for ms in re.findall(r"History window: \d+ days, open in (\d+) ms", text)]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--rounds", type=int, default=5)
    a = ap.parse_args()
    win64 = pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", ROOT / "build" / "win64"))
    wine = Wine(ROOT / "build" / "measure-history", win64)
    try:
        wine.boot()
        wine.reg_clear()
        folder = history_folder(wine)
        folder.mkdir(parents=True, exist_ok=True)
        days = seeded_days(datetime.date.today(), count=3653)
        (folder / "history.csv").write_bytes(history_text(days).encode())
        debug = wine.work / "debug.txt"
        with open(debug, "w") as out:
            program = subprocess.Popen(
                ["wine", str(wine.exe("Quillomat.exe"))], env=dict(wine.env, WINEDEBUG="-all,warn+seh"),
                cwd=wine.work, stdout=subprocess.DEVNULL, stderr=out, start_new_session=True)
            wine._procs.append(program)
            assert wine.probe("window", "TfrmMain", "20000").returncode == 0
            time.sleep(5)  # settled, as the whole-program measurement lets it settle
            pid = wine.pid_of("Quillomat.exe", timeout=20)
            before = memory_kib(pid)
            times, open_mem, after = [], [], []
            for _ in range(a.rounds):
                seen = len(opened_lines(debug))
                assert wine.probe("command", "TfrmMain", "113").returncode == 0
                deadline = time.time() + 30
                while len(opened_lines(debug)) == seen:
                    assert time.time() < deadline, "the window did not report its opening"
                    time.sleep(0.1)
                times.append(opened_lines(debug)[-1])
                time.sleep(2)
                open_mem.append(memory_kib(pid))
                assert wine.probe("close", "TfrmHistory").returncode == 0
                assert wine.probe("gone", "TfrmHistory", "10000").returncode == 0
                time.sleep(2)
                after.append(memory_kib(pid))
            wine.kill_programs()
    finally:
        wine.shutdown()

    def mib(figures, key):
        return statistics.median(f.get(key, 0) for f in figures) / 1024

    print(f"days in the history: {len(days)}")
    print(f"opening, from the command to the window painted: median {statistics.median(times)} ms "
          f"(each: {', '.join(map(str, times))} ms)")
    print(f"{'':22} {'RSS MiB':>8} {'anon MiB':>9}")
    for name, figures in (("before the first open", [before]), ("while open", open_mem),
                          ("after it closed", after)):
        print(f"{name:22} {mib(figures, 'Rss'):8.1f} {mib(figures, 'Anonymous'):9.1f}")


if __name__ == "__main__":
    main()
