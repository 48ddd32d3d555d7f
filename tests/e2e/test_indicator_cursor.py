"""The pointer over an indicator shows the indicator's class cursor, set by the indicator alone:
its parent is not asked first (under Wine every setting of the cursor is a round trip to the
server, at every pointer move over the panel)."""

import subprocess
import time

from helpers import start_indicator_probe, wait_for_file


def test_the_indicator_sets_its_class_cursor_without_asking_its_parent(wine):
    out, proc = start_indicator_probe(wine, "cursor")
    try:
        ready = out / "cursor_ready.txt"
        wait_for_file(ready, proc)
        rect = []
        deadline = time.monotonic() + 10
        while len(rect) < 4:
            rect = ready.read_text().split()
            assert time.monotonic() < deadline, "cursor_ready.txt stays incomplete"
        left, top, right, bottom = map(int, rect)
        x, y = (left + right) // 2, (top + bottom) // 2
        report = out / "cursor_report.txt"
        moves = asked = arrow = 0
        deadline = time.monotonic() + 30
        step = 0
        while moves < 5:
            assert proc.poll() is None, "the probe ended"
            assert time.monotonic() < deadline, f"only {moves} moves reached the indicator"
            wine.xdotool("mousemove", x + step % 7, y)
            step += 1
            if report.exists():
                fields = report.read_text().split()
                if len(fields) == 3:
                    moves, arrow, asked = map(int, fields)
            time.sleep(0.05)
        assert arrow == 1, "the thread's cursor is not the indicator's class cursor (the arrow)"
        assert asked == 0, f"the host was asked for the cursor {asked} times"
    finally:
        (out / "cursor_stop").write_text("")
        try:
            proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
