"""The History window's keyboard page under Wine: a seeded history with keys shows exactly its
counts on the right keys (found in the PNG that "Save picture..." writes, then pointed at for
their hints), the keys the drawing has no place for listed, and the page at 96 and 144 DPI in
English and German (screenshots kept for a person to look at)."""

import datetime
import re
import struct
import zlib

from helpers import (DASH, ENGLISH, GERMAN, ID_CALENDAR, SCALE, focus_id, fresh, history_folder,
                     minute_save, open_history, pixels, pointer_away, save_dialog_typed, shot,
                     start_program, today_fields, wait_for, wait_text)
from helpers import child_control as control
from helpers import click_at as click

ID_PAGE_KEYBOARD = 1031
ID_KEY_RANGE, ID_SAVE_PICTURE, ID_KEYBOARD = 1042, 1043, 1044
# Y, Z, the main Enter, the keypad's Enter, F13 (counted, not drawn).
SEEDED_KEYS = {0x059: 5000, 0x05A: 7, 0x00D: 3, 0x10D: 42, 0x07C: 9}


def seed_keys(wine, **stored):
    """A fresh registry and a history of one day (yesterday) with the seeded keys."""
    fresh(wine, **stored)
    folder = history_folder(wine)
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    day = datetime.date.today() - datetime.timedelta(days=1)
    header = ("date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,"
              "running_seconds,idle_seconds," + ",".join(f"keys_{h:02d}" for h in range(24)) +
              "," + ",".join(f"clicks_{h:02d}" for h in range(24)) + ",keys,clicks")
    total = sum(SEEDED_KEYS.values())
    hours = [0] * 24
    hours[10] = total
    keys = " ".join(f"{k:03X}={n}" for k, n in sorted(SEEDED_KEYS.items()))
    fields = [day.isoformat(), total, 1, 0, 0, 0, 0, 0, 0, "1.000", 3600, 0, *hours,
              *([0] * 24), keys, ""]
    (folder / "history.csv").write_bytes(
        (header + "\r\n" + ",".join(map(str, fields)) + "\r\n").encode())


