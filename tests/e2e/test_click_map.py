"""The History window's click map view under Wine, in a test window of its own on a seeded
history (tools/win/click_map_probe): what the screen shows is the view's own picture (the one
"Save picture..." takes), at 96 and 144 DPI, in English and German; and the pointer moved by real
input over the busiest place shows its presses as a hint."""

import pathlib
import subprocess
import time

import pytest


def _read_ppm(path: pathlib.Path):
    data = path.read_bytes()
    parts = data.split(maxsplit=4)
    assert parts[0] == b"P6", path
    width, height = int(parts[1]), int(parts[2])
    return width, height, data[len(data) - width * height * 3:]


def _wait_for(path: pathlib.Path, proc, timeout=60):
    deadline = time.time() + timeout
    while not path.exists():
        assert proc.poll() is None, f"the probe ended ({proc.returncode}) before writing {path.name}"
        assert time.time() < deadline, f"{path.name} was not written"
        time.sleep(0.1)
    # Written whole: the probe writes the file and closes it before going on.
    while True:
        text = path.read_text()
        if len(text.split()) == 3:
            return text
        assert time.time() < deadline
        time.sleep(0.1)


def _show(wine, name, language, buttons):
    out = wine.work / "click_map"
    out.mkdir(exist_ok=True)
    for f in out.glob(f"{name}_*"):
        f.unlink()
    proc = wine.start([wine.exe("click_map_probe.exe"), "click_map", name,
                       str(language), str(buttons)])
    x, y, most = map(int, _wait_for(out / f"{name}_point.txt", proc).split())
    assert most > 0
    wine.xdotool("mousemove", x, y)
    assert proc.wait(timeout=90) == 0, "the hint did not show"
    shots = wine.work / "screenshots"
    shots.mkdir(exist_ok=True)
    for kind in ("snapshot", "screen", "hint"):
        subprocess.run(["convert", str(out / f"{name}_{kind}.ppm"),
                        str(shots / f"click_map_{name}_{kind}.png")], check=True, timeout=60)
    dpi, width, height = map(int, (out / f"{name}_info.txt").read_text().split())
    return out, dpi, width, height, (out / f"{name}_hint.txt").read_text(encoding="utf-8")


@pytest.mark.parametrize("dpi, language, buttons, words", [
    (96, 0, 0, ("Monitor ", "All buttons: ")),
    (144, 2, 1, ("Bildschirm ", "Links: ")),
])
def test_click_map_view_shows_its_picture_and_a_hint(wine, dpi, language, buttons, words):
    name = f"{dpi}_{language}_{buttons}"
    if dpi == 96:
        out, got_dpi, width, height, hint = _show(wine, name, language, buttons)
    else:
        with wine.screen_dpi(dpi):
            out, got_dpi, width, height, hint = _show(wine, name, language, buttons)
    assert got_dpi == dpi
    assert (width, height) == (640 * dpi // 96, 400 * dpi // 96)
    snapshot = _read_ppm(out / f"{name}_snapshot.ppm")
    screen = _read_ppm(out / f"{name}_screen.ppm")
    # The screen holds exactly the picture that is offered for saving.
    assert snapshot[:2] == (width, height)
    assert screen == snapshot
    # Heat, not only grey and white: the busiest place is coloured.
    pixels = snapshot[2]
    coloured = sum(1 for i in range(0, len(pixels), 3)
                   if max(pixels[i:i + 3]) - min(pixels[i:i + 3]) > 40)
    assert coloured > width * height // 200
    assert hint.startswith(words[0]) and words[1] in hint, hint
    assert int(hint.rsplit(" ", 1)[1].replace(".", "").replace(",", "")) > 0, hint
