"""The counting program under Wine: real input reaches the hooks, totals reach the registry and
survive every way the program ends."""

import datetime
import shutil
import time

import pytest

FULL_SAVE = ["Time", "Idle", "distance", "Transparent", "Displaymode", "AlwaysOntop", "Running",
             "Visible", "Orientation", "Keystrokes", "Leftclicks", "Rightclicks", "Xclicks1",
             "Xclicks2", "Midclicks", "Dblclicks", "Mousewheel", "Digits", "IdleDelay", "Language",
             "resetdate", "showhistory", "Logging", "Logdate", "Measuredate", "showRunning"]


def today_number():
    return (datetime.date.today() - datetime.date(1899, 12, 30)).days


def values_ci(wine):
    return {k.lower(): v for k, v in wine.reg_values().items()}


def start_program(wine):
    p = wine.start([wine.exe("Quillomat.exe")])
    r = wine.probe("window", "TfrmMain", "20000")
    assert r.returncode == 0, "the main window did not appear"
    time.sleep(0.5)
    return p


def close_to_tray(wine):
    assert wine.probe("close", "TfrmMain").returncode == 0
    time.sleep(1.0)


def fresh(wine, **stored):
    """A program that was never run for this user: no settings, no totals, no history and no
    backups of imports (another test's files would be taken up)."""
    wine.restart_server()
    wine.reg_clear()
    for folder in wine.prefix.glob("drive_c/users/*/AppData/*/Quillomat"):
        shutil.rmtree(folder, ignore_errors=True)
    for name, data in stored.items():
        wine.reg_set(name, data)


def some_input(wine):
    """3 left presses (two of them a quick pair), 2 right, 1 middle, 4 wheel notches, 5 keys."""
    wine.xdotool("mousemove", 1000, 600)
    time.sleep(0.3)
    wine.xdotool("click", 1)
    time.sleep(0.8)
    wine.xdotool("click", "--repeat", 2, "--delay", 90, 1)
    time.sleep(0.8)
    wine.xdotool("click", 3)
    time.sleep(0.8)
    wine.xdotool("click", 3)
    time.sleep(0.8)
    wine.xdotool("click", 2)
    time.sleep(0.8)
    wine.xdotool("click", "--repeat", 4, "--delay", 60, 4)
    time.sleep(0.3)
    wine.xdotool("key", "--delay", 60, "a", "b", "c", "d", "e")
    time.sleep(0.5)


def test_first_start_counts_real_input_and_saves_on_close(wine):
    fresh(wine)
    start_program(wine)
    some_input(wine)
    close_to_tray(wine)
    v = values_ci(wine)
    assert sorted(v) == sorted(n.lower() for n in FULL_SAVE)
    counts = {n: v[n.lower()] for n in ["Leftclicks", "Dblclicks", "Rightclicks", "Midclicks",
                                        "Mousewheel", "Keystrokes", "Xclicks1", "Xclicks2"]}
    assert counts == {"Leftclicks": "3", "Dblclicks": "1", "Rightclicks": "2", "Midclicks": "1",
                      "Mousewheel": "4", "Keystrokes": "5", "Xclicks1": "0", "Xclicks2": "0"}
    defaults = {"running": "-1", "visible": "-1", "displaymode": "0", "alwaysontop": "0",
                "orientation": "0", "transparent": "0", "digits": "7", "idledelay": "10",
                "language": "0", "showhistory": "-1", "showrunning": "-1", "logging": "0",
                "idle": "0"}
    assert {k: v[k] for k in defaults} == defaults
    assert v["measuredate"] == str(today_number())
    assert v["logdate"] == str(today_number())
    assert int(float(v["resetdate"])) == today_number()
    # The close button only hid the panel: the program goes on in the notification area.
    state = wine.probe("window", "TfrmMain", "2000").stdout
    assert "visible=0" in state


def test_session_end_saves_and_does_not_block(wine):
    # Goes on from the previous test's running program when there is one.
    if wine.probe("window", "TfrmMain", "500").returncode != 0:
        fresh(wine)
        start_program(wine)
    before = int(values_ci(wine).get("keystrokes", "0"))
    wine.xdotool("mousemove", 900, 500)
    wine.xdotool("key", "--delay", 60, "x", "y")
    time.sleep(0.5)
    r = wine.run(["wineboot", "-e"], timeout=60)
    assert r.returncode == 0
    assert wine.probe("gone", "TfrmMain", "10000").returncode == 0
    assert values_ci(wine)["keystrokes"] == str(before + 2)


def test_second_start_loads_totals_and_adds_to_them(wine):
    fresh(wine, Leftclicks="40", Keystrokes="4294967295", Distance="12345.6", Time="100")
    start_program(wine)
    wine.xdotool("mousemove", 1200, 700)
    time.sleep(0.3)
    wine.xdotool("click", 1)
    time.sleep(0.8)
    wine.xdotool("click", 1)
    time.sleep(0.3)
    wine.xdotool("key", "q", "w")
    time.sleep(0.5)
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "42"
    assert v["keystrokes"] == "1"  # 4294967295 + 2 wraps
    assert float(v["distance"].replace(",", ".")) > 12345.6  # the pointer moved
    assert int(v["time"]) >= 100


def test_paused_start_counts_nothing(wine):
    fresh(wine, Running="0", Leftclicks="7")
    start_program(wine)
    wine.xdotool("mousemove", 1000, 600)
    wine.xdotool("click", 1)
    wine.xdotool("key", "a")
    time.sleep(0.5)
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "7"
    assert v["keystrokes"] == "0"
    assert v["running"] == "0"


def test_unreadable_value_is_reported_and_kept(wine):
    fresh(wine, KeyStrokes="lots", LeftClicks="5e9", Monitorsize="21,3")
    start_program(wine)
    box = wine.probe("dialog", "Quillomat 14.0", "10000", "1")
    assert box.returncode == 0, "no error box was shown"
    assert "KeyStrokes" in box.stdout and "lots" in box.stdout
    assert "LeftClicks" not in box.stdout  # 5e9 is a number
    wine.xdotool("mousemove", 1000, 600)
    wine.xdotool("key", "a", "b")
    wine.xdotool("click", 1)
    time.sleep(0.5)
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["keystrokes"] == "lots"
    assert v["leftclicks"] == "705032705"  # 5e9 modulo 2^32, plus the click
    assert v["running"] == "-1"
