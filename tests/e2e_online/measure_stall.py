"""Measures how long Quillomat's UI thread goes without serving messages while an online request
hangs on a silent server (the figure must stay under 50 ms), with real input going on. Run by
scripts/bench through ./run --script, which gives it the loopback namespace."""

import importlib.util
import os
import pathlib
import re
import sys
import threading
import time

HERE = pathlib.Path(__file__).resolve().parent
LIMIT_MS = 50
MEASURE_MS = 12000


def load(name, path):
    found = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


harness = load("e2e_harness", HERE.parent / "e2e" / "conftest.py")
online_harness = load("online_harness", HERE / "conftest.py")
servers = load("servers", HERE / "servers.py")


def busy_input(wine, stop):
    """A user at work: the pointer moves, clicks and types the whole time."""
    n = 0
    while not stop.is_set():
        wine.xdotool("mousemove", 400 + (n % 40) * 10, 300 + (n % 17) * 10)
        if n % 5 == 0:
            wine.xdotool("click", 1)
        if n % 7 == 0:
            wine.xdotool("key", "a")
        n += 1
        time.sleep(0.03)


def stall(online, label):
    stop = threading.Event()
    worker = threading.Thread(target=busy_input, args=(online.wine, stop), daemon=True)
    worker.start()
    try:
        r = online.online_probe("stall", online_harness.MAIN, str(MEASURE_MS),
                                timeout=MEASURE_MS / 1000 + 60)
    finally:
        stop.set()
        worker.join()
    assert r.returncode == 0, r.stderr
    figures = {k: float(v) for k, v in re.findall(r"(\w+)=([\d.]+)", r.stdout)}
    print(f"{label}: longest {figures['max_ms']:.1f} ms, 99th percentile "
          f"{figures['p99_ms']:.1f} ms, median {figures['median_ms']:.2f} ms over "
          f"{int(figures['samples'])} round trips of WM_NULL in {MEASURE_MS / 1000:.0f} s",
          flush=True)
    return figures["max_ms"]


def main():
    win64 = pathlib.Path(os.environ.get("QUILLO_WIN64_DIR", HERE.parents[1] / "build/win64"))
    work = pathlib.Path(os.environ["QUILLO_E2E_WORK"] + "-stall")
    wine = harness.Wine(work, win64)
    stats = site = None
    online = None
    try:
        wine.boot()
        ca_der, cert, key = servers.make_certificates(work / "tls")
        assert wine.run([wine.exe("online_probe.exe"), "trust-ca", ca_der]).returncode == 0
        stats = servers.TestServer(443, cert, key)
        site = servers.TestServer(80)
        stats.start()
        site.start()
        online = online_harness.Online(wine, stats, site)
        worst = 0.0

        online.start()
        worst = max(worst, stall(online, "UI thread, no request"))

        stats.reset(servers.SILENT)
        online.start(Autosend="-1")
        assert len(stats.wait_requests(1, 20)) == 1, "the submission did not arrive"
        worst = max(worst, stall(online, "UI thread while a submission hangs"))

        site.reset(servers.SILENT)
        online.start()
        online.command(online_harness.CMD_CHECK_UPDATE)
        assert len(site.wait_requests(1, 20)) == 1, "the update check did not arrive"
        worst = max(worst, stall(online, "UI thread while an update check hangs"))
    finally:
        if online:
            online.stop()
        for s in (stats, site):
            if s:
                s.stop()
        wine.shutdown()
    verdict = "within" if worst < LIMIT_MS else "OVER"
    print(f"longest UI-thread stall {worst:.1f} ms: {verdict} the {LIMIT_MS} ms limit")
    return 0 if worst < LIMIT_MS else 1


if __name__ == "__main__":
    sys.exit(main())
