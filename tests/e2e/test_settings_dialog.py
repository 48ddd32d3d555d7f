"""The settings dialog under Wine, driven by real clicks and keys: how it opens, what OK and Apply
change in the panel and the registry, the auto-start entry, "Log Now", and a second opening
request. The dialog's rules are unit-tested in the core; these tests prove the wiring."""

import pathlib
import re

from helpers import (APART_S, APPLY, BOX_TITLE, CANCEL, OK, SETTINGS_TITLE, TRAY_ICON, cover,
                     foreground, fresh, numbers, shot, start_program, values_ci, wait_equal,
                     wait_for, wait_menus, wait_state, wait_taskbar_buttons, window_state,
                     windows_open)
from helpers import open_settings as open_with_setup_button
from helpers import settings_click as click
from helpers import settings_closed as wait_closed
from helpers import settings_control as control
from helpers import settings_dialog as dialog
from helpers import settings_open as dialogs_open
from helpers import settings_shot as dialog_shot

TITLE = SETTINGS_TITLE

RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"

# Control ids of the dialog (src/win32/dialogs/settings_dialog.h).
CBX_UNITS, CBX_ORIENTATION, CBX_LANGUAGE, CBX_TRANSPARENT = 1107, 1109, 1113, 1115
EDT_MONITOR, EDT_IDLE, CHK_STARTUP = 1101, 1119, 1123
ITEM_BOX = 1200  # + the item's position in "Dispitems" less one
BTN_LOG_NOW = 1308


def lists_open(wine):
    """Drop-down lists shown (their list is a top-level window of its own)."""
    return windows_open(wine, "", "ComboLBox")


def choose(wine, ident, *keys):
    """Opens a drop-down list with a click and picks an item with the keys given; returns once
    the list has closed again and the control shows a choice made by them."""
    before = control(wine, ident)["text"]
    click(wine, ident)
    wait_for(f"the list {ident} did not open", lambda: lists_open(wine) == 1)
    wine.xdotool("key", "--delay", 80, *keys, "Return")
    wait_for(f"the list {ident} did not close", lambda: lists_open(wine) == 0)
    return wait_for(f"the list {ident} kept {before!r}",
                    lambda: (lambda t: t if t != before else None)(control(wine, ident)["text"]))


def page(wine, shown_control):
    """Ctrl+Tab to the next page; returns once `shown_control` (on that page) is visible."""
    wine.xdotool("key", "ctrl+Tab")
    wait_for(f"the page of {shown_control} did not come",
             lambda: control(wine, shown_control)["visible"] == 1)


def type_into(wine, ident, text):
    click(wine, ident)
    wait_for(f"the edit {ident} did not take the keyboard",
             lambda: control(wine, ident)["focused"] == 1)
    wine.xdotool("key", "End", "shift+Home")
    wine.xdotool("type", "--delay", 60, "--", text)  # "--": a text may start with "-"
    wait_equal(f"the text typed into {ident}", lambda: control(wine, ident)["text"], text)


def open_with_menu(wine, at):
    """Right click at `at`, then the third item of the pop-up menu ("Options...")."""
    wine.xdotool("mousemove", *at)
    wine.xdotool("click", 3)
    wait_menus(wine, 1)
    wine.xdotool("key", "--delay", 100, "Down", "Down", "Down", "Return")
    return dialog(wine)


def test_opens_from_the_setup_button_and_the_menu_in_english_and_czech(wine):
    fresh(wine, Orientation="-1", Dispitems="01000000000000")
    start_program(wine)
    d = open_with_setup_button(wine)
    assert (d["cw"], d["ch"]) == (366, 396)
    assert d["foreground"] == 1
    assert window_state(wine)["enabled"] == 0  # modal: the panel takes no input meanwhile
    assert control(wine, APPLY)["text"] == "Apply"
    assert control(wine, CBX_UNITS)["text"] == "English system"
    dialog_shot(wine, "settings_english_general")
    page(wine, ITEM_BOX + 6)  # "Running Time" on the second page
    dialog_shot(wine, "settings_english_items")
    wine.xdotool("key", "Escape")  # Cancel: nothing is written
    wait_closed(wine)
    assert window_state(wine)["enabled"] == 1
    assert "monitorsize" not in values_ci(wine)

    fresh(wine, Orientation="-1", Dispitems="01000000000000", Language="8")
    start_program(wine)
    s = window_state(wine)
    open_with_menu(wine, (s["x"] + 70, s["y"] + 35))  # on the keystrokes label
    assert control(wine, CANCEL)["text"] == "Zrušit"
    assert control(wine, APPLY)["text"] == "Použít"
    assert control(wine, CBX_ORIENTATION)["text"] == "Vertikální"
    dialog_shot(wine, "settings_czech_general")
    page(wine, ITEM_BOX + 6)
    dialog_shot(wine, "settings_czech_items")
    wine.xdotool("key", "Return")  # OK: the dialog's values are written
    wait_closed(wine)
    assert values_ci(wine)["monitorsize"] == "23"


