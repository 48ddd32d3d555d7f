"""The main window as a user reaches it: its taskbar button, the keyboard, the notification-area
icon while the shell is busy, and the hooks and saves that must survive the unexpected."""

import pathlib
import re
import subprocess
import time

import pytest

from test_counting import fresh, start_program, today_number, values_ci
from test_main_window import pixel, shot, window_state

CMD_HIDE_PANEL, CMD_EXIT, CMD_BTN_ONOFF = 100, 102, 203
TRAY_ICON = (1909, 1069)


def taskbar_buttons(wine):
    out = wine.probe("taskbar", "-").stdout
    return [tuple(int(v) for v in m) for m in
            re.findall(r"button x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+)", out)]


def focused_text(wine):
    m = re.search(r"text=(.*)", wine.probe("focus", "TfrmMain").stdout)
    return m.group(1).strip() if m else None


def background(wine, *args):
    """A probe that keeps running (a window of another program, a busy notification area)."""
    return subprocess.Popen(["wine", str(wine.exe("probe.exe")), *map(str, args)], env=wine.env,
                            cwd=wine.work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)


def keystrokes_saved(wine):
    """Saves at once (hiding by the menu saves; showing again) and reads the keystroke total."""
    wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
    time.sleep(0.6)
    wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
    time.sleep(0.6)
    return int(values_ci(wine)["keystrokes"])


