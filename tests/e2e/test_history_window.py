"""The History window under Wine: a seeded history of 400 days opens in it; real input shows in
today's square and hour; the bars by day, week and month and the hours over a range, at 96 and
144 DPI, in English and German (screenshots kept for a person to look at); the figure under the
pointer and the one a key selects as hints; one window at a time with its own taskbar button, its
size and place remembered; F1 opens its help page; "Save as CSV..." writes every day with the
user's separators."""

import datetime
import random
import re
import time

import pytest

from helpers import (DASH, ENGLISH, EN_DASH, GERMAN, ID_BARS, ID_CALENDAR, ID_GROUPING, ID_HOURS,
                     ID_MEASURE, ID_MEASURE_LABEL, ID_NEXT_YEAR, ID_PREVIOUS_YEAR, ID_RANGE,
                     ID_RANGE_LABEL, ID_SAVE, ID_TOTALS_LABEL, ID_YEAR, NO_USE, SCALE, SELECTED,
                     focus_id, fresh, history_folder, numbers, open_history, pixels, pointer_away,
                     save_dialog_typed, shot, start_program, wait_for, wait_taskbar_buttons,
                     wait_text, wine_processes)
from helpers import child_control as control

# -- the seeded history -------------------------------------------------------------------------
def seeded_days(today, count=400, seed=4711):
    """`count` days up to yesterday, about one in twelve without use, weekends quieter: for each
    day its keystrokes and clicks by hour and the day's other figures."""
    rnd = random.Random(seed)
    days = {}
    for back in range(count, 0, -1):
        day = today - datetime.timedelta(days=back)
        if rnd.random() < 0.08:
            continue
        scale = 0.3 if day.weekday() >= 5 else 1.0
        keys, clicks = [0] * 24, [0] * 24
        for hour in range(7, 20):
            keys[hour] = int(rnd.randint(150, 2000) * scale)
            clicks[hour] = int(rnd.randint(10, 300) * scale)
        left = sum(clicks) * 8 // 10
        days[day] = {"keys": keys, "clicks": clicks, "left": left, "right": sum(clicks) - left - 3,
                     "middle": 2, "x1": 1, "x2": 0, "double": left // 10,
                     "wheel": int(rnd.randint(100, 900) * scale),
                     "distance": round(rnd.uniform(2000, 40000) * scale, 3),
                     "running": int(rnd.randint(3, 9) * 3600 * scale),
                     "idle": rnd.randint(100, 3000)}
    return days


def history_text(days):
    header = ("date,keystrokes,left,right,middle,x1,x2,double,wheel,distance_inches,"
              "running_seconds,idle_seconds," + ",".join(f"keys_{h:02d}" for h in range(24)) +
              "," + ",".join(f"clicks_{h:02d}" for h in range(24)))
    lines = [header]
    for day, d in sorted(days.items()):
        fields = [day.isoformat(), sum(d["keys"]), d["left"], d["right"], d["middle"], d["x1"],
                  d["x2"], d["double"], d["wheel"], f'{d["distance"]:.3f}', d["running"],
                  d["idle"], *d["keys"], *d["clicks"]]
        lines.append(",".join(map(str, fields)))
    return "\r\n".join(lines) + "\r\n"


def seed(wine, **stored):
    """A fresh registry with `stored` values and the seeded history (nothing of today yet)."""
    fresh(wine, **stored)
    folder = history_folder(wine)
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    today = datetime.date.today()
    days = seeded_days(today)
    (folder / "history.csv").write_bytes(history_text(days).encode())
    return today, days


def keys_between(days, first, last, hour=None):
    return sum((d["keys"][hour] if hour is not None else sum(d["keys"]))
               for day, d in days.items() if first <= day <= last)


def grouped(n):
    return f"{n:,}"


# -- the window ---------------------------------------------------------------------------------
def state(text):
    return numbers(text.split(" title=")[0])