def read_png(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB PNG (every filter read)."""
    data = path.read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    at, idat, width, height = 8, b"", 0, 0
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        assert zlib.crc32(data[at + 4:at + 8 + size]) == struct.unpack(">I", data[at + 8 + size:at + 12 + size])[0]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert (depth, colour) == (8, 2)
        elif kind == b"IDAT":
            idat += body
        at += 12 + size
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, previous = [], bytearray(stride)
    for y in range(height):
        f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = previous[i], previous[i - 3] if i >= 3 else 0
            if f == 1:
                line[i] = (line[i] + a) & 0xFF
            elif f == 2:
                line[i] = (line[i] + b) & 0xFF
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x * 3:x * 3 + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def boxes_of(rows, colour, least=20):
    """The bounding boxes (x0, y0, x1, y1) of the areas of one colour at least `least` pixels
    wide and high: the keys filled with it (their captions inside do not split them; the
    legend's squares are lower than a key)."""
    height, width = len(rows), len(rows[0])
    seen = set()
    boxes = []
    for y in range(height):
        for x in range(width):
            if rows[y][x] != colour or (x, y) in seen:
                continue
            stack, x0, y0, x1, y1 = [(x, y)], x, y, x, y
            seen.add((x, y))
            while stack:
                px, py = stack.pop()
                x0, y0, x1, y1 = min(x0, px), min(y0, py), max(x1, px), max(y1, py)
                for nx, ny in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
                    if 0 <= nx < width and 0 <= ny < height and (nx, ny) not in seen \
                            and rows[ny][nx] == colour:
                        seen.add((nx, ny))
                        stack.append((nx, ny))
            if x1 - x0 + 1 >= least and y1 - y0 + 1 >= least:
                boxes.append((x0, y0, x1, y1))
    return boxes


def keyboard_page(wine, title, name):
    """The keyboard page of the open window showing yesterday, the seeded day, saved as a PNG;
    its path. Every key the test presses is counted too, but on today: yesterday's figures stay
    exactly the seeded ones."""
    day = (datetime.date.today() - datetime.timedelta(days=1)).isoformat()
    # The calendar has the keyboard when the window opens: Up is the day before.
    wait_for("the calendar has not the focus", lambda: focus_id(wine) == ID_CALENDAR)
    wine.xdotool("key", "Up")
    wait_text(wine, title, ID_CALENDAR, rf"\S+ {day} .*")
    click(wine, control(wine, title, ID_PAGE_KEYBOARD))
    wait_for("no keyboard page", lambda: control(wine, title, ID_KEYBOARD)["visible"] == 1)
    # The range's choices with the keyboard: the first is the day selected.
    click(wine, control(wine, title, ID_KEY_RANGE))
    wine.xdotool("key", "Home", "Return")
    pointer_away(wine)
    target = wine.home / "Documents" / f"{name}.png"
    if target.exists():
        target.unlink()
    click(wine, control(wine, title, ID_SAVE_PICTURE))
    save_dialog_typed(wine, target)
    wait_for("the picture was not saved", lambda: target.exists() and target.stat().st_size > 0)
    return target


def hints_of(wine, title, boxes):
    """The hint under the middle of each box of the keyboard's picture, in their order (no two
    boxes next to each other may have the same hint)."""
    view = control(wine, title, ID_KEYBOARD)
    texts, last = [], None
    for x0, y0, x1, y1 in boxes:
        x, y = view["x"] + (x0 + x1) // 2, view["y"] + (y0 + y1) // 2
        wine.xdotool("mousemove", x, y)
        wine.xdotool("mousemove", x + 1, y)

        def hint():
            r = wine.probe("shown", "QuillomatHint", "30000")
            text = r.stdout.split("title=", 1)[1].strip() if r.returncode == 0 else None
            return text if text and text != last else None  # not the last key's, still shown
        last = wait_for(f"no hint at {x},{y}", hint)
        texts.append(last)
    pointer_away(wine)
    return texts


def test_seeded_keys_show_their_exact_counts_on_their_keys_and_f13_is_listed(wine):
    seed_keys(wine, Language="0")
    start_program(wine)
    open_history(wine)
    png = keyboard_page(wine, ENGLISH, "keyboard_en_96")
    shot(wine, "keyboard_en_96")
    width, height, rows = read_png(png)
    view = control(wine, ENGLISH, ID_KEYBOARD)
    assert (width, height) == (view["w"], view["h"]), "the picture is not what the page shows"
    # Y alone is in the top class; Z and both Enters in the first (7, 3 and 42 of 5,000).
    dark = boxes_of(rows, SCALE[4])
    assert len(dark) == 1, dark
    light = boxes_of(rows, SCALE[0])
    assert len(light) == 3, light
    hints = dict(zip(dark + light, hints_of(wine, ENGLISH, dark + light)))
    assert hints[dark[0]] == f"Y {DASH} Keystrokes: 5,000"
    assert sorted(hints[b] for b in light) == sorted(
        [f"Z {DASH} Keystrokes: 7", f"Enter {DASH} Keystrokes: 3", f"Enter {DASH} Keystrokes: 42"])
    # The keypad's Enter is the rightmost, below the main Enter's top: the counts are on the
    # right ones; Y is on the top letter row, above Z's row.
    place = {hints[b]: b for b in light}
    assert max(light, key=lambda b: b[0]) == place[f"Enter {DASH} Keystrokes: 42"]
    assert dark[0][3] < place[f"Z {DASH} Keystrokes: 7"][1]
    assert place[f"Enter {DASH} Keystrokes: 3"][1] < place[f"Enter {DASH} Keystrokes: 42"][1]


def test_keyboard_page_in_german_at_144_dpi(wine):
    with wine.screen_dpi(144):
        seed_keys(wine, Language="2")
        start_program(wine)
        open_history(wine)
        png = keyboard_page(wine, GERMAN, "keyboard_de_144")
        shot(wine, "keyboard_de_144")
        width, height, rows = read_png(png)
        view = control(wine, GERMAN, ID_KEYBOARD)
        assert (width, height) == (view["w"], view["h"])
        dark = boxes_of(rows, SCALE[4], least=30)
        assert len(dark) == 1, dark
        assert re.fullmatch(rf"\S+ {DASH} Tastenanschläge: 5[.,]000",
                            hints_of(wine, GERMAN, dark)[0])


def test_keys_typed_on_a_german_keyboard_reach_the_file_and_their_own_keycaps(wine):
    """QWERTZ: typed Z, Y and Ü are counted as those keys, written to today's file, and drawn
    on the keycaps that carry them in that layout: Z and Ü on the top letter row, Y below it,
    the other way round from the seeded US test above."""
    fresh(wine, Language="0")
    with wine.keyboard_layout("de"):
        start_program(wine)
        pointer_away(wine)
        wine.xdotool("key", "--delay", 40, *["z"] * 25, *["y"] * 8, *["udiaeresis"] * 13)
        # The keys' virtual-key codes as this layout gives them (Wine puts Ü on VK_OEM_4).
        typed = {"05A": "25", "059": "8", "0DB": "13"}

        def saved():
            minute_save(wine)
            fields = today_fields(wine)
            keys = dict(pair.split("=") for pair in fields[60].split()) if fields else {}
            return all(keys.get(k) == n for k, n in typed.items())
        wait_for(f"today.csv never showed {typed}", saved)

        open_history(wine)
        click(wine, control(wine, ENGLISH, ID_PAGE_KEYBOARD))
        wait_for("no keyboard page", lambda: control(wine, ENGLISH, ID_KEYBOARD)["visible"] == 1)
        click(wine, control(wine, ENGLISH, ID_KEY_RANGE))
        wine.xdotool("key", "Home", "Return")  # the day selected: today
        pointer_away(wine)
        view = control(wine, ENGLISH, ID_KEYBOARD)
        box = (view["x"], view["y"], view["w"], view["h"])

        def classes():
            # 25 is the top of a scale of steps of 5: Z (25) alone in the fifth class, Ü (13) in
            # the third, Y (8) in the second; the keys that opened the page (1 each) in the first.
            rows = pixels(shot(wine, "keyboard_typed_de_layout"), box)
            found = [boxes_of(rows, SCALE[c]) for c in (4, 2, 1)]
            return [b[0] for b in found] if all(len(b) == 1 for b in found) else None
        z, u, y = wait_for("Z, Ü and Y are not alone in their classes", classes)
        assert hints_of(wine, ENGLISH, [z, u, y]) == [
            f"Z {DASH} Keystrokes: 25", f"\u00dc {DASH} Keystrokes: 13", f"Y {DASH} Keystrokes: 8"]
        assert z[1] == u[1] and z[0] < u[0], "Z and Ü are not on one row, Z first"
        assert z[3] < y[1], "Z is not on a row above Y"
