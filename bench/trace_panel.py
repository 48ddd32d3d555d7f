"""Where the CPU goes while the pointer moves, under Wine, for Quillomat.exe (or another build):

    QUILLO_WIN64_DIR=build/win64 python3 bench/trace_panel.py [--seconds N] [--rate R]
        [--program PATH] [--no-perf] [--no-trace]

The pixels are those each StretchDIBits copies: the whole picture, or the rectangle it was clipped
to just before (the cells drawn in one pass); a paint message's update region is not seen here.

1. Profile: `perf record` samples the program's process while the pointer moves away from the
   panel and then along its row, untraced, and the share of the samples by module is printed
   (our code, Wine's user32/gdi32/win32u/winex11/ntdll, the kernel: mostly the calls to the
   wineserver).
2. Trace: the program runs again with Wine's message trace (every message a window procedure of
   the program receives) and its relay trace limited to the calls the program itself makes into
   the system, and the script counts, per pointer event and per second: the messages by name, the
   calls by function, the repaints and the pixels they copied (StretchDIBits' and BitBlt's sizes).
   The trace slows the program down; the counts per pointer event are what it is for.

The pointer events are counted as the calls of CallNextHookEx that the input thread's mouse hook
makes: one per event Wine delivered."""

import argparse
import collections
import os
import pathlib
import re
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
sys.path.insert(0, str(ROOT / "bench"))
from conftest import Wine  # noqa: E402
from measure_program import cpu_seconds, move_pointer  # noqa: E402

MODULE_GROUPS = [
    ("Quillomat.exe", "ours (Quillomat.exe)"),
    ("user32", "user32.dll"), ("gdi32", "gdi32.dll"), ("win32u", "win32u (PE and unix)"),
    ("winex11", "winex11.so"), ("ntdll", "ntdll (PE and unix)"), ("kernel", "kernel"),
    ("msvcrt", "msvcrt/ucrt"), ("ucrt", "msvcrt/ucrt"),
]


def group_of(dso):
    for key, name in MODULE_GROUPS:
        if key.lower() in dso.lower():
            return name
    return "other: " + dso


