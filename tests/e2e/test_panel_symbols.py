"""The panel's three small command buttons show their symbols: the question mark, and the symbol
font's minimise bar and close cross, not the plain letters "0" and "r" that a prefix without that
font falls back to (nor the cross that Wine's symbol font draws for its missing question mark).
Judged from the screen's pixels, by shapes the letters do not have."""

import subprocess

from helpers import fresh, shot_showing, start_program, window_state

# Button rectangles in window coordinates on the vertical panel at 96 DPI (19 x 18 each).
BUTTONS = {"help": (89, 6), "minimise": (108, 6), "close": (127, 6)}
INSET = 3  # inside the button's raised 3-D edges


def dark_cells(path, box):
    """Rows of booleans: which pixels of box (x, y, w, h) are markedly darker than the button's
    face (its commonest shade), smoothed edges of the text included."""
    x, y, w, h = box
    raw = subprocess.run(["convert", str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                          "-colorspace", "Gray", "-depth", "8", "gray:-"],
                         capture_output=True, check=True).stdout
    assert len(raw) == w * h
    face = max(set(raw), key=raw.count)
    return [[raw[r * w + c] < face - 45 for c in range(w)] for r in range(h)]


def glyph(cells):
    """The dark pixels cut to their bounding box."""
    rows = [r for r, row in enumerate(cells) if any(row)]
    cols = [c for c in range(len(cells[0])) if any(row[c] for row in cells)]
    assert rows and cols, "the button shows nothing"
    return [row[cols[0]:cols[-1] + 1] for row in cells[rows[0]:rows[-1] + 1]]


def mirror_mismatch(g):
    """Share of the dark pixels that have no dark twin in the left-right mirror image."""
    dark = sum(map(sum, g))
    return sum(1 for row in g for c, v in enumerate(row) if v and not row[-1 - c]) / dark


def as_text(g):
    return "\n".join("".join("#" if v else "." for v in row) for row in g)


def test_symbol_buttons_show_symbols_not_letters(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    seen = {}

    def faults_of(path):
        glyphs = {}
        for name, (bx, by) in BUTTONS.items():
            box = (s["x"] + bx + INSET, s["y"] + by + INSET, 19 - 2 * INSET, 18 - 2 * INSET)
            cells = dark_cells(path, box)
            if not any(map(any, cells)):
                return [f"{name} shows nothing"]
            glyphs[name] = glyph(cells)
        seen["pictures"] = "\n\n".join(f"{n}:\n{as_text(g)}" for n, g in glyphs.items())
        cross, bar, mark = glyphs["close"], glyphs["minimise"], glyphs["help"]
        faults = []
        # The close cross is the same mirrored left to right and top to bottom; an "r" is
        # neither.
        if not (len(cross) >= 5 and len(cross[0]) >= 5 and mirror_mismatch(cross) < 0.15
                and mirror_mismatch([list(col) for col in zip(*cross)]) < 0.15):
            faults.append("close")
        # The minimise bar is a solid bar, wider than tall; a "0" is a ring, taller than wide.
        filled = sum(map(sum, bar)) / (len(bar) * len(bar[0]))
        if not (len(bar[0]) >= 2 * len(bar) and filled > 0.9):
            faults.append("minimise")
        # The question mark is taller than wide, its dot apart from its hook by an empty row;
        # an "s" is one connected stroke.
        if not (len(mark) > len(mark[0]) and any(not any(row) for row in mark[1:-1])):
            faults.append("help")
        return faults and [f"no symbol on {faults}:\n{seen['pictures']}"]

    shot_showing(wine, "panel_symbol_buttons", faults_of)
