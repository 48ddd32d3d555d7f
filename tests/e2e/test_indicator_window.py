"""A segment indicator in a real window under Wine shows exactly the core's picture: inside the
window shape (and, when see-through, inside the clip region) the screen has the core's pixels,
elsewhere the host window's colour shows through."""

import subprocess
import time

import pytest

from helpers import mismatches, read_pnm, wait_for, wait_for_file


@pytest.mark.parametrize("case", ["default", "rotated", "see_through"])
def test_window_shows_the_core_picture(wine, case):
    out = wine.work / "indicator_show"
    out.mkdir(exist_ok=True)
    for stale in out.glob(f"{case}_*"):
        stale.unlink()
    proc = wine.start([wine.exe("indicator_probe.exe"), "show", out.name, case])
    try:
        ready = out / f"{case}_ready.txt"
        wait_for_file(ready, proc)
        # The window's rectangle and the host's colour, once the whole line is in the file.
        left, top, right, bottom, *host = wait_for(
            "the ready file stayed incomplete",
            lambda: (lambda t: [int(v) for v in t.split()] if t.endswith("\n") else None)(
                ready.read_text()))
        host = tuple(host)
        cw, ch, canvas = read_pnm(out / f"{case}_canvas.ppm", 3)
        assert (cw, ch) == (right - left, bottom - top)
        _, _, shape = read_pnm(out / f"{case}_shape.pgm", 1)
        clip_file = out / f"{case}_clip.pgm"
        clip = read_pnm(clip_file, 1)[2] if clip_file.exists() else None
        assert (clip is not None) == (case == "see_through")

        def pixel(x, y):
            i = y * cw + x
            visible = shape[i] and (clip is None or clip[i])
            return tuple(canvas[3 * i:3 * i + 3]) if visible else host

        expected = {"size": (cw, ch), "pixel": pixel}
        # Outside the shape or the clip the host must show through, so both kinds are compared.
        shown = sum(1 for i in range(cw * ch) if shape[i] and (clip is None or clip[i]))
        assert 0 < shown < cw * ch or case == "default"

        shot_png, shot_ppm = out / f"{case}_screen.png", out / f"{case}_screen.ppm"
        bad = None
        for _ in range(20):  # Wine hands the window's pixels to X a moment after painting
            wine.screenshot(shot_png)
            subprocess.run(["convert", str(shot_png), str(shot_ppm)], check=True, timeout=60)
            bad = mismatches(read_pnm(shot_ppm, 3), (left, top), expected)
            if not bad:
                break
            time.sleep(0.25)
        assert not bad, f"{len(bad)} pixels differ, first {bad[:5]}"
    finally:
        (out / f"{case}_stop").write_text("")
        try:
            proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            pass