def test_taskbar_button_and_alt_tab_entry_bring_the_panel_forward(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    app = dict(re.findall(r"(\w+)=([^ \n]+)", wine.probe("window", "TApplication", "2000").stdout))
    # An Alt+Tab entry: a shown window of its own, owned by nobody, not a tool window.
    assert (app["visible"], app["owned"], app["toolwindow"]) == ("1", "0", "0")
    assert "title=Quillomat 14.0" in wine.probe("window", "TApplication", "2000").stdout
    buttons = taskbar_buttons(wine)
    assert len(buttons) == 2, buttons  # the shell's Start button and ours
    ours = buttons[1]
    s = window_state(wine)
    cover = background(wine, "cover", s["x"] - 100, s["y"] - 100, s["w"] + 200, s["h"] + 200,
                       20000)
    try:
        time.sleep(1.5)
        assert wine.probe("above", "QuilloCover", "TfrmMain").returncode == 0
        shot(wine, "taskbar_panel_covered")
        wine.xdotool("mousemove", ours[0] + ours[2] // 2, ours[1] + ours[3] // 2)
        wine.xdotool("click", 1)
        time.sleep(1.0)
        assert wine.probe("above", "TfrmMain", "QuilloCover").returncode == 0
        assert "class=TfrmMain" in wine.probe("foreground", "-").stdout
        shot(wine, "taskbar_panel_forward")
        # Hidden to the notification area, the button goes; shown again, it comes back.
        wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
        time.sleep(0.8)
        assert len(taskbar_buttons(wine)) == len(buttons)  # the cover's came, ours went
        assert "visible=0" in wine.probe("window", "TApplication", "2000").stdout
        wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
        time.sleep(0.8)
        assert "visible=1" in wine.probe("window", "TApplication", "2000").stdout
    finally:
        cover.kill()


def test_the_panel_and_its_hints_need_no_common_controls_library(wine):
    fresh(wine)
    start_program(wine)
    s = window_state(wine)
    x, y = s["x"] + 52 + 15, s["y"] + 4 + 9  # the on/off button of the horizontal panel
    wine.xdotool("mousemove", x - 2, y - 1)
    time.sleep(0.2)
    wine.xdotool("mousemove", x, y)
    time.sleep(1.3)
    path = shot(wine, "button_hint")
    # The hint is our own small window under the pointer, in the system's hint colours (the
    # prefix's own: Wine's default theme makes them white).
    below = (x, y + 14, 60, 24)
    from test_main_window import share_of
    colors = wine.run(["reg", "query", r"HKCU\Control Panel\Colors", "/v", "InfoWindow"]).stdout
    info = "#%02X%02X%02X" % tuple(int(v) for v in re.search(r"REG_SZ\s+(\d+) (\d+) (\d+)",
                                                             colors).groups())
    assert share_of(path, below, info) > 0.3
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
    time.sleep(0.2)
    for step in range(1, 6):
        wine.xdotool("mousemove", x + 10 * step, y + 6 * step)
        time.sleep(0.05)
    wine.xdotool("mouseup", 8)
    time.sleep(0.4)
    after = window_state(wine)
    assert (after["x"] - before["x"], after["y"] - before["y"]) == (50, 30)
    wine.xdotool("mousemove", 300, 300)  # released: the window no longer follows the pointer
    time.sleep(0.4)
    assert window_state(wine)["x"] == after["x"]


def test_tab_and_shift_tab_move_between_the_buttons_and_space_presses(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    s = window_state(wine)
    wine.xdotool("mousemove", s["x"] + 3, s["y"] + 27)  # the panel's background
    wine.xdotool("click", 1)
    time.sleep(0.4)
    seen = []
    for _ in range(4):
        wine.xdotool("key", "Tab")
        time.sleep(0.2)
        seen.append(focused_text(wine))
    # Help, minimise, close, then (past the setup button while it is unavailable) on/off.
    assert seen[:3] == ["?", "0", "r"]
    assert seen[3] in ("setup", "on")
    if seen[3] == "setup":
        wine.xdotool("key", "Tab")
        time.sleep(0.2)
        assert focused_text(wine) == "on"
    wine.xdotool("key", "shift+Tab")
    time.sleep(0.2)
    assert focused_text(wine) in ("setup", "r")
    wine.xdotool("key", "Tab")
    time.sleep(0.2)
    assert focused_text(wine) == "on"
    wine.xdotool("key", "space")
    time.sleep(0.5)
    assert values_ci(wine)["running"] == "0"  # the focused on/off button was pressed


def test_double_click_on_the_icon_toggles_once(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    wine.xdotool("mousemove", *TRAY_ICON)
    time.sleep(0.3)
    for expected in (0, 1):
        wine.xdotool("click", "--repeat", 2, "--delay", 90, 1)
        time.sleep(1.0)
        assert window_state(wine)["visible"] == expected


def test_a_text_of_another_type_does_not_stop_start_up(wine):
    fresh(wine, Language="2", Orientation="-1", Leftclicks="6", Running="-1")
    wine.run(["reg", "add", r"HKCU\Software\Ombrelune\Quillomat", "/v", "URL", "/t",
              "REG_DWORD", "/d", "5", "/f"], check=True)
    start_program(wine)
    box = wine.probe("dialog", "Quillomat 14.0", "10000", "1")
    assert box.returncode == 0 and '"URL"' in box.stdout
    time.sleep(0.5)
    assert window_state(wine)["h"] == 565  # vertical: the stored orientation was applied
    assert wine.probe("command", "TfrmMain", str(CMD_BTN_ONOFF)).returncode == 0
    time.sleep(0.5)
    assert values_ci(wine)["running"] == "0"  # the first click switched counting off
    assert wine.probe("close", "TfrmMain").returncode == 0
    time.sleep(1.0)
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
    time.sleep(0.2)
    wine.xdotool("mousemove", x + 20, y + 10)
    time.sleep(0.2)
    assert wine.probe("dpichanged", "TfrmMain", "96").returncode == 0
    # The indicator whose press started the drag is still there while the drag goes on.
    assert wine.probe("alive", led).returncode == 0
    wine.xdotool("mousemove", x + 40, y + 20)
    wine.xdotool("mouseup", 1)
    time.sleep(0.6)
    # Afterwards the panel was built again, and the program lives on.
    assert wine.probe("alive", led).returncode != 0
    assert "TIAeverLiquidIndicator" in wine.probe("child-at", x + 40, y + 20).stdout
    assert p.poll() is None
    after = window_state(wine)
    assert (after["x"] - s["x"], after["y"] - s["y"]) == (40, 20)


def test_without_an_icon_the_window_never_hides_and_the_icon_is_retried(wine):
    fresh(wine, Hide="-1", Orientation="-1", Dispitems="01000000000000")
    busy = background(wine, "busytray", 6000)
    try:
        time.sleep(1.5)  # the busy notification area is up
        start_program(wine)
        time.sleep(1.0)
        assert window_state(wine)["visible"] == 1  # "Hide" waits: there is no icon to come back by
        wine.probe("close", "TfrmMain")
        time.sleep(0.6)
        assert window_state(wine)["visible"] == 1  # nor does closing hide it
    finally:
        busy.wait(timeout=30)
    # The shell takes icons again: the retry puts the icon in place, and the start-up hide
    # happens.
    deadline = time.time() + 8
    while time.time() < deadline and window_state(wine)["visible"] == 1:
        time.sleep(0.3)
    assert window_state(wine)["visible"] == 0
    wine.xdotool("mousemove", *TRAY_ICON)
    wine.xdotool("click", 1)
    time.sleep(1.0)
    assert window_state(wine)["visible"] == 1


def test_killed_after_the_daily_line_the_next_start_does_not_write_it_again(wine):
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=str(today_number() - 1))
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    start_program(wine)
    time.sleep(0.5)
    assert len(log.read_bytes().split(b"\r\n")) == 3  # header, one line, the final CR LF
    wine.kill_programs()  # killed before any save
    time.sleep(0.5)
    start_program(wine)
    time.sleep(0.5)
    assert len(log.read_bytes().split(b"\r\n")) == 3


def test_a_paused_panel_shown_again_adds_no_travel_and_no_running_time(wine):
    fresh(wine, Running="0", Orientation="-1")
    start_program(wine)
    for x, y in [(100, 100), (1800, 900), (200, 1000), (1700, 100), (900, 600)]:
        wine.xdotool("mousemove", x, y)
        time.sleep(0.1)
    time.sleep(2.0)
    for _ in range(2):  # hidden and shown: the panel is built and brought up to date
        wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
        time.sleep(0.6)
    wine.probe("command", "TfrmMain", str(CMD_EXIT))
    assert wine.probe("gone", "TfrmMain", "10000").returncode == 0
    v = values_ci(wine)
    assert float(v["distance"].replace(",", ".")) == 0
    assert v["time"] == "0"


def test_icon_menu_answers_the_keyboard_while_another_program_is_in_front(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    wine.probe("command", "TfrmMain", str(CMD_HIDE_PANEL))
    time.sleep(0.6)
    cover = background(wine, "cover", 500, 300, 800, 500, 20000)
    try:
        time.sleep(1.5)
        assert "QuilloCover" in wine.probe("foreground", "-").stdout
        wine.xdotool("mousemove", *TRAY_ICON)
        wine.xdotool("click", 3)
        time.sleep(0.8)
        assert "menus=1" in wine.probe("menus", "-").stdout
        wine.xdotool("key", "Down")  # the first item: show or hide the panel
        time.sleep(0.2)
        wine.xdotool("key", "Return")
        time.sleep(0.8)
        assert "menus=0" in wine.probe("menus", "-").stdout
        assert window_state(wine)["visible"] == 1
        # Opened again, a click elsewhere closes it.
        wine.xdotool("mousemove", *TRAY_ICON)
        wine.xdotool("click", 3)
        time.sleep(0.8)
        assert "menus=1" in wine.probe("menus", "-").stdout
        wine.xdotool("mousemove", 900, 450)
        wine.xdotool("click", 1)
        time.sleep(0.8)
        assert "menus=0" in wine.probe("menus", "-").stdout
    finally:
        cover.kill()


def test_a_hook_removed_behind_the_programs_back_is_put_back(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    wine.xdotool("mousemove", 1000, 700)
    wine.xdotool("key", "--delay", 60, "a", "b", "c")
    time.sleep(0.5)
    assert keystrokes_saved(wine) == 3
    removed = wine.probe("unhook-all", "-").stdout
    assert int(re.search(r"removed=(\d+)", removed).group(1)) >= 2
    # Typing goes on; the watchdog (every 5 s) notices that no hook saw it.
    for _ in range(16):
        wine.xdotool("key", "x")
        time.sleep(0.5)
    time.sleep(1.0)
    healed = keystrokes_saved(wine)
    assert healed > 3, "no keystroke was counted after the hooks were removed"
    wine.xdotool("key", "--delay", 60, "q", "w", "e", "r", "t")
    time.sleep(0.5)
    assert keystrokes_saved(wine) == healed + 5  # exactly once each: one hook, not two