def test_ok_rebuilds_the_panel_and_stores_the_choices(wine):
    fresh(wine)  # horizontal, seven digits, every item, imperial, English, opaque
    start_program(wine)
    assert (window_state(wine)["w"], window_state(wine)["h"]) == (1588, 44)
    open_with_setup_button(wine)
    choose(wine, CBX_ORIENTATION, "Down")  # Vertical
    choose(wine, CBX_UNITS, "Up")  # Metric system
    choose(wine, CBX_TRANSPARENT, "Down", "Down")  # 50 %
    choose(wine, CBX_LANGUAGE, "Down", "Down")  # German: the dialog follows at once
    assert control(wine, APPLY)["text"] == "Anwenden"
    assert control(wine, CBX_ORIENTATION)["text"] == "Vertikal"  # the choice is kept
    page(wine, ITEM_BOX + 6)
    # Leave only keystrokes and left clicks.
    for position in [7, 1, 4, 5, 13, 14, 6, 8, 9, 10, 11, 12]:
        click(wine, ITEM_BOX + position - 1)
    click(wine, OK)
    wait_closed(wine)
    s = wait_state(wine, "the panel was not rebuilt", w=151, h=38 * 2 + 33)
    assert s["alpha"] == 110
    v = values_ci(wine)
    assert {k: v[k] for k in ["orientation", "displaymode", "language", "transparent", "dispitems",
                              "digits"]} == {
        "orientation": "-1", "displaymode": "-1", "language": "2", "transparent": "2",
        "dispitems": "01100000000000", "digits": "7"}
    # The dialog's own values and the full save that follows them.
    assert v["monitorsize"] == "23"
    assert v["autosend"] == "0"
    assert "keystrokes" in v
    shot(wine, "settings_applied_vertical_german")


def test_apply_then_cancel_keeps_what_apply_stored(wine):
    fresh(wine)
    start_program(wine)
    open_with_setup_button(wine)
    type_into(wine, EDT_IDLE, "99999")
    click(wine, APPLY)
    # Out of range: a box says what was taken, the edit shows it, and only that is stored.
    assert '"99999" was taken as 3600' in box(wine)["text"]
    close_box(wine)
    assert control(wine, EDT_IDLE)["text"] == "3600"
    assert values_ci(wine)["idledelay"] == "3600"
    assert dialogs_open(wine) == 1  # Apply stays open
    type_into(wine, EDT_MONITOR, "30")
    click(wine, CANCEL)
    wait_closed(wine)
    v = values_ci(wine)
    assert v["idledelay"] == "3600"
    assert v["monitorsize"] == "23"


def unticking_run_on_startup_removes_the_value(wine):
    """The dialog opens with the entry found; unticked and OK, the value is gone."""
    open_with_setup_button(wine)
    assert control(wine, CHK_STARTUP)["checked"] == 1
    click(wine, CHK_STARTUP)
    click(wine, OK)
    wait_closed(wine)
    assert "Quillomat" not in wine.reg_values(RUN_KEY)


def test_run_on_startup_writes_and_removes_the_run_value(wine):
    fresh(wine)
    wine.run(["reg", "delete", RUN_KEY, "/v", "Quillomat", "/f"])
    start_program(wine)
    open_with_setup_button(wine)
    click(wine, CHK_STARTUP)
    wine.xdotool("key", "Return")  # Enter is OK
    wait_closed(wine)
    exe = "Z:" + str(pathlib.Path(wine.exe("Quillomat.exe")).resolve()).replace("/", "\\")
    assert wine.reg_values(RUN_KEY).get("Quillomat", "").lower() == exe.lower()

    unticking_run_on_startup_removes_the_value(wine)


def test_log_now_appends_a_line(wine):
    fresh(wine)
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    start_program(wine)
    open_with_setup_button(wine)
    wine.xdotool("key", "ctrl+Tab", "ctrl+Tab")  # to "Time Logging"
    wait_for("the Time Logging page", lambda: control(wine, BTN_LOG_NOW)["visible"] == 1)

    def lines():
        return log.read_bytes().split(b"\r\n") if log.exists() else []

    click(wine, BTN_LOG_NOW)
    wait_equal("the log's lines after Log Now", lambda: len(lines()), 3)  # header, one line
    assert lines()[0].startswith(b"       Date ")
    # A second press, apart from the first: not a double click.
    wine.xdotool("sleep", APART_S)
    click(wine, BTN_LOG_NOW)
    wait_equal("the log's lines after a second Log Now", lambda: len(lines()), 4)
    wine.xdotool("key", "Escape")
    wait_closed(wine)


