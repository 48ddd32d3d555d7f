"""Sizing an indicator window under Wine follows the control's rules: upright, the picture takes
the window's size; on its side, with width and height swapped; at other angles the window keeps
the turned picture's bounding size. The window region stays the core's shape throughout."""

import re

EXPECTED = {
    # step: (window, picture)
    "created": ((100, 20), (100, 20)),
    "upright_resized": ((120, 30), (120, 30)),
    "turned_900": ((30, 120), (120, 30)),
    "turned_900_resized": ((40, 150), (150, 40)),
    "turned_450": ((134, 134), (150, 40)),
    "turned_450_resized": ((134, 134), (150, 40)),
    "turned_450_narrower": ((71, 71), (60, 40)),
}

LINE = re.compile(r"(\w+) window (\d+)x(\d+) picture (\d+)x(\d+) canvas (\d+)x(\d+) "
                  r"region (-?\d+),(-?\d+),(-?\d+),(-?\d+) core (-?\d+),(-?\d+),(-?\d+),(-?\d+)")


def test_window_size_rules_per_angle(wine):
    result = wine.run([wine.exe("indicator_probe.exe"), "sizes"], timeout=60)
    assert result.returncode == 0, result.stderr[-2000:]
    steps = {}
    for m in LINE.finditer(result.stdout):
        v = list(map(int, m.groups()[1:]))
        steps[m.group(1)] = v
    assert set(steps) == set(EXPECTED), result.stdout
    for step, (window, picture) in EXPECTED.items():
        v = steps[step]
        assert tuple(v[0:2]) == window, step
        assert tuple(v[2:4]) == picture, step
        assert tuple(v[4:6]) == window, f"{step}: the picture fills the window"
        # The region GDI holds, cut to the window, covers the same box as the core's shape.
        left, top, right, bottom = v[6:10]
        clipped = (max(left, 0), max(top, 0), min(right, window[0]), min(bottom, window[1]))
        assert clipped == tuple(v[10:14]), step
