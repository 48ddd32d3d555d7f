"""Figures that change are drawn by their cells alone, and all of them in one pass from the
parent's DC (as the panel draws what a sample changed): under Wine the screen then shows each
indicator's whole new picture, with no paint message of the indicators' own left to finish it."""

import subprocess
import time

from helpers import mismatches, read_pnm, start_indicator_probe, wait_for_file


def test_changed_cells_drawn_in_one_pass_show_the_new_pictures(wine):
    out, proc = start_indicator_probe(wine, "changes")
    try:
        ready = out / "changes_ready.txt"
        wait_for_file(ready, proc)
        lines = []
        deadline = time.monotonic() + 10
        while len(lines) < 4:  # written and closed right after the last draw
            lines = ready.read_text().split("\n")
            lines = [line for line in lines if line.strip()]
            assert time.monotonic() < deadline, "changes_ready.txt stays incomplete"
        *rects, waiting = lines
        # Nothing was left to the indicators' own paint messages: the one pass drew it all.
        assert int(waiting) == 0
        expected = []
        for i, line in enumerate(rects):
            left, top, right, bottom = map(int, line.split())
            cw, ch, canvas = read_pnm(out / f"changes_{i}_canvas.ppm", 3)
            assert (cw, ch) == (right - left, bottom - top)
            expected.append(((left, top), {
                "size": (cw, ch),
                "pixel": lambda x, y, cw=cw, canvas=canvas: tuple(
                    canvas[3 * (y * cw + x):3 * (y * cw + x) + 3])}))

        shot_png, shot_ppm = out / "changes_screen.png", out / "changes_screen.ppm"
        bad = None
        deadline = time.monotonic() + 10
        while True:  # Wine hands the window's pixels to X a moment after drawing
            wine.screenshot(shot_png)
            subprocess.run(["convert", str(shot_png), str(shot_ppm)], check=True, timeout=60)
            screen = read_pnm(shot_ppm, 3)
            bad = [(i, mismatches(screen, origin, e)) for i, (origin, e) in enumerate(expected)]
            bad = [(i, b[:5], len(b)) for i, b in bad if b]
            if not bad or time.monotonic() > deadline:
                break
            time.sleep(0.25)
        assert not bad, f"indicators unlike their new pictures: {bad}"
    finally:
        (out / "changes_stop").write_text("")
        try:
            proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
