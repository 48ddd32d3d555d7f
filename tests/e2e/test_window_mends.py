"""The main window as a user reaches it: its taskbar button, the keyboard, the notification-area
icon while the shell is busy, and the hooks and saves that must survive the unexpected."""

import pathlib
import re
import time

from helpers import (APART_S, CMD_BTN_ONOFF, CMD_HIDE_PANEL, TRAY_ICON, background, close_to_tray,
                     cover, exit_program, fresh, input_marker, message_box, minute_save,
                     send_command, share_of, shot, shot_showing, start_program,
                     today_number, values_ci, wait_dragging, wait_equal, wait_for, wait_menus,
                     wait_saved, wait_state, wait_taskbar_buttons, window_state)

WM_CLOSE = 0x10


def focused_text(wine):
    m = re.search(r"text=(.*)", wine.probe("focus", "TfrmMain").stdout)
    return m.group(1).strip() if m else None


def tab(wine, key, expected):
    """Presses Tab (or Shift+Tab) and waits until the focus is on the button captioned
    `expected`: each key's move must be handled before the next key comes."""
    wine.xdotool("key", key)
    wait_equal(f"{key} did not move the focus to {expected!r}", lambda: focused_text(wine),
               expected)


def keystrokes_saved(wine, expected):
    """Saves at once and reads the keystroke total until it is `expected`."""
    return int(wait_saved(wine, Keystrokes=str(expected))["keystrokes"])


