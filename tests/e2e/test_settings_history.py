"""The settings dialog's "History" page under Wine, driven by real clicks and keys: "Keep a history"
unticked and OK stores KeepHistory=0 and no more of the history is written to its files in the
prefix; "Delete history…" asks first, Enter answers No, and Yes removes the files; the page at 96
and 144 DPI in English, German and Dutch, with every control inside the tabs' frame however they
wrap."""

import contextlib
import itertools
import shutil

from helpers import (APPLY, CANCEL, OK, TABS, fresh, numbers, start_program, values_ci, wait_for,
                     window_state)
from helpers import open_settings as open_with_setup_button
from helpers import settings_click as click
from helpers import settings_closed as wait_closed
from helpers import settings_control as control
from helpers import settings_dialog as dialog
from helpers import settings_shot as dialog_shot

# Control ids of the page (src/win32/dialogs/settings_dialog.h).
CHK_KEEP, LBL_NOTE, LBL_FOLDER, EDT_FOLDER, BTN_DELETE = 1701, 1702, 1704, 1705, 1706
PAGE_CONTROLS = [CHK_KEEP, LBL_NOTE, LBL_FOLDER, EDT_FOLDER, BTN_DELETE]
MEMO = 1500  # the debug page's text
QUESTION_TITLE = "Quillomat"  # the program's questions
IDYES = 6

HEADER = ",".join(["date", "keystrokes", "left", "right", "middle", "x1", "x2", "double", "wheel",
                   "distance_inches", "running_seconds", "idle_seconds"]
                  + [f"keys_{h:02d}" for h in range(24)] + [f"clicks_{h:02d}" for h in range(24)]
                  + ["keys", "clicks"])
# A day kept long ago, by a version that kept no keys nor places: 9 keystrokes at 10:00.
PAST_DAY = ",".join(["2024-03-01", "9"] + ["0"] * 7 + ["0.000", "60", "0"]
                    + ["9" if h == 10 else "0" for h in range(24)] + ["0"] * 24)


def history_folder(wine):
    """%LOCALAPPDATA%\\Quillomat\\History of the prefix's user, as a Linux path."""
    users = [u for u in (wine.prefix / "drive_c/users").iterdir()
             if u.name != "Public" and (u / "AppData/Local").is_dir()]
    assert len(users) == 1, users
    return users[0] / "AppData/Local/Quillomat/History"


def windows_path(wine, path):
    return "C:\\" + str(path.relative_to(wine.prefix / "drive_c")).replace("/", "\\") + "\\"


def keystrokes_kept(path):
    """The keystrokes of the day in today's file (the second field of its one record)."""
    lines = [line for line in path.read_text().splitlines() if line]
    assert lines[0] == HEADER and len(lines) == 2, lines
    return int(lines[1].split(",")[1])


def to_history_page(wine):
    wine.xdotool("key", "--delay", 80, "ctrl+Tab", "ctrl+Tab", "ctrl+Tab", "ctrl+Tab")
    wait_for("the history page", lambda: control(wine, CHK_KEEP)["visible"] == 1)


def question(wine):
    """The question box that is up, with its owner and text."""
    r = wine.probe("owner", QUESTION_TITLE, "30000")
    assert r.returncode == 0, "no question came"
    first, text = r.stdout.split("\ntext=", 1)
    return {"owner_title": first.split(" owner_title=", 1)[1].strip(),
            "text": text.replace("\r", "").strip()}


def questions_open(wine):
    return int(wine.probe("count", "#32770", QUESTION_TITLE).stdout.strip())


def page_inside_the_tabs(wine):
    """Every control of the page lies inside the tab control's frame, below its rows of tabs and
    above its bottom edge; none overlaps the next."""
    tabs = control(wine, TABS)
    rects = [control(wine, c) for c in PAGE_CONTROLS]
    for ident, r in zip(PAGE_CONTROLS, rects):
        assert r["visible"] == 1, ident
        assert tabs["x"] < r["x"] and r["x"] + r["w"] < tabs["x"] + tabs["w"], (ident, r, tabs)
        assert tabs["y"] < r["y"] and r["y"] + r["h"] < tabs["y"] + tabs["h"], (ident, r, tabs)
    for upper, lower in zip(rects, rects[1:]):
        assert upper["y"] + upper["h"] <= lower["y"], (upper, lower)


def test_unticked_and_ok_stores_it_and_no_more_history_is_written(wine):
    fresh(wine)
    folder = history_folder(wine)
    shutil.rmtree(folder, ignore_errors=True)
    start_program(wine)
    wine.xdotool("key", "--delay", 60, "a", "b", "c", "d", "e")
    open_with_setup_button(wine)
    to_history_page(wine)
    assert control(wine, CHK_KEEP)["checked"] == 1  # on unless stored otherwise
    assert control(wine, EDT_FOLDER)["text"] == windows_path(wine, folder)
    page_inside_the_tabs(wine)
    dialog_shot(wine, "settings_history_english")

    click(wine, CHK_KEEP)
    assert control(wine, CHK_KEEP)["checked"] == 0
    click(wine, OK)
    wait_closed(wine)
    assert wait_for("KeepHistory stored", lambda: values_ci(wine).get("keephistory")) == "0"
    # What was counted until OK is in today's file.
    today = folder / "today.csv"
    assert wait_for("today's file", today.exists)
    kept = today.read_bytes()
    assert keystrokes_kept(today) >= 5
    saved = int(values_ci(wine)["keystrokes"])

    # More keys, then full saves (a close request saves and hides to the tray) until the totals
    # have them: the history does not.
    wine.xdotool("key", "--delay", 60, "f", "g", "h", "i")

    def saved_again():
        assert wine.probe("close", "TfrmMain").returncode == 0
        return int(values_ci(wine)["keystrokes"]) >= saved + 4

    wait_for("the keys counted and saved", saved_again)
    assert today.read_bytes() == kept
    assert sorted(p.name for p in folder.iterdir()) == ["today.csv"]
    assert values_ci(wine)["keephistory"] == "0"