def profile(wine, exe, seconds, rate):
    wine.restart_server()
    wine.reg_clear()
    wine.start([exe])
    time.sleep(5)
    pid = wine.pid_of(pathlib.Path(exe).name, timeout=20)
    out = {}
    for over in (False, True):
        data = wine.work / f"perf-{'over' if over else 'away'}.data"
        mover = move_pointer(wine, seconds, over, rate)
        c0, t0 = cpu_seconds(pid), time.time()
        subprocess.run(["perf", "record", "-q", "-F", "997", "-p", str(pid), "-o", str(data),
                        "--", "sleep", str(seconds - 0.5)], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        mover.communicate()
        cpu = (cpu_seconds(pid) - c0) / (time.time() - t0)
        report = subprocess.run(["perf", "report", "-i", str(data), "--stdio", "--sort", "dso",
                                 "--no-children"], capture_output=True, text=True).stdout
        shares = collections.Counter()
        for line in report.splitlines():
            m = re.match(r"\s*([\d.]+)%\s+(\S+)", line)
            if m:
                shares[group_of(m.group(2))] += float(m.group(1))
        out[over] = (cpu, shares)
    wine.kill_programs()
    return out


def trace(wine, exe, seconds, rate):
    results = {}
    for over in (False, True):
        name = "over" if over else "away"
        log, server_log = wine.work / f"trace-{name}.txt", wine.work / f"server-{name}.txt"
        wine.restart_server()
        wine.reg_clear()
        # A server of our own that traces every request with the calling thread.
        subprocess.run(["wineserver", "-k"], env=wine.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=wine.env, check=False, timeout=60)
        with open(server_log, "w") as server_err:
            server = subprocess.Popen(["wineserver", "-f", "-p", "-d1"], stdout=subprocess.DEVNULL,
                                      stderr=server_err, start_new_session=True,
                                      env=dict(wine.env, WINEDEBUG="+server"))
        time.sleep(1)
        # The desktop's explorer starts untraced before the program, and a helper that waits for
        # a window that never comes keeps it there.
        wine.start([wine.exe("probe.exe"), "shown", "NoSuchWindowClass", "600000"])
        time.sleep(3)
        with open(log, "w") as err:
            p = subprocess.Popen(["wine", str(exe)], cwd=wine.work, stdout=subprocess.DEVNULL,
                                 stderr=err, start_new_session=True,
                                 env=dict(wine.env, WINEDEBUG="+timestamp,+message,+relay"))
            wine._procs.append(p)
            time.sleep(8)  # started and settled (slowly, traced)
            start_size, server_start = log.stat().st_size, server_log.stat().st_size
            mover = move_pointer(wine, seconds, over, rate)
            t0 = time.time()
            mover.communicate()
            elapsed = time.time() - t0
            end_size, server_end = log.stat().st_size, server_log.stat().st_size
        wine.kill_programs()
        subprocess.run(["wineserver", "-k"], env=wine.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        server.wait(timeout=60)
        results[over] = (count(slice_of(log, start_size, end_size),
                               slice_of(server_log, server_start, server_end)), elapsed)
    wine.restart_server()
    return results


def slice_of(path, start, end):
    with open(path, "rb") as f:
        f.seek(start)
        return f.read(end - start).decode(errors="replace")


CALL = re.compile(r"([0-9a-f]{4}):Call (\w+)\.(\w+)\((.*?)\) ret=")
MESSAGE = re.compile(r"([0-9a-f]{4}):trace:message:spy_enter_message .*?\[([0-9a-f]{4})\]\s+(\S+)")


SERVER = re.compile(r"^([0-9a-f]{4}): (\w+)\(")


def count(text, server_text):
    calls = collections.Counter()
    messages = collections.Counter()
    hooks = 0
    pixels = 0
    paints = 0
    clip = None
    ours = set()  # the program's threads: the desktop's explorer traces its messages too
    lines = text.splitlines()
    for line in lines:
        m = CALL.search(line)
        if m:
            ours.add(m.group(1))
    for line in lines:
        m = CALL.search(line)
        if m:
            name = f"{m.group(2)}.{m.group(3)}"
            calls[name] += 1
            if m.group(3) == "CallNextHookEx":
                hooks += 1
            elif m.group(3) in ("StretchDIBits", "BitBlt", "SetDIBitsToDevice",
                                "IntersectClipRect"):
                # 32-bit arguments in 64-bit slots: the upper half is whatever was there.
                args = [int(a, 16) & 0xFFFFFFFF for a in m.group(4).split(",")]
                if m.group(3) == "IntersectClipRect":  # (dc, left, top, right, bottom)
                    clip = (args[3] - args[1]) * (args[4] - args[2])
                else:  # (dc, x, y, width, height, ...), clipped to what was set before
                    pixels += clip if clip is not None else args[3] * args[4]
                    clip = None
            elif m.group(3) == "BeginPaint":
                paints += 1
            continue
        m = MESSAGE.search(line)
        if m and m.group(1) in ours:
            messages[m.group(3)] += 1
    requests = collections.Counter()
    threads = collections.Counter()
    for line in server_text.splitlines():
        m = SERVER.match(line)
        if m and m.group(1) in ours:
            requests[m.group(2)] += 1
            threads[m.group(1)] += 1
    return {"calls": calls, "messages": messages, "hooks": hooks, "pixels": pixels,
            "paints": paints, "requests": requests, "threads": threads}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--seconds", type=float, default=8)
    ap.add_argument("--rate", type=int, default=250)
    ap.add_argument("--program", default="Quillomat.exe")
    ap.add_argument("--no-perf", action="store_true")
    ap.add_argument("--no-trace", action="store_true")
    a = ap.parse_args()
    win64 = pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", ROOT / "build" / "win64"))
    wine = Wine(ROOT / "build" / "trace", win64)
    exe = wine.exe(a.program)
    try:
        wine.boot()
        if not a.no_perf:
            prof = profile(wine, exe, a.seconds, a.rate)
            for over in (False, True):
                cpu, shares = prof[over]
                print(f"== profile, pointer {'over the panel' if over else 'elsewhere'} at "
                      f"{a.rate}/s: {100 * cpu:.2f} % CPU")
                for name, share in shares.most_common(12):
                    print(f"  {share:5.1f} %  {100 * cpu * share / 100:5.2f} % CPU  {name}")
        if not a.no_trace:
            tr = trace(wine, exe, a.seconds, a.rate)
            for over in (False, True):
                c, elapsed = tr[over]
                events = max(c["hooks"], 1)
                print(f"== trace, pointer {'over the panel' if over else 'elsewhere'}: "
                      f"{c['hooks']} pointer events in {elapsed:.1f} s; {c['paints']} paints "
                      f"({c['paints'] / elapsed:.1f}/s), {c['pixels'] / elapsed:.0f} pixels "
                      f"copied a second")
                print("  messages to our windows per pointer event:")
                for name, n in c["messages"].most_common(14):
                    print(f"    {n / events:7.3f}  {name}  ({n / elapsed:.1f}/s)")
                print(f"  requests to the wineserver per pointer event, by our threads: "
                      f"{sum(c['requests'].values()) / events:.2f} "
                      f"({', '.join(f'{n / events:.2f}' for _, n in c['threads'].most_common())})")
                for name, n in c["requests"].most_common(14):
                    print(f"    {n / events:7.3f}  {name}  ({n / elapsed:.1f}/s)")
                print("  our calls into the system per pointer event:")
                for name, n in c["calls"].most_common(24):
                    print(f"    {n / events:7.3f}  {name}  ({n / elapsed:.1f}/s)")
    finally:
        wine.shutdown()


if __name__ == "__main__":
    main()
