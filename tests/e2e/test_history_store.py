"""The history's files under Wine: real input reaches today's file within a minute save, a kill
loses at most what came after the last one, and a reset leaves the history alone."""

from helpers import (fresh, history_folder, launch, minute_save, today_fields, values_ci, wait_for)

CMD_RESET = 101
IDYES = 6


def today_keystrokes(wine):
    fields = today_fields(wine)
    return int(fields[1]) if fields else None


def saved_keystrokes(wine, expected):
    """Saves the history now (as the minute timer does) until today's file shows `expected`."""
    return wait_for(f"today.csv never showed {expected} keystrokes",
                    lambda: minute_save(wine) or today_keystrokes(wine) == expected)


def test_the_history_keeps_the_day_through_a_kill_and_a_reset(wine):
    fresh(wine, Keystrokes="5000")
    launch(wine)
    wine.xdotool("mousemove", 900, 500)
    wine.xdotool("key", "--delay", 60, "a", "b", "c", "d")
    saved_keystrokes(wine, 4)
    # Typed after the last save, then a kill: only those are lost.
    wine.xdotool("key", "--delay", 60, "e", "f")
    wine.kill_programs()
    assert today_keystrokes(wine) == 4

    launch(wine)  # the same day: the history picks it up
    wine.xdotool("key", "--delay", 60, "g", "h", "i")
    saved_keystrokes(wine, 7)
    # A reset zeroes the totals; the history keeps the day's keystrokes and goes on counting.
    wine.probe("command", "TfrmMain", CMD_RESET)
    assert wine.probe("dialog", "Quillomat", "10000", str(IDYES)).returncode == 0
    wine.xdotool("key", "--delay", 60, "j")
    saved_keystrokes(wine, 8)
    assert int(values_ci(wine).get("keystrokes", "0")) < 5000
    assert not (history_folder(wine) / "history.csv").exists()  # no day has ended yet


def test_real_keys_and_clicks_are_counted_by_key_and_by_place(wine):
    fresh(wine)
    launch(wine)
    wine.xdotool("mousemove", 900, 500)
    # The main Enter and the keypad's are two keys: 00D and 10D.
    wine.xdotool("key", "--delay", 60, "a", "b", "a", "Return", "KP_Enter")
    # Presses on the desktop, away from the panel: cells of 8 x 8 pixels of the one monitor.
    wine.xdotool("mousemove", 100, 200, "click", 1)
    wine.xdotool("mousemove", 1000, 700, "click", 2)
    wine.xdotool("mousemove", 1003, 703, "click", 2)
    fields = wait_for("today.csv never showed the five keys and three presses",
                      lambda: minute_save(wine) or (today_fields(wine) or [""] * 62)[1] == "5"
                      and today_fields(wine)[61].count("=") == 2 and today_fields(wine))
    assert fields[60] == "00D=1 041=2 042=1 10D=1"
    assert fields[61] == "0 0 1920 1080 L12.25=1 M125.87=2"
