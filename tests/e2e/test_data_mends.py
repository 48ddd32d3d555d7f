"""Totals that must survive the unexpected: a kill after the daily reset, a second copy started
beside the first, an import chosen by mistake, and a hide that falls into a drag."""

import os
import re
import signal

from helpers import (BOX_TITLE, CMD_EXIT, CMD_HIDE_PANEL, CMD_IMPORT, IDOK, IDYES, background,
                     choose_file, fresh, launch, message_box, minute_save, read_export, scramble,
                     shot, today_number, values_ci, wait_dragging, wait_for, window_state,
                     without_clock)

TITLE = BOX_TITLE


def test_a_kill_after_the_daily_reset_neither_resets_again_nor_loses_the_days_counts(wine):
    yesterday = str(today_number() - 1)
    fresh(wine, Measuredate=yesterday, Keystrokes="777", Leftclicks="55")
    p = wine.start([wine.exe("Quillomat.exe")])
    assert message_box(wine, click=IDOK) == "reset"
    wait_for("the panel did not appear", lambda: window_state(wine)["visible"] == 1)
    # Stored at once: the reset's zeros and today's day number.
    v = values_ci(wine)
    assert (v["measuredate"], v["keystrokes"], v["leftclicks"]) == (str(today_number()), "0", "0")

    wine.xdotool("mousemove", 900, 500)
    wine.xdotool("key", "--delay", 60, "q", "w", "e")
    wait_for("the keys were not saved by the minute save",
             lambda: minute_save(wine) or values_ci(wine)["keystrokes"] == "3")
    wine.kill_programs()  # a crash or a power cut: no full save
    assert p.poll() is not None

    launch(wine)
    # The panel is up, so start-up is over: a "reset" box would have come before it.
    assert wine.probe("count", "#32770", TITLE).stdout.strip() == "0"
    wine.probe("command", "TfrmMain", CMD_EXIT)
    wait_for("the program did not end", lambda: wine.probe("gone", "TfrmMain", "1000")
             .returncode == 0)
    v = values_ci(wine)
    assert v["keystrokes"] == "3" and v["measuredate"] == str(today_number())


def panel_visible(wine):
    return window_state(wine)["visible"] == 1


def test_a_second_copy_brings_the_first_forward_and_ends_without_touching_the_store(wine):
    fresh(wine, Keystrokes="10", Leftclicks="20")
    launch(wine)
    wine.probe("command", "TfrmMain", CMD_HIDE_PANEL)  # hidden to the notification area
    wait_for("the panel did not hide", lambda: not panel_visible(wine))
    before = without_clock(values_ci(wine))
    # A portable copy in a folder of its own, started while the installed one runs.
    portable = wine.prefix / "drive_c" / "portable"
    portable.mkdir(exist_ok=True)
    (portable / "Quillomat.exe").write_bytes(wine.exe("Quillomat.exe").read_bytes())
    second = wine.start([r"C:\portable\Quillomat.exe"])
    wait_for("the second copy kept running", lambda: second.poll() is not None, 30)
    assert second.returncode == 0
    wait_for("the running copy's panel did not come back", lambda: panel_visible(wine))
    assert wine.probe("count", "TfrmMain", "Quillomat").stdout.strip() == "1"
    assert without_clock(values_ci(wine)) == before

    # The same input is counted once, by the copy that runs.
    wine.xdotool("mousemove", 900, 500)
    wine.xdotool("key", "--delay", 60, "a", "s", "d", "f")
    wait_for("the keys were not counted",
             lambda: minute_save(wine) or values_ci(wine)["keystrokes"] == "14")
    wine.probe("command", "TfrmMain", CMD_EXIT)
    wait_for("the program did not end",
             lambda: wine.probe("gone", "TfrmMain", "1000").returncode == 0)
    assert values_ci(wine)["keystrokes"] == "14"