def selected_square(wine, title, name):
    """Screenshots until the calendar shows its selected day's frame; the colour inside it."""
    deadline = time.monotonic() + 20
    c = control(wine, title, ID_CALENDAR)
    while True:
        rows = pixels(shot(wine, name), (c["x"], c["y"], c["w"], c["h"]))
        frame = [(x, y) for y, row in enumerate(rows) for x, p in enumerate(row) if p == SELECTED]
        if frame:
            xs, ys = [x for x, _ in frame], [y for _, y in frame]
            return rows[(min(ys) + max(ys)) // 2][(min(xs) + max(xs)) // 2]
        assert time.monotonic() < deadline, "no day is framed in the calendar"
        time.sleep(0.3)


def wait_square(wine, title, name):
    """Until the selected day's square has a colour of the scale (how dark depends on the rest of
    the year)."""
    deadline = time.monotonic() + 60
    while (seen := selected_square(wine, title, name)) not in SCALE:
        assert time.monotonic() < deadline, f"today's square stayed {seen}"
        time.sleep(0.5)


class Keyboard:
    """Real keys through xdotool, and how many keystrokes they make: every key that comes up
    (Shift+Tab is two)."""

    def __init__(self, wine):
        self.wine = wine
        self.sent = 0

    def press(self, *names):
        self.wine.xdotool("key", "--delay", 80, *names)
        self.sent += sum(len(n.split("+")) for n in names)

    def tab_to(self, id_, backwards=False):
        for _ in range(12):
            if focus_id(self.wine) == id_:
                return
            self.press("shift+Tab" if backwards else "Tab")
        assert focus_id(self.wine) == id_, f"Tab never reached {id_}"


# -- the tests ----------------------------------------------------------------------------------
def test_seeded_history_opens_and_real_input_shows_in_todays_square_and_hour(wine):
    today, days = seed(wine, Language="0")
    start_program(wine)
    kb = Keyboard(wine)
    wait_taskbar_buttons(wine, 2)  # the shell's Start button and the panel's
    pointer_away(wine)
    hour = datetime.datetime.now().hour  # the hour the hours' chart selects when it opens
    w = open_history(wine)
    # A window of its own: not owned, a taskbar button of its own.
    assert w["owned"] == 0 and w["toolwindow"] == 0
    wait_taskbar_buttons(wine, 3, "the taskbar's buttons with the History window open")

    weekday = today.strftime("%a")
    wait_text(wine, ENGLISH, ID_CALENDAR, f"{weekday} {today.isoformat()} {DASH} Keystrokes: 0")
    month_ago = today - datetime.timedelta(days=29)
    assert focus_id(wine) == ID_CALENDAR
    assert selected_square(wine, ENGLISH, "history_en_96_calendar_before") == NO_USE

    # Real keys: today's square and hour take them within a minute.
    kb.press(*["a"] * 12)
    wait_text(wine, ENGLISH, ID_CALENDAR, f"{weekday} {today.isoformat()} {DASH} Keystrokes: 12")
    wait_square(wine, ENGLISH, "history_en_96_calendar")
    if datetime.datetime.now().hour == hour:  # the hour did not end while typing
        wait_text(wine, ENGLISH, ID_HOURS, f"{hour:02d}:00{EN_DASH}{(hour + 1) % 24:02d}:00 "
                  f"{DASH} Keystrokes: " + grouped(keys_between(days, month_ago, today, hour) + 12))

    # The bars of the last 30 days: the day selected is today; the pointer's hint.
    wait_text(wine, ENGLISH, ID_BARS, f"{weekday} {today.isoformat()} {DASH} Keystrokes: 12")
    bars = control(wine, ENGLISH, ID_BARS)
    wine.xdotool("mousemove", bars["x"] + bars["w"] // 2, bars["y"] + bars["h"] // 2)
    wine.xdotool("mousemove", bars["x"] + bars["w"] // 2 + 1, bars["y"] + bars["h"] // 2)
    hint = wine.probe("shown", "QuillomatHint", "30000")
    assert hint.returncode == 0, "no hint under the pointer"
    m = re.search(rf"title=\w+ (\S+) {DASH} Keystrokes: ([\d,]+)", hint.stdout)
    assert m, hint.stdout
    day = datetime.date.fromisoformat(m.group(1))
    assert month_ago <= day < today
    assert m.group(2) == grouped(keys_between(days, day, day))
    shot(wine, "history_en_96_hint")
    pointer_away(wine)

    # Weeks, then months: Tab to "Totals per:", then the down arrow.
    kb.tab_to(ID_GROUPING)
    kb.press("Down")
    m = wait_text(wine, ENGLISH, ID_BARS,
                  rf"(\S+) {EN_DASH} (\S+) {DASH} Keystrokes: ([\d,]+)", seconds=10)
    first, end = (datetime.date.fromisoformat(m.group(i)) for i in (1, 2))
    assert first <= today == end and (end - first).days < 7
    wait_text(wine, ENGLISH, ID_BARS, rf"\S+ {EN_DASH} \S+ {DASH} Keystrokes: " +
              grouped(keys_between(days, max(first, month_ago), end) + kb.sent))
    shot(wine, "history_en_96_weeks")
    kb.press("Down")
    month_start = max(today.replace(day=1), month_ago)
    wait_text(wine, ENGLISH, ID_BARS, f"{today.strftime('%B %Y')} {DASH} Keystrokes: " +
              grouped(keys_between(days, month_start, today) + kb.sent))
    shot(wine, "history_en_96_months_30_days")

    # The whole history by month, and its hours.
    kb.tab_to(ID_RANGE)
    kb.press("Down", "Down", "Down")
    assert control(wine, ENGLISH, ID_RANGE)["text"] == "The whole history"
    wait_text(wine, ENGLISH, ID_BARS, f"{today.strftime('%B %Y')} {DASH} Keystrokes: " +
              grouped(keys_between(days, today.replace(day=1), today) + kb.sent))
    if datetime.datetime.now().hour == hour:
        wait_text(wine, ENGLISH, ID_HOURS, f"{hour:02d}:00{EN_DASH}{(hour + 1) % 24:02d}:00 "
                  f"{DASH} Keystrokes: " +
                  grouped(keys_between(days, min(days), today, hour) + kb.sent))
    shot(wine, "history_en_96_months_whole")

    # The calendar a year back (Page Up), with the day's seeded figure as its hint.
    kb.tab_to(ID_CALENDAR, backwards=True)
    kb.press("Prior")
    ago = today.replace(year=today.year - 1, day=min(today.day, 28 if today.month == 2 else 31))
    wait_text(wine, ENGLISH, ID_YEAR, str(ago.year), seconds=10)
    wait_text(wine, ENGLISH, ID_CALENDAR, f"{ago.strftime('%a')} {ago.isoformat()} {DASH} "
              f"Keystrokes: {grouped(keys_between(days, ago, ago))}", seconds=10)
    hint = wine.probe("shown", "QuillomatHint", "30000")
    assert ago.isoformat() in hint.stdout
    assert control(wine, ENGLISH, ID_NEXT_YEAR)["enabled"] == 1
    shot(wine, "history_en_96_previous_year")
    kb.press("Next")
    wait_text(wine, ENGLISH, ID_YEAR, str(today.year), seconds=10)
    assert control(wine, ENGLISH, ID_NEXT_YEAR)["enabled"] == 0  # no year after this one


def labels_fit(wine, title):
    """Every caption is as wide as its text in the window's font (nothing cut off)."""
    lines = wine.probe("texts", title).stdout.splitlines()[1:]
    for line in lines:
        v = state(line)
        if v["id"] in (ID_MEASURE_LABEL, ID_YEAR, ID_TOTALS_LABEL, ID_RANGE_LABEL, ID_SAVE,
                       ID_PREVIOUS_YEAR, ID_NEXT_YEAR):
            assert v["tw"] <= v["w"], line


def test_german_at_144_dpi_with_the_distance_and_no_hours(wine):
    with wine.screen_dpi(144):
        today, days = seed(wine, Language="2", Displaymode="-1")
        start_program(wine)
        kb = Keyboard(wine)
        pointer_away(wine)
        w = open_history(wine)
        assert w["w"] >= 1400  # 1000 pixels at 96 DPI, as far as the work area allows
        wait_text(wine, GERMAN, ID_MEASURE_LABEL, "Messgröße:", seconds=10)
        assert control(wine, GERMAN, ID_SAVE)["text"] == "Als CSV speichern..."
        assert control(wine, GERMAN, ID_RANGE)["text"] == "Letzte 30 Tage"
        labels_fit(wine, GERMAN)
        selected_square(wine, GERMAN, "history_de_144_calendar")

        # The distance, metric as the panel shows it.
        kb.tab_to(ID_MEASURE, backwards=True)
        kb.press(*["Down"] * 8)
        assert control(wine, GERMAN, ID_MEASURE)["text"].strip() == "Strecke"
        kb.tab_to(ID_CALENDAR)
        kb.press("Left")  # a week back
        week_ago = today - datetime.timedelta(days=7)
        m = wait_text(wine, GERMAN, ID_CALENDAR,
                      rf"\w+ {week_ago.isoformat()} {DASH} Strecke: ([\d.,]+) (k?m)", seconds=10)
        inches = days[week_ago]["distance"] if week_ago in days else 0
        metres = inches * 2.54 / 100
        shown = float(m.group(1).replace(",", "")) * (1000 if m.group(2) == "km" else 1)
        assert shown == pytest.approx(metres, abs=10 if m.group(2) == "km" else 0.5)
        # The hours are not kept for the distance: the hours' chart says so and names the hour.
        wait_text(wine, GERMAN, ID_HOURS, rf"\d\d:00{EN_DASH}\d\d:00", seconds=10)
        shot(wine, "history_de_144_distance_days")

        # Weeks and months of the last 12 months.
        kb.tab_to(ID_GROUPING)
        kb.press("Down")
        kb.tab_to(ID_RANGE)
        kb.press("Down")
        assert control(wine, GERMAN, ID_GROUPING)["text"] == "Woche"
        assert control(wine, GERMAN, ID_RANGE)["text"] == "Letzte 12 Monate"
        wait_text(wine, GERMAN, ID_BARS, rf"\S+ {EN_DASH} \S+ {DASH} Strecke: .*", seconds=10)
        shot(wine, "history_de_144_distance_weeks")
        kb.tab_to(ID_GROUPING, backwards=True)
        kb.press("Down")
        wait_text(wine, GERMAN, ID_BARS, rf"\w+ \d{{4}} {DASH} Strecke: .*", seconds=10)
        shot(wine, "history_de_144_distance_months")

        # Back to keystrokes: their hours over the last 12 months.
        kb.tab_to(ID_MEASURE, backwards=True)
        kb.press("Home")
        wait_text(wine, GERMAN, ID_HOURS,
                  rf"\d\d:00{EN_DASH}\d\d:00 {DASH} Tastenanschläge: [\d,]+", seconds=10)
        shot(wine, "history_de_144_keystrokes_months")


def placement(wine):
    values = wine.reg_values(r"HKCU\Software\Ombrelune\Quillomat\frmHistory")
    return values.get("NormPos")


def test_one_window_its_size_and_place_remembered_and_f1_opens_its_page(wine):
    seed(wine, Language="0")
    p = start_program(wine)
    open_history(wine)
    assert wine.probe("place", "TfrmHistory", "120", "90", "900", "700").returncode == 0
    wait_for("the History window was not placed",
             lambda: state(wine.probe("window", "TfrmHistory", "2000").stdout)["w"] == 900)
    # Moved to a monitor of 144 DPI: a larger font, and every caption still whole.
    before = control(wine, ENGLISH, ID_MEASURE)["h"]
    assert wine.probe("dpichanged", "TfrmHistory", "144").returncode == 0
    assert control(wine, ENGLISH, ID_MEASURE)["h"] > before
    labels_fit(wine, ENGLISH)
    assert wine.probe("dpichanged", "TfrmHistory", "96").returncode == 0
    assert control(wine, ENGLISH, ID_MEASURE)["h"] == before
    # A second "History...": still one window, in front.
    open_history(wine)
    assert wine.probe("count", "TfrmHistory", ENGLISH).stdout.strip() == "1"
    assert state(wine.probe("window", "TfrmHistory", "2000").stdout)["foreground"] == 1

    # F1 in the window opens the help at its page.
    assert not wine_processes(wine, "hh.exe")
    Keyboard(wine).press("F1")
    viewers = wait_for("no help viewer started", lambda: wine_processes(wine, "hh.exe"))
    chm = "Z:" + str(wine.exe("Quillomat.chm")).replace("/", "\\")
    assert [cmd[1:] for cmd in viewers.values()] == [[chm + "::/history.html"]]

    # Closed (Esc), it is gone while the program goes on, and its rectangle is kept; opened
    # again, it is where it was.
    wine.run(["taskkill", "/im", "hh.exe", "/f"])
    assert wine.probe("activate", "TfrmHistory").returncode == 0
    wait_for("the History window in front", lambda: state(
        wine.probe("window", "TfrmHistory", "2000").stdout)["foreground"] == 1)
    Keyboard(wine).press("Escape")
    assert wine.probe("gone", "TfrmHistory", "30000").returncode == 0
    assert p.poll() is None
    assert placement(wine) == "120,90,1020,790"
    s = open_history(wine)
    assert (s["x"], s["y"], s["w"], s["h"]) == (120, 90, 900, 700)


def test_save_as_csv_writes_every_day_with_the_users_separators(wine):
    today, days = seed(wine, Language="2", Displaymode="-1")
    # German regional settings: a semicolon between fields, a decimal comma, weeks from Monday.
    intl = r"HKCU\Control Panel\International"
    german = {"sList": ";", "sDecimal": ",", "sThousand": ".", "iFirstDayOfWeek": "0"}
    was = {name: value for name, value in wine.reg_values(intl).items() if name in german}
    for name, value in german.items():
        wine.reg_set(name, value, key=intl)
    try:
        start_program(wine)
        open_history(wine)
        kb = Keyboard(wine)
        kb.press("a", "b", "c")
        wait_text(wine, GERMAN, ID_CALENDAR, rf".* {DASH} Tastenanschläge: 3", seconds=60)
        # Weeks from Monday, figures grouped with a dot, as these settings say.
        kb.tab_to(ID_GROUPING)
        kb.press("Down")
        m = wait_text(wine, GERMAN, ID_BARS,
                      rf"(\S+) {EN_DASH} \S+ {DASH} Tastenanschläge: ([\d.]+)", seconds=10)
        first = datetime.date.fromisoformat(m.group(1))
        assert first.weekday() == 0 or first == today - datetime.timedelta(days=29)
        assert re.fullmatch(r"\d{1,3}(\.\d{3})+", m.group(2)), m.group(2)
        target = wine.home / "Documents" / "verlauf.csv"
        save = control(wine, GERMAN, ID_SAVE)
        wine.xdotool("mousemove", save["x"] + save["w"] // 2, save["y"] + save["h"] // 2)
        wine.xdotool("click", 1)
        save_dialog_typed(wine, target)
        wait_for("the file was not saved", target.exists)
    finally:
        for name in german:
            if name in was:
                wine.reg_set(name, was[name], key=intl)
            else:
                wine.run(["reg", "delete", intl, "/v", name, "/f"])
    raw = target.read_bytes()
    assert raw.startswith(b"\xef\xbb\xbf")
    lines = raw[3:].decode("utf-8").split("\r\n")
    assert lines[-1] == ""
    assert lines[0] == ("Datum;Tastenanschläge;Klicks (alle Tasten);Linke Taste;Rechte Taste;"
                        "Mittlere Taste;Extra-Taste 1;Extra-Taste 2;Doppelklicks;Mausrad;"
                        "Strecke (km);Aktive Zeit (h);Leerlaufzeit (h)")
    rows = [line.split(";") for line in lines[1:-1]]
    assert len(rows) == len(days) + 1  # every seeded day, and today
    for row, (day, d) in zip(rows, sorted(days.items())):
        assert row[0] == day.isoformat()
        assert row[1] == str(sum(d["keys"]))
        assert row[2] == str(sum(d["clicks"]))
        assert row[10] == f'{d["distance"] * 2.54 / 100000:.3f}'.replace(".", ",")
        assert row[11] == f'{d["running"] / 3600:.3f}'.replace(".", ",")
    # Today as it stood when the button was pressed: every key until then.
    assert rows[-1][0] == today.isoformat() and rows[-1][1] == str(kb.sent)
