"""The counting program under Wine: real input reaches the hooks, totals reach the registry and
survive every way the program ends."""

from helpers import (APART_S, BOX_TITLE, SETTINGS_KEY, SOME_INPUT, close_to_tray, fresh, some_input,
                     start_program, sync, today_number, values_ci, wait_saved)

FULL_SAVE = ["Time", "Idle", "distance", "Transparent", "Displaymode", "AlwaysOntop", "Running",
             "Visible", "Orientation", "Keystrokes", "Leftclicks", "Rightclicks", "Xclicks1",
             "Xclicks2", "Midclicks", "Dblclicks", "Mousewheel", "Digits", "IdleDelay", "Language",
             "resetdate", "showhistory", "Logging", "Logdate", "Measuredate", "showRunning"]


def test_first_start_counts_real_input_and_saves_on_close(wine):
    fresh(wine)
    start_program(wine)
    some_input(wine)
    wait_saved(wine, **SOME_INPUT)  # every press has reached the program
    close_to_tray(wine)
    v = values_ci(wine)
    assert sorted(v) == sorted(n.lower() for n in FULL_SAVE)
    counts = {n: v[n.lower()] for n in SOME_INPUT}
    assert counts == SOME_INPUT
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
    wait_saved(wine, Keystrokes=str(before + 2))  # both keys are counted
    # Taken away again: only the session end's own save can bring it back.
    assert wine.run(["reg", "delete", SETTINGS_KEY, "/v", "Keystrokes", "/f"]).returncode == 0
    r = wine.run(["wineboot", "-e"], timeout=60)
    assert r.returncode == 0
    assert wine.probe("gone", "TfrmMain", "30000").returncode == 0
    assert values_ci(wine)["keystrokes"] == str(before + 2)


def test_second_start_loads_totals_and_adds_to_them(wine):
    fresh(wine, Leftclicks="40", Keystrokes="4294967295", Distance="12345.6", Time="100")
    start_program(wine)
    wine.xdotool("mousemove", 1200, 700)
    wine.xdotool("click", 1, "sleep", APART_S, "click", 1)
    wine.xdotool("key", "q", "w")
    wait_saved(wine, Leftclicks="42", Keystrokes="1")  # 4294967295 + 2 wraps
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "42"
    assert v["keystrokes"] == "1"
    assert float(v["distance"].replace(",", ".")) > 12345.6  # the pointer moved
    assert int(v["time"]) >= 100


def test_paused_start_counts_nothing(wine):
    fresh(wine, Running="0", Leftclicks="7")
    start_program(wine)
    wine.xdotool("mousemove", 1000, 600)
    wine.xdotool("click", 1)
    wine.xdotool("key", "a")
    # Nothing to wait for when nothing may change: a press that reached the program only after
    # this save could hide a fault, never fail the test.
    sync(wine)
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "7"
    assert v["keystrokes"] == "0"
    assert v["running"] == "0"


def test_unreadable_value_is_reported_and_kept(wine):
    fresh(wine, KeyStrokes="lots", LeftClicks="5e9", Monitorsize="21,3")
    start_program(wine)
    box = wine.probe("dialog", BOX_TITLE, "10000", "1")
    assert box.returncode == 0, "no error box was shown"
    assert "KeyStrokes" in box.stdout and "lots" in box.stdout
    assert "LeftClicks" not in box.stdout  # 5e9 is a number
    wine.xdotool("mousemove", 1000, 600)
    wine.xdotool("key", "a", "b")
    wine.xdotool("click", 1)
    wait_saved(wine, Leftclicks="705032705")  # 5e9 modulo 2^32, plus the click
    close_to_tray(wine)
    v = values_ci(wine)
    assert v["keystrokes"] == "lots"
    assert v["leftclicks"] == "705032705"  # 5e9 modulo 2^32, plus the click
    assert v["running"] == "-1"
