"""The main window under Wine: the panel as a user sees it, dragging, hiding to the notification
area and back, the menu's commands, and the daily activity log."""

import datetime

from helpers import (APART_S, CMD_BTN_EXIT, CMD_EXIT, CMD_HIDE_PANEL, MAIN, SETTINGS_KEY, TRAY_ICON,
                     close_to_tray, exit_program, fresh, input_marker, pixel, pixel_problems,
                     send_command, share_of, shot, shot_showing, start_program, today_number,
                     values_ci, wait_dragging, wait_for, wait_saved, wait_state, window_state,
                     work_area)


def test_vertical_panel_with_only_keystrokes(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (151, 71)
    wx, wy = s["x"], s["y"]
    label = (wx + 7, wy + 29, 137, 13)
    led = (wx + 7, wy + 44, 137, 19)

    def problems(path):
        found = pixel_problems(path, (wx, wy), {
            (3, 40): (0x48, 0xA4, 0xFF),  # Panel1's light blue
            (8, 30): (0, 0, 0)})  # the label's black
        shares = {"caption": share_of(path, label, "yellow"),
                  "lit 0": share_of(path, led, "lime"),
                  "unlit segments": share_of(path, led, "#3A0000")}
        if not (0.02 < shares["caption"] < 0.5 and shares["lit 0"] > 0.01
                and shares["unlit segments"] > 0.05):
            found.append(shares)
        # The five buttons across the top: none of it is the panel colour at the close button.
        if pixel(path, wx + 136, wy + 15) == (0x48, 0xA4, 0xFF):
            found.append("no close button")
        return found

    shot_showing(wine, "vertical_keystrokes", problems)


def test_vertical_panel_with_all_items_and_german(wine):
    fresh(wine, Orientation="-1", Language="2")
    start_program(wine)
    s = window_state(wine)
    assert (s["w"], s["h"]) == (151, 565)
    # The idle block's label row at y 523 is black with yellow text.
    shot_showing(wine, "vertical_all_german",
                 lambda path: pixel_problems(path, (s["x"], s["y"]), {(8, 524): (0, 0, 0)}))


def test_horizontal_panel_and_transparency(wine):
    fresh(wine, Transparent="3")
    start_program(wine)
    wait_state(wine, "the panel's size or transparency", w=1588, h=44, alpha=70)
    shot(wine, "horizontal_all_english")
    fresh(wine, Digits="10", Dispitems="01100000000000", Language="8")
    start_program(wine)
    wait_state(wine, "the panel's size or transparency", w=140 * 2 + 90, h=44, alpha=255)
    shot(wine, "horizontal_digits10_czech")


def test_dragging_moves_the_window(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    before = window_state(wine)
    # Press on the panel's own background, below the buttons, and drag.
    wine.xdotool("mousemove", before["x"] + 3, before["y"] + 27)
    wine.xdotool("mousedown", 1)
    wait_dragging(wine)
    # Each move is followed before the next is made: Wine places a pointer event by where the
    # window stands when it handles the event, so moves that queue up behind a moving window
    # (a busy machine) carry it further than the pointer went.
    for step in range(1, 11):
        wine.xdotool("mousemove", before["x"] + 3 + 12 * step, before["y"] + 27 + 7 * step)
        wait_state(wine, f"the panel did not follow move {step} of the drag",
                   x=before["x"] + 12 * step, y=before["y"] + 7 * step)
    wine.xdotool("mouseup", 1)
    wine.xdotool("mousemove", 300, 300)  # released: the window no longer follows the pointer
    input_marker(wine)
    wait_state(wine, "the panel moved after the release", x=before["x"] + 120,
               y=before["y"] + 70)


def test_close_button_hides_and_counting_goes_on_then_exit_saves_and_ends(wine):
    fresh(wine, Orientation="-1")
    p = start_program(wine)
    send_command(wine, CMD_BTN_EXIT)
    wait_state(wine, "the close button did not hide the panel", visible=0)
    wine.xdotool("mousemove", 1000, 500)
    wine.xdotool("key", "--delay", 50, "a", "b", "c")
    wait_saved(wine, Keystrokes="3")
    # Taken away again: only the exit's own save can bring it back.
    assert wine.run(["reg", "delete", SETTINGS_KEY, "/v", "Keystrokes", "/f"]).returncode == 0
    assert wine.probe("command", "TfrmMain", str(CMD_EXIT)).returncode == 0
    assert wine.probe("gone", "TfrmMain", "30000").returncode == 0
    assert p.wait(timeout=20) == 0
    assert values_ci(wine)["keystrokes"] == "3"


def test_hide_panel_twice_and_the_tray_icon(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    send_command(wine, CMD_HIDE_PANEL)
    assert window_state(wine)["visible"] == 0
    assert "keystrokes" in values_ci(wine)  # hiding by the menu saved the values
    send_command(wine, CMD_HIDE_PANEL)
    assert window_state(wine)["visible"] == 1
    # A left click on the notification-area icon hides and shows the panel too.
    wine.xdotool("mousemove", *TRAY_ICON)
    wine.xdotool("click", 1)
    wait_state(wine, "a click on the icon did not hide the panel", visible=0)
    wine.xdotool("sleep", APART_S, "click", 1)  # not a double click
    wait_state(wine, "a click on the icon did not show the panel", visible=1)


def test_tray_hint_shows_the_main_figures(wine):
    fresh(wine, Distance=str(1234567 / 2.54), Keystrokes="123456", Leftclicks="23456",
          Displaymode="-1", Running="0")  # paused: moving to the icon adds no distance
    start_program(wine)
    x, y = TRAY_ICON
    # The shell shows the icon a moment after the program adds it (later on a busy machine), and
    # a hint comes only for a pointer that moves onto the icon: moved there until one shows.
    def hint():
        wine.xdotool("mousemove", x - 4, y - 3)
        wine.xdotool("mousemove", x, y)
        tip = wine.probe("tooltip", "Quillomat:", "5000")
        return tip if tip.returncode == 0 else None
    tip = wait_for("no tooltip appeared", hint)
    assert tip.stdout.strip() == ("Quillomat: 12 km 345 m 67 cm traveled \\ 123456 Keystrokes "
                                  "\\ 23456 Clicks")
    shot(wine, "tray_hint")


def test_daily_log_line_on_the_first_start_of_a_day(wine):
    yesterday = str(today_number() - 1)
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=yesterday, Keystrokes="4294967295")
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    start_program(wine)  # the line is written during start-up
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
    wine.end_programs()
    start_program(wine)
    assert len(log.read_bytes().split(b"\r\n")) == 3


def test_panel_scales_with_the_screen_dpi(wine):
    with wine.screen_dpi(144):
        fresh(wine, Orientation="-1", Dispitems="01000000000000")
        start_program(wine)
        s = window_state(wine)
        assert (s["w"], s["h"]) == (227, 107)  # 151 x 71 at one and a half times
        # The 96-DPI look, scaled: the region cuts the outer bevel lines, and the inner lit ones
        # (two pixels each now) show along the top and left edges.
        looks = {(2, 50): (255, 255, 255), (40, 2): (255, 255, 255), (4, 50): (0x48, 0xA4, 0xFF)}
        shot_showing(wine, "vertical_keystrokes_144dpi",
                     lambda path: pixel_problems(path, (s["x"], s["y"]), looks))


def test_the_panel_comes_back_where_it_was_at_the_next_start(wine):
    """Moved by the user and ended, the panel starts again where it was left, not centred. The
    place is kept in work-area coordinates, as Windows keeps a window's placement, beside the
    screen's; under Wine the work area starts at 0, 0 (its taskbar is at the bottom), so both
    read the same here: the offset of a work area below a taskbar at the top is the core's
    unit tests' to check."""
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    centred = window_state(wine)
    assert (centred["x"], centred["y"]) != (300, 400)
    assert wine.probe("move", MAIN, 300, 400).returncode == 0
    s = wait_state(wine, "the panel did not move", x=300, y=400)
    exit_program(wine)
    left, top, _, _ = work_area(wine)
    placed = wine.reg_values(SETTINGS_KEY + r"\frmMain")
    x, y = 300 - left, 400 - top
    assert placed["NormPos"] == f"{x},{y},{x + s['w']},{y + s['h']}"
    assert placed["ScreenPos"] == f"300,400,{300 + s['w']},{400 + s['h']}"
    start_program(wine)
    back = window_state(wine)
    assert (back["x"], back["y"], back["w"], back["h"]) == (300, 400, s["w"], s["h"])
    exit_program(wine)