def test_a_second_opening_request_brings_the_open_dialog_forward(wine):
    fresh(wine)
    start_program(wine)
    open_with_setup_button(wine)
    wine.start(["notepad"])
    assert wine.probe("window", "Notepad", "30000").returncode == 0
    wait_for("Notepad in front", lambda: "class=Notepad" in foreground(wine))
    open_with_menu(wine, TRAY_ICON)  # the notification-area icon's menu
    wait_for("the dialog in front", lambda: f"title={TITLE}" in foreground(wine))
    assert dialogs_open(wine) == 1
    wine.xdotool("key", "Escape")
    wait_closed(wine)


def test_dialog_scales_with_the_screen_dpi(wine):
    with wine.screen_dpi(144):
        fresh(wine, Orientation="-1", Dispitems="01000000000000")
        start_program(wine)
        s = window_state(wine)
        wine.xdotool("mousemove", s["x"] + 42, s["y"] + 22)  # btnSetup at one and a half times
        wine.xdotool("click", 1)
        d = dialog(wine)
        assert (d["cw"], d["ch"]) == (549, 594)
        dialog_shot(wine, "settings_english_general_144dpi")


# ---- Corrections, ownership, activation, the panel's place, the Run value ----

BTN_SEND = 1407


def box(wine, timeout_ms=30000):
    """The message box that is up: its owner and text."""
    r = wine.probe("owner", BOX_TITLE, str(timeout_ms))
    assert r.returncode == 0, "no message box came"
    first, text = r.stdout.split("\ntext=", 1)
    info = numbers(first.split(" owner_title=")[0])
    info["owner_class"] = re.search(r"owner_class=(\S*)", first).group(1)
    info["owner_title"] = first.split(" owner_title=", 1)[1].strip()
    info["text"] = text.replace("\r", "").strip()
    return info


def close_box(wine):
    assert wine.probe("dialog", BOX_TITLE, "5000", "1").returncode == 0
    wait_for("the message box to close",
             lambda: wine.probe("count", "#32770", BOX_TITLE).stdout.strip() == "0")


def another_program(wine, x, y, w, h):
    """A window of another program that takes the foreground, until it is killed."""
    return cover(wine, x, y, w, h)


def test_a_value_corrected_at_ok_is_reported_however_ok_is_pressed(wine):
    fresh(wine, IdleDelay="10")
    start_program(wine)
    open_with_setup_button(wine)
    # Typed, then OK clicked with the mouse: the click takes the focus from the edit first.
    type_into(wine, EDT_IDLE, "99999")
    click(wine, OK)
    b = box(wine)
    assert "Idle Time Delay" in b["text"] and '"99999" was taken as 3600' in b["text"], b
    assert b["owner_title"] == TITLE  # the dialog's own box, over the dialog
    shot(wine, "settings_correction_reported")
    close_box(wine)
    wait_closed(wine)
    assert values_ci(wine)["idledelay"] == "3600"

    # A value rounded to zero from below is reported as 0, and stored as 0.
    open_with_setup_button(wine)
    type_into(wine, EDT_IDLE, "-0.4")
    wine.xdotool("key", "Tab")  # the edit left by the keyboard first, then Apply clicked
    click(wine, APPLY)
    b = box(wine)
    assert '"-0.4" was taken as 0 ' in b["text"], b
    close_box(wine)
    assert control(wine, EDT_IDLE)["text"] == "0"
    assert values_ci(wine)["idledelay"] == "0"
    wine.xdotool("key", "Escape")
    wait_closed(wine)


def test_switching_to_another_window_while_typing_rewrites_nothing(wine):
    fresh(wine, IdleDelay="10")
    start_program(wine)
    d = open_with_setup_button(wine)
    type_into(wine, EDT_IDLE, "99999")
    assert control(wine, EDT_IDLE)["focused"] == 1
    cover = another_program(wine, d["x"] + 40, d["y"] + 40, 300, 200)
    try:
        wait_for("another program in front",
                 lambda: "class=QuilloCover" in wine.probe("foreground", "-").stdout)
        assert control(wine, EDT_IDLE)["text"] == "99999"
    finally:
        cover.kill()
        cover.wait()
    click(wine, CANCEL)
    wait_closed(wine)
    assert values_ci(wine).get("idledelay", "10") == "10"