def test_delete_history_asks_first_and_only_yes_removes_the_files(wine):
    fresh(wine)
    folder = history_folder(wine)
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    past = folder / "history.csv"
    past.write_bytes(f"{HEADER}\r\n{PAST_DAY}\r\n".encode())
    today = folder / "today.csv"
    start_program(wine)
    wine.xdotool("key", "--delay", 60, "a", "b", "c", "d", "e")
    open_with_setup_button(wine)
    to_history_page(wine)
    click(wine, APPLY)  # the full save writes the day in progress
    wait_for("today's file", lambda: today.exists() and keystrokes_kept(today) >= 5)

    click(wine, BTN_DELETE)
    q = wait_for("the question", lambda: questions_open(wine) == 1 and question(wine))
    assert q["owner_title"] == "Quillomat Setup", q  # over the dialog, not the panel behind it
    assert "cannot be brought back" in q["text"], q
    assert windows_path(wine, folder) in q["text"], q
    dialog_shot(wine, "settings_history_delete_question")
    wine.xdotool("key", "Return")  # the default answer is No
    wait_for("the question to close", lambda: questions_open(wine) == 0)
    assert past.read_bytes() == f"{HEADER}\r\n{PAST_DAY}\r\n".encode()
    assert today.exists() and keystrokes_kept(today) >= 5

    click(wine, BTN_DELETE)
    wait_for("the question again", lambda: questions_open(wine) == 1)
    yes = wine.probe("control", QUESTION_TITLE, str(IDYES))
    assert yes.returncode == 0 and yes.stdout.rstrip().endswith("text=Yes"), yes.stdout
    r = numbers(yes.stdout.split(" text=")[0])
    wine.xdotool("mousemove", r["x"] + r["w"] // 2, r["y"] + r["h"] // 2)
    wine.xdotool("click", 1)
    wait_for("the question to close", lambda: questions_open(wine) == 0)
    # Both files are gone; the day starts again from nothing (a minute's save may write it anew,
    # without the keys typed before).
    wait_for("the files deleted", lambda: not past.exists()
             and (not today.exists() or keystrokes_kept(today) == 0))
    # The dialog stays open, and Cancel stores nothing of the page.
    assert dialog(wine)["enabled"] == 1
    click(wine, CANCEL)
    wait_closed(wine)
    assert not past.exists()
    assert values_ci(wine).get("keephistory", "-1") == "-1"


def open_history_page(wine, dpi):
    if dpi == 96:
        open_with_setup_button(wine)
    else:
        s = window_state(wine)  # a vertical panel: btnSetup at one and a half times (6, 6)
        wine.xdotool("mousemove", s["x"] + 42, s["y"] + 22)
        wine.xdotool("click", 1)
        d = dialog(wine)
        assert (d["cw"], d["ch"]) == (549, 594)
    # Debug mode opens on "Debug Data", the last page: the next one is "General".
    if control(wine, MEMO)["visible"] == 1:
        wine.xdotool("key", "ctrl+Tab")
    to_history_page(wine)


# Dutch has the longest texts; the debug page's tab makes six tabs, which wrap into more rows.
PAGE_CASES = [
    # dpi, language, comment, what the box says, name of the screenshot
    (96, "2", "debug", "Verlauf aufzeichnen", "settings_history_german_debug"),
    (96, "1", "", "Geschiedenis bijhouden", "settings_history_dutch"),
    (144, "0", "", "Keep a history", "settings_history_english_144dpi"),
    (144, "2", "debug", "Verlauf aufzeichnen", "settings_history_german_debug_144dpi"),
]


def test_the_page_in_english_german_and_dutch_at_96_and_144_dpi(wine):
    # The cases of one DPI in one start of Wine's server at that DPI.
    for dpi, cases in itertools.groupby(PAGE_CASES, key=lambda case: case[0]):
        with wine.screen_dpi(dpi) if dpi != 96 else contextlib.nullcontext():
            for _, language, comment, caption, name in cases:
                fresh(wine, Orientation="-1", Dispitems="01000000000000", Language=language,
                      Comment=comment)
                start_program(wine)
                open_history_page(wine, dpi)
                assert control(wine, CHK_KEEP)["text"] == caption, name
                page_inside_the_tabs(wine)
                dialog_shot(wine, name)
                click(wine, CANCEL)
            wait_closed(wine)