def test_the_start_up_hide_waits_until_a_drag_of_the_panel_is_over(wine):
    fresh(wine, Hide="-1", Orientation="-1", Dispitems="01000000000000")
    # A notification area that refuses icons: "Hide" must wait for the icon.
    busy = background(wine, "busytray", 120000, ready="busy")
    try:
        p = launch(wine)
        s = window_state(wine)
        x, y = s["x"] + 60, s["y"] + 52
        led = re.search(r"hwnd=(\d+)", wine.probe("child-at", x, y).stdout).group(1)
        wine.xdotool("mousemove", x, y)
        wine.xdotool("mousedown", 1)
        wait_dragging(wine)
        wine.xdotool("mousemove", x + 20, y + 10)
    finally:
        os.killpg(busy.pid, signal.SIGKILL)
        busy.wait(timeout=30)
    try:
        # Explorer announces itself again while the panel is being dragged: the icon is added at
        # once, which makes the deferred start-up hide due, inside the drag's loop.
        sent = wine.probe("send", "TfrmMain", "TaskbarCreated", timeout=120)
        assert sent.returncode == 0, f"TaskbarCreated was not answered: {sent.stdout}"
        assert wine.probe("alive", led).returncode == 0
        assert panel_visible(wine)
        wine.xdotool("mousemove", x + 40, y + 20)
    finally:
        wine.xdotool("mouseup", 1)
    wait_for("the start-up hide never came", lambda: not panel_visible(wine))
    assert p.poll() is None


def backups_folder(wine):
    found = list(wine.prefix.glob("drive_c/users/*/AppData/Roaming/Quillomat/Backups"))
    return found[0] if found else None


def backups(wine):
    folder = backups_folder(wine)
    return sorted(p.name for p in folder.iterdir()) if folder else []


def test_an_import_asks_first_and_keeps_the_totals_it_replaces_in_a_backup(wine):
    fresh(wine, Keystrokes="1000", Leftclicks="200", Distance="5000", Time="3600")
    # Last month's export, saved again by Notepad as UTF-16 with a byte-order mark.
    lines = ["1", "800", "60", "5", "10", "20", "0", "0", "0", "0", "0", "0"]
    text = b"".join(scramble(t) + b"\r\n" for t in lines)
    (wine.prefix / "drive_c" / "lastmonth.qlx").write_bytes(
        b"\xff\xfe" + text.decode("ascii").encode("utf-16-le"))
    launch(wine)

    wine.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(wine, "Open", r"C:\lastmonth.qlx")
    question = message_box(wine, title="Quillomat")  # the questions' own caption
    shot(wine, "import_question")
    assert "Replace the current totals with the totals in this file?" in question
    assert r"C:\lastmonth.qlx" in question
    now, in_file = question.split("In the file:")
    assert "Keystrokes: 10" in now and "Clicks (all buttons): 200" in now
    assert "Keystrokes: 10\n" in in_file and "Clicks (all buttons): 20" in in_file
    assert "Running time: 01:00:" in now and "Running time: 00:01:00" in in_file
    m = re.search(r"\\Quillomat\\Backups\\(Quillomat \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.qlx)",
                  question)
    assert m, question
    backup_name = m.group(1)
    before = without_clock(values_ci(wine))
    wine.xdotool("key", "Return")  # No is the default
    wait_for("the question stayed open",
             lambda: wine.probe("count", "#32770", "Quillomat").stdout.strip() == "0")
    assert without_clock(values_ci(wine)) == before and backups(wine) == []

    wine.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(wine, "Open", r"C:\lastmonth.qlx")
    message_box(wine, click=IDYES, title="Quillomat")
    wait_for("the import was not stored",
             lambda: values_ci(wine).get("keystrokes") == "10")
    names = backups(wine)
    assert len(names) == 1 and names[0] >= backup_name  # named when it was written
    saved = read_export(backups_folder(wine) / names[0])
    assert saved[4] >= 1000 and saved[5] == 200 and saved[1] >= 5000  # the totals replaced

    # The mistake undone: the backup imported brings those totals back.
    wine.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(wine, "Open", "C:\\users\\" + backups_folder(wine).parents[3].name +
                r"\AppData\Roaming\Quillomat\Backups" + "\\" + names[0])
    message_box(wine, click=IDYES, title="Quillomat")
    wait_for("the backup was not imported",
             lambda: values_ci(wine).get("keystrokes") == str(saved[4]))
    v = values_ci(wine)
    assert (v["leftclicks"], v["distance"], v["time"]) == ("200", str(saved[1]), str(saved[2]))
    assert len(backups(wine)) == 2
