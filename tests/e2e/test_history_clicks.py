"""The History window's click map page under Wine: real presses from xdotool are on today's map
beside the places a seeded day kept (on a monitor that is no longer there), a button's choice
shows its presses alone, and the page at 96 and 144 DPI in English and German (screenshots kept
for a person to look at)."""

import datetime
import re

from helpers import (ENGLISH, GERMAN, fresh, history_folder, open_history, pointer_away, shot,
                     start_program, wait_for, wait_text)
from helpers import child_control as control
from helpers import click_at as click

ID_PAGE_CLICKS = 1032
ID_CLICK_RANGE, ID_CLICK_BUTTONS, ID_CLICK_MAP = 1052, 1053, 1055
# Yesterday: 40 left presses on this monitor and 7 right ones on a second monitor, since removed.
SEEDED_CLICKS = "0 0 1920 1080 L100.50=40|1920 0 3200 1024 R5.5=7"
MIDDLE = {0: "Middle", 2: "Mitte"}
ALL = {0: "All buttons", 2: "Alle Maustasten"}
MONITORS = {0: "Monitors", 2: "Bildschirme"}


def seed_places(wine, **stored):
    fresh(wine, **stored)
    folder = history_folder(wine)
    folder.mkdir(parents=True, exist_ok=True)
    day = datetime.date.today() - datetime.timedelta(days=1)
    header = ("date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,"
              "running_seconds,idle_seconds," + ",".join(f"keys_{h:02d}" for h in range(24)) +
              "," + ",".join(f"clicks_{h:02d}" for h in range(24)) + ",keys,clicks")
    hours = [0] * 24
    hours[9] = 47
    fields = [day.isoformat(), 0, 40, 7, 0, 0, 0, 0, 0, "1.000", 3600, 0, *([0] * 24), *hours,
              "", SEEDED_CLICKS]
    (folder / "history.csv").write_bytes(
        (header + "\r\n" + ",".join(map(str, fields)) + "\r\n").encode())


def choose(wine, title, combo, keys):
    """Opens a drop-down list and picks with the keyboard, as a person would."""
    click(wine, control(wine, title, combo))
    wine.xdotool("key", "--delay", 60, *keys, "Return")


def clicks_page(wine, title, language):
    """Opens the click map page on the whole history with the middle button's presses."""
    open_history(wine)
    click(wine, control(wine, title, ID_PAGE_CLICKS))
    wait_for("no click map page", lambda: control(wine, title, ID_CLICK_MAP)["visible"] == 1)
    choose(wine, title, ID_CLICK_RANGE, ["End"])  # the whole history
    choose(wine, title, ID_CLICK_BUTTONS, ["Home", "Down", "Down", "Down"])  # the middle button
    pointer_away(wine)
    number = r"[\d.,\u00a0 ]+"
    return wait_text(
        wine, title, ID_CLICK_MAP,
        rf"{MIDDLE[language]} ?: (\d+) · {ALL[language]} ?: ({number}) · "
        rf"{MONITORS[language]} ?: (\d+)")


def test_real_presses_are_on_todays_map_beside_a_kept_day(wine):
    seed_places(wine, Language="0")
    start_program(wine)
    # Three presses on the desktop, away from the panel: two left ones and one middle one (no
    # other press of this test uses the middle button).
    for x, y, button in ((300, 300, 1), (620, 410, 1), (1200, 700, 2)):
        wine.xdotool("mousemove", x, y, "click", button)
    m = clicks_page(wine, ENGLISH, 0)
    assert m.group(1) == "1"
    # Every press of the test is today's too (the window's own controls were clicked): at least
    # the seeded 47 and the three.
    assert int(re.sub(r"\D", "", m.group(2))) >= 50
    assert m.group(3) == "2"  # the monitor of now, and yesterday's second one
    shot(wine, "clicks_en_96")


def test_clicks_page_in_german_at_144_dpi(wine):
    with wine.screen_dpi(144):
        seed_places(wine, Language="2")
        start_program(wine)
        wine.xdotool("mousemove", 900, 650, "click", 2)
        m = clicks_page(wine, GERMAN, 2)
        assert m.group(1) == "1" and m.group(3) == "2"
        shot(wine, "clicks_de_144")
