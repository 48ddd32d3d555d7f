"""The main window under Wine: the panel as a user sees it, dragging, hiding to the notification
area and back, the menu's commands, and the daily activity log."""

import datetime
import re
import subprocess
import time

from test_counting import close_to_tray, fresh, start_program, today_number, values_ci

CMD_HIDE_PANEL, CMD_EXIT, CMD_BTN_EXIT = 100, 102, 200


def window_state(wine):
    r = wine.probe("window", "TfrmMain", "5000")
    assert r.returncode == 0, "no main window"
    return {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", r.stdout)}


def pixel(path, x, y):
    out = subprocess.run(["convert", str(path), "-crop", f"1x1+{x}+{y}", "-format",
                          "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(int(v) for v in out.split(","))


def share_of(path, box, colour):
    """Share of the pixels in box (x, y, w, h) that have exactly `colour` (a name or #RRGGBB)."""
    x, y, w, h = box
    out = subprocess.run(["convert", str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill",
                          "black", "+opaque", colour, "-fill", "white", "-opaque", colour,
                          "-format", "%[fx:mean]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return float(out)


def shot(wine, name):
    folder = wine.work / "screenshots"
    folder.mkdir(exist_ok=True)
    path = folder / f"{name}.png"
    time.sleep(0.6)
    wine.screenshot(path)
    return path


def test_vertical_panel_with_only_keystrokes(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (151, 71)
    path = shot(wine, "vertical_keystrokes")
    wx, wy = s["x"], s["y"]
    assert pixel(path, wx + 3, wy + 40) == (0x48, 0xA4, 0xFF)  # Panel1's light blue
    assert pixel(path, wx + 8, wy + 30) == (0, 0, 0)  # the label's black
    label = (wx + 7, wy + 29, 137, 13)
    assert 0.02 < share_of(path, label, "yellow") < 0.5  # its caption
    led = (wx + 7, wy + 44, 137, 19)
    assert share_of(path, led, "lime") > 0.01  # a lit "0"
    assert share_of(path, led, "#3A0000") > 0.05  # the dark unlit segments
    # The five buttons across the top: none of it is the panel colour at the close button.
    assert pixel(path, wx + 136, wy + 15) != (0x48, 0xA4, 0xFF)


def test_vertical_panel_with_all_items_and_german(wine):
    fresh(wine, Orientation="-1", Language="2")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (151, 565)
    path = shot(wine, "vertical_all_german")
    # The idle block's label row at y 523 is black with yellow text.
    assert pixel(path, s["x"] + 8, s["y"] + 524) == (0, 0, 0)


def test_horizontal_panel_and_transparency(wine):
    fresh(wine, Transparent="3")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (1588, 44)
    assert s["alpha"] == 70
    shot(wine, "horizontal_all_english")
    fresh(wine, Digits="10", Dispitems="01100000000000", Language="8")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (140 * 2 + 90, 44)
    assert s["alpha"] == 255
    shot(wine, "horizontal_digits10_czech")


def test_dragging_moves_the_window(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    before = window_state(wine)
    # Press on the panel's own background, below the buttons, and drag.
    wine.xdotool("mousemove", before["x"] + 3, before["y"] + 27)
    wine.xdotool("mousedown", 1)
    time.sleep(0.2)
    for step in range(1, 11):
        wine.xdotool("mousemove", before["x"] + 3 + 12 * step, before["y"] + 27 + 7 * step)
        time.sleep(0.05)
    wine.xdotool("mouseup", 1)
    time.sleep(0.5)
    after = window_state(wine)
    assert (after["x"] - before["x"], after["y"] - before["y"]) == (120, 70)


def test_close_button_hides_and_counting_goes_on_then_exit_saves_and_ends(wine):
    fresh(wine, Orientation="-1")
    p = start_program(wine)
    assert wine.probe("command", "TfrmMain", str(CMD_BTN_EXIT)).returncode == 0
    time.sleep(0.8)
    assert window_state(wine)["visible"] == 0
    wine.xdotool("mousemove", 1000, 500)
    wine.xdotool("key", "--delay", 50, "a", "b", "c")
    time.sleep(0.4)
    assert wine.probe("command", "TfrmMain", str(CMD_EXIT)).returncode == 0
    assert wine.probe("gone", "TfrmMain", "10000").returncode == 0
    assert p.wait(timeout=20) == 0
    assert values_ci(wine)["keystrokes"] == "3"


def test_hide_panel_twice_and_the_tray_icon(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
    time.sleep(0.6)
    assert window_state(wine)["visible"] == 0
    assert "keystrokes" in values_ci(wine)  # hiding by the menu saved the values
    wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
    time.sleep(0.6)
    assert window_state(wine)["visible"] == 1
    # A left click on the notification-area icon hides and shows the panel too.
    wine.xdotool("mousemove", 1909, 1069)
    wine.xdotool("click", 1)
    time.sleep(0.8)
    assert window_state(wine)["visible"] == 0
    wine.xdotool("click", 1)
    time.sleep(0.8)
    assert window_state(wine)["visible"] == 1


def test_tray_hint_shows_the_main_figures(wine):
    fresh(wine, Distance=str(1234567 / 2.54), Keystrokes="123456", Leftclicks="23456",
          Displaymode="-1", Running="0")  # paused: moving to the icon adds no distance
    start_program(wine)
    wine.xdotool("mousemove", 1905, 1066)
    time.sleep(0.3)
    wine.xdotool("mousemove", 1909, 1069)
    tip = wine.probe("tooltip", "Quillomat:", "8000")
    assert tip.returncode == 0, "no tooltip appeared"
    assert tip.stdout.strip().startswith("Quillomat: 12 km 345 m 67 cm traveled \\ 1234")
    assert "Keystrokes \\ 23456 Clicks" in tip.stdout
    shot(wine, "tray_hint")


def test_daily_log_line_on_the_first_start_of_a_day(wine):
    yesterday = str(today_number() - 1)
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=yesterday, Keystrokes="4294967295")
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    start_program(wine)
    time.sleep(0.5)
    lines = log.read_bytes().split(b"\r\n")
    assert lines[-1] == b""  # every line ends in CR LF
    assert len(lines) == 3
    assert len(lines[0]) == 223 and lines[0].startswith(b"       Date ")
    assert len(lines[1]) == 224
    assert lines[1].startswith(str(datetime.date.today().year).encode())
    assert b"4294967295" in lines[1]
    close_to_tray(wine)
    assert values_ci(wine)["logdate"] == yesterday
    # Another start on the same day adds nothing.
    wine.restart_server()
    start_program(wine)
    time.sleep(0.5)
    assert len(log.read_bytes().split(b"\r\n")) == 3


def test_panel_scales_with_the_screen_dpi(wine):
    with wine.screen_dpi(144):
        fresh(wine, Orientation="-1", Dispitems="01000000000000")
        start_program(wine)
        s = window_state(wine)
        assert (s["w"], s["h"]) == (227, 107)  # 151 x 71 at one and a half times
        path = shot(wine, "vertical_keystrokes_144dpi")
        # The 96-DPI look, scaled: the region cuts the outer bevel lines, and the inner lit ones
        # (two pixels each now) show along the top and left edges.
        assert pixel(path, s["x"] + 2, s["y"] + 50) == (255, 255, 255)
        assert pixel(path, s["x"] + 40, s["y"] + 2) == (255, 255, 255)
        assert pixel(path, s["x"] + 4, s["y"] + 50) == (0x48, 0xA4, 0xFF)