def test_taskbar_button_and_alt_tab_entry_bring_the_panel_forward(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    app = dict(re.findall(r"(\w+)=([^ \n]+)", wine.probe("window", "TApplication", "2000").stdout))
    # An Alt+Tab entry: a shown window of its own, owned by nobody, not a tool window.
    assert (app["visible"], app["owned"], app["toolwindow"]) == ("1", "0", "0")
    assert "title=Quillomat 14.0" in wine.probe("window", "TApplication", "2000").stdout
    buttons = wait_taskbar_buttons(wine, 2)  # the shell's Start button and ours
    ours = buttons[1]
    s = window_state(wine)
    other = cover(wine, s["x"] - 100, s["y"] - 100, s["w"] + 200, s["h"] + 200)
    try:
        assert wine.probe("above", "QuilloCover", "TfrmMain").returncode == 0
        shot(wine, "taskbar_panel_covered")
        wine.xdotool("mousemove", ours[0] + ours[2] // 2, ours[1] + ours[3] // 2)
        wine.xdotool("click", 1)
        wait_for("the taskbar button did not bring the panel forward",
                 lambda: wine.probe("above", "TfrmMain", "QuilloCover").returncode == 0)
        wait_for("the panel is not the foreground window",
                 lambda: "class=TfrmMain" in wine.probe("foreground", "-").stdout)
        shot(wine, "taskbar_panel_forward")
        # Hidden to the notification area, the button goes; shown again, it comes back.
        send_command(wine, CMD_HIDE_PANEL)
        wait_taskbar_buttons(wine, len(buttons),
                             "the taskbar's buttons (the cover's came, ours went)")
        assert "visible=0" in wine.probe("window", "TApplication", "2000").stdout
        send_command(wine, CMD_HIDE_PANEL)
        wait_for("the application's window did not come back",
                 lambda: "visible=1" in wine.probe("window", "TApplication", "2000").stdout)
    finally:
        other.kill()


def test_the_panel_and_its_hints_need_no_common_controls_library(wine):
    fresh(wine)
    start_program(wine)
    s = window_state(wine)
    x, y = s["x"] + 52 + 15, s["y"] + 4 + 9  # the on/off button of the horizontal panel
    wine.xdotool("mousemove", x - 2, y - 1)
    wine.xdotool("mousemove", x, y)
    # The hint is our own small window under the pointer, in the system's hint colours (the
    # prefix's own: Wine's default theme makes them white).
    below = (x, y + 14, 60, 24)
    colors = wine.run(["reg", "query", r"HKCU\Control Panel\Colors", "/v", "InfoWindow"]).stdout
    info = "#%02X%02X%02X" % tuple(int(v) for v in re.search(r"REG_SZ\s+(\d+) (\d+) (\d+)",
                                                             colors).groups())
    shot_showing(wine, "button_hint", lambda path: [] if share_of(path, below, info) > 0.3
                 else [f"no hint in {info} below the button"])
    maps = pathlib.Path(f"/proc/{wine.pid_of('Quillomat.exe')}/maps").read_text().lower()
    assert "comctl32" not in maps


def test_extra_button_on_an_indicator_drags_until_it_is_released(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    before = window_state(wine)
    x, y = before["x"] + 60, before["y"] + 52  # on the keystrokes indicator
    assert "TIAeverLiquidIndicator" in wine.probe("child-at", x, y).stdout
    wine.xdotool("mousemove", x, y)
    wine.xdotool("mousedown", 8)
    wait_dragging(wine)
    # Each move is followed before the next is made, and the button released only after the
    # last (a busy machine may handle the moves after the release otherwise, and the loop ends
    # where it stood then).
    for step in range(1, 6):
        wine.xdotool("mousemove", x + 10 * step, y + 6 * step)
        after = wait_state(wine, f"the panel did not follow move {step} of the drag",
                           x=before["x"] + 10 * step, y=before["y"] + 6 * step)
    wine.xdotool("mouseup", 8)
    wine.xdotool("mousemove", 300, 300)  # released: the window no longer follows the pointer
    input_marker(wine, (after["x"] + 60, after["y"] + 52))
    assert (window_state(wine)["x"], window_state(wine)["y"]) == (after["x"], after["y"])


def test_tab_and_shift_tab_move_between_the_buttons_and_space_presses(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    wine.xdotool("mousemove", s["x"] + 3, s["y"] + 27)  # the panel's background
    wine.xdotool("click", 1)
    wait_for("the panel did not take the keyboard",
             lambda: "class=TfrmMain" in wine.probe("foreground", "-").stdout)
    # Help, minimise, close, setup, on/off, in the order they stand; and back one.
    for key, button in [("Tab", "?"), ("Tab", "0"), ("Tab", "r"), ("Tab", "setup"),
                        ("Tab", "on"), ("shift+Tab", "setup"), ("Tab", "on")]:
        tab(wine, key, button)
    wine.xdotool("key", "space")
    # The focused on/off button was pressed: counting is off, and stored so at once.
    wait_equal("the stored on/off state", lambda: values_ci(wine).get("running"), "0")


def test_double_click_on_the_icon_toggles_once(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    for expected in (0, 1):
        wine.xdotool("mousemove", *TRAY_ICON, "click", "--repeat", 2, "--delay", 90, 1)
        # The icon's menu after the double click: its clicks have all been handled by then.
        wine.xdotool("sleep", APART_S)
        input_marker(wine)
        assert window_state(wine)["visible"] == expected


def test_a_text_of_another_type_does_not_stop_start_up(wine):
    fresh(wine, Language="2", Orientation="-1", Leftclicks="6", Running="-1")
    wine.run(["reg", "add", r"HKCU\Software\Ombrelune\Quillomat", "/v", "URL", "/t",
              "REG_DWORD", "/d", "5", "/f"], check=True)
    start_program(wine)
    assert '"URL"' in message_box(wine, click=1)
    assert window_state(wine)["h"] == 565  # vertical: the stored orientation was applied
    send_command(wine, CMD_BTN_ONOFF)
    assert values_ci(wine)["running"] == "0"  # the first click switched counting off
    close_to_tray(wine)
    v = values_ci(wine)
    assert (v["language"], v["orientation"], v["leftclicks"]) == ("2", "-1", "6")
    query = wine.run(["reg", "query", r"HKCU\Software\Ombrelune\Quillomat", "/v", "URL"]).stdout
    assert "REG_DWORD" in query  # never overwritten


def test_dpi_change_during_a_drag_waits_until_the_drag_is_over(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    p = start_program(wine)
    s = window_state(wine)
    x, y = s["x"] + 60, s["y"] + 52
    led = re.search(r"hwnd=(\d+)", wine.probe("child-at", x, y).stdout).group(1)
    wine.xdotool("mousemove", x, y)
    wine.xdotool("mousedown", 1)
    wait_dragging(wine)
    wine.xdotool("mousemove", x + 20, y + 10)
    wait_state(wine, "the drag did not start", x=s["x"] + 20, y=s["y"] + 10)
    assert wine.probe("dpichanged", "TfrmMain", "96").returncode == 0
    # The indicator whose press started the drag is still there while the drag goes on.
    assert wine.probe("alive", led).returncode == 0
    wine.xdotool("mousemove", x + 40, y + 20)
    wait_state(wine, "the drag did not go on", x=s["x"] + 40, y=s["y"] + 20)
    wine.xdotool("mouseup", 1)
    # Afterwards the panel was built again, and the program lives on.
    wait_for("the panel was not built again after the drag",
             lambda: wine.probe("alive", led).returncode != 0)
    # The old indicators go first, then the new ones come.
    wait_for("no indicator where the old one was after the drag",
             lambda: "TIAeverLiquidIndicator" in wine.probe("child-at", x + 40, y + 20).stdout)
    assert p.poll() is None
    after = window_state(wine)
    assert (after["x"] - s["x"], after["y"] - s["y"]) == (40, 20)


def test_without_an_icon_the_window_never_hides_and_the_icon_is_retried(wine):
    fresh(wine, Hide="-1", Orientation="-1", Dispitems="01000000000000")
    busy = background(wine, "busytray", 120000, ready="busy")
    try:
        start_program(wine)
        s = window_state(wine)
        # "Hide" is due 50 ms after start-up, on a timer, which comes whenever the program is
        # idle: long before a menu opened on the panel is up (a time-out of its own, in the
        # program's idle moments, not a guess of the test's).
        input_marker(wine, (s["x"] + 60, s["y"] + 52))
        assert window_state(wine)["visible"] == 1  # "Hide" waits: there is no icon to come back by
        # Nor does closing hide it (sent: handled when the call returns).
        assert wine.probe("call", "TfrmMain", WM_CLOSE, 0, 0).returncode == 0
        assert window_state(wine)["visible"] == 1
    finally:
        busy.kill()
        busy.wait(timeout=30)
    # The shell takes icons again: the retry puts the icon in place, and the start-up hide
    # happens.
    wait_state(wine, "the start-up hide never came", visible=0)
    wine.xdotool("mousemove", *TRAY_ICON)
    wine.xdotool("click", 1)
    wait_state(wine, "a click on the icon did not show the panel", visible=1)


def test_killed_after_the_daily_line_the_next_start_does_not_write_it_again(wine):
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=str(today_number() - 1))
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    start_program(wine)  # the daily line is written during start-up
    assert len(log.read_bytes().split(b"\r\n")) == 3  # header, one line, the final CR LF
    wine.kill_programs()  # killed before any save
    assert wine.probe("gone", "TfrmMain", "20000").returncode == 0
    start_program(wine)
    assert len(log.read_bytes().split(b"\r\n")) == 3


def test_a_paused_panel_shown_again_adds_no_travel_and_no_running_time(wine):
    fresh(wine, Running="0", Orientation="-1")
    start_program(wine)
    for x, y in [(100, 100), (1800, 900), (200, 1000), (1700, 100), (900, 600)]:
        wine.xdotool("mousemove", x, y)
    # The moves are handled once a menu opened after them is up.
    input_marker(wine)
    # Time that must pass for the fault to show (a paused panel that counted its pause as
    # running time), not a wait for the program.
    time.sleep(2.0)
    for _ in range(2):  # hidden and shown: the panel is built and brought up to date
        send_command(wine, CMD_HIDE_PANEL)
    exit_program(wine)
    v = values_ci(wine)
    assert float(v["distance"].replace(",", ".")) == 0
    assert v["time"] == "0"


def test_icon_menu_answers_the_keyboard_while_another_program_is_in_front(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    send_command(wine, CMD_HIDE_PANEL)
    other = cover(wine, 500, 300, 800, 500)
    try:
        wine.xdotool("mousemove", *TRAY_ICON)
        wine.xdotool("click", 3)
        wait_menus(wine, 1)
        wine.xdotool("key", "Down")  # the first item: show or hide the panel
        wine.xdotool("key", "Return")
        wait_menus(wine, 0)
        wait_state(wine, "the menu's first item did not show the panel", visible=1)
        # Opened again, a click elsewhere closes it.
        wine.xdotool("mousemove", *TRAY_ICON)
        wine.xdotool("click", 3)
        wait_menus(wine, 1)
        wine.xdotool("mousemove", 900, 450)
        wine.xdotool("click", 1)
        wait_menus(wine, 0)
    finally:
        other.kill()


def test_a_hook_removed_behind_the_programs_back_is_put_back(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    wine.xdotool("mousemove", 1000, 700)
    wine.xdotool("key", "--delay", 60, "a", "b", "c")
    keystrokes_saved(wine, 3)
    removed = wine.probe("unhook-all", "-").stdout
    assert int(re.search(r"removed=(\d+)", removed).group(1)) >= 2
    # Typing goes on; the watchdog (every 5 s) notices that no hook saw it and puts the hooks
    # back. One key at a time, each given a moment to be counted before the next: once one
    # is, none is left on its way.
    counted = 3
    deadline = time.monotonic() + 60
    while counted == 3:
        assert time.monotonic() < deadline, "no keystroke was counted after the hooks were removed"
        wine.xdotool("key", "x")
        key_deadline = time.monotonic() + 1.0
        while counted == 3 and time.monotonic() < key_deadline:
            minute_save(wine)
            counted = int(values_ci(wine)["keystrokes"])
    healed = counted
    wine.xdotool("key", "--delay", 60, "q", "w", "e", "r", "t")
    keystrokes_saved(wine, healed + 5)
    # A marker key after them: exactly once each, one hook, not two.
    wine.xdotool("key", "z")
    assert keystrokes_saved(wine, healed + 6) == healed + 6