def test_the_error_after_send_now_belongs_to_the_dialog(wine):
    fresh(wine)
    start_program(wine)
    open_with_setup_button(wine)
    wine.xdotool("key", "ctrl+Tab", "ctrl+Tab", "ctrl+Tab")  # to "Data Upload"
    wait_for("the upload page", lambda: control(wine, BTN_SEND)["visible"] == 1)
    click(wine, BTN_SEND)
    # The statistics service's host does not resolve here: the post fails and says so.
    b = box(wine, 120000)
    assert b["owner_class"] == "#32770" and b["owner_title"] == TITLE, b
    assert b["owner_enabled"] == 0  # the dialog waits for its box
    assert b["box_foreground"] == 1
    assert wine.probe("above", "#32770", "TfrmMain").returncode == 0
    shot(wine, "settings_send_now_error")
    close_box(wine)
    # The dialog is usable again and the panel behind it still is not.
    assert dialog(wine)["enabled"] == 1
    assert window_state(wine)["enabled"] == 0
    wine.xdotool("key", "Escape")
    wait_closed(wine)
    assert window_state(wine)["enabled"] == 1


def test_taskbar_button_and_alt_tab_bring_the_open_dialog_forward(wine):
    fresh(wine)
    start_program(wine)
    open_with_setup_button(wine)
    ours = wait_taskbar_buttons(wine, 2)[1]  # the shell's Start button and the program's
    cover = another_program(wine, 0, 0, 1920, 1000)
    try:
        wait_for("another program in front",
                 lambda: "class=QuilloCover" in wine.probe("foreground", "-").stdout)
        wine.xdotool("mousemove", ours[0] + ours[2] // 2, ours[1] + ours[3] // 2)
        wine.xdotool("click", 1)
        wait_for("the dialog in front after the taskbar button",
                 lambda: f"title={TITLE}" in wine.probe("foreground", "-").stdout)
        assert wine.probe("above", "#32770", "QuilloCover").returncode == 0
        shot(wine, "settings_forward_by_taskbar")
        # Alt+Tab activates the application's window: the dialog comes forward again.
        assert wine.probe("activate", "QuilloCover").returncode == 0
        wait_for("another program in front again",
                 lambda: "class=QuilloCover" in wine.probe("foreground", "-").stdout)
        assert wine.probe("activate", "TApplication").returncode == 0
        wait_for("the dialog in front after Alt+Tab",
                 lambda: f"title={TITLE}" in wine.probe("foreground", "-").stdout)
        assert window_state(wine)["enabled"] == 0
    finally:
        cover.kill()
        cover.wait()
    wine.xdotool("key", "Escape")
    wait_closed(wine)


def test_a_panel_that_grows_at_ok_stays_on_its_monitor(wine):
    fresh(wine, Orientation="-1")  # vertical, every item
    start_program(wine)
    before = window_state(wine)
    assert before["w"] < 300
    # Near the right edge, as a user keeps a narrow vertical panel.
    assert wine.probe("move", "TfrmMain", 1920 - before["w"] - 20, 300).returncode == 0
    wait_for("the panel near the right edge", lambda: window_state(wine)["x"] > 1700)
    open_with_setup_button(wine)
    choose(wine, CBX_ORIENTATION, "Up")  # Horizontal: far wider than the room left of it
    click(wine, OK)
    wait_closed(wine)
    after = wait_for("the horizontal panel", lambda: (lambda s: s if s["w"] > 1000 else None)(
        window_state(wine)))
    # Moved in just enough: its right edge on the screen's, its top where it was.
    assert (after["x"] + after["w"], after["y"]) == (1920, 300), after
    shot(wine, "settings_panel_kept_on_screen")


def test_run_value_of_a_program_in_a_folder_with_a_space(wine):
    fresh(wine)
    wine.run(["reg", "delete", RUN_KEY, "/f"])  # a profile that has no Run key yet
    assert wine.run(["reg", "query", RUN_KEY]).returncode != 0
    folder = wine.work / "Tools and Things"
    folder.mkdir(exist_ok=True)
    copy = folder / "Quillomat.exe"
    copy.write_bytes(wine.exe("Quillomat.exe").read_bytes())
    start_program(wine, copy)
    open_with_setup_button(wine)
    click(wine, CHK_STARTUP)
    click(wine, OK)
    wait_closed(wine)
    exe = "Z:" + str(copy.resolve()).replace("/", "\\")
    value = wait_for("the Run value", lambda: wine.reg_values(RUN_KEY).get("Quillomat"))
    assert value.lower() == f'"{exe}"'.lower()  # quoted: the path has spaces
    # Started again, the program finds its entry in the quoted form too.
    wine.end_programs()
    start_program(wine, copy)
    unticking_run_on_startup_removes_the_value(wine)
