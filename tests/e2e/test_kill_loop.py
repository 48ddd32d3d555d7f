"""Forty kills of the real program at random moments, with real keys typed between them: after a
plain kill, during the minute save (and with it the history's write), during an export and
during an import. After each, the next start finds well-formed stored values, totals that never
went backwards, no more lost than what came after the last save, a log without a duplicate or a
torn line, and today's history no further behind than the totals."""

import random
import re
import time

from helpers import (foreground, fresh, launch, read_export, today_fields, today_number, values_ci,
                     wait_for)

WM_TIMER, TMR_WRITE_VALUES = 0x113, 3
CMD_EXPORT, CMD_IMPORT = 104, 105
IDYES = 6
KILLS = 40

# What every stored value must look like, whatever moment a kill came at.
WHOLE = re.compile(r"\d{1,10}")
STORED_FORMS = {
    "keystrokes": WHOLE, "leftclicks": WHOLE, "rightclicks": WHOLE, "midclicks": WHOLE,
    "dblclicks": WHOLE, "mousewheel": WHOLE, "xclicks1": WHOLE, "xclicks2": WHOLE,
    "time": WHOLE, "idle": WHOLE, "measuredate": WHOLE, "logdate": WHOLE,
    "distance": re.compile(r"\d+([.,]\d+)?"),
    "resetdate": re.compile(r"-?\d+([.,]\d+)?(E[-+]?\d+)?"),
}


def taskkill(wine, at_once=False):
    """`taskkill /f`: the system ends the process where it stands. Starting taskkill takes Wine
    half a second, so a kill meant to land inside a save or a write that takes milliseconds is
    SIGKILL of the program's process instead, which is as abrupt and comes at once."""
    if at_once:
        wine.kill_programs()
    else:
        wine.run(["taskkill", "/f", "/im", "Quillomat.exe"], timeout=60)
    wait_for("the program outlived the kill",
             lambda: wine.probe("gone", "TfrmMain", "1000").returncode == 0, 30)
    wine.kill_programs()  # and the Wine process that ran it


def stored(wine):
    values = values_ci(wine)
    for name, form in STORED_FORMS.items():
        if name in values:
            assert form.fullmatch(values[name]), f"malformed {name}: {values[name]!r}"
    return values


def history_keystrokes(wine):
    fields = today_fields(wine)
    return int(fields[1]) if fields else 0


def post_save(wine):
    assert wine.probe("message", "TfrmMain", WM_TIMER, TMR_WRITE_VALUES, 0).returncode == 0


def type_keys(wine, count, rng):
    wine.xdotool("key", "--delay", 40, *rng.choices("asdfjkl", k=count))


def dialog_keys(name):
    """At most the keystrokes that typing `name` and Return into a dialog counts (a capital or a
    colon adds the Shift key's release)."""
    return 2 * len(name) + 1


def export_dialog(wine, name):
    """Export through the real dialog; returns once the file name is typed and confirmed."""
    wine.probe("command", "TfrmMain", CMD_EXPORT)
    assert wine.probe("dialog", "Save As", "30000").returncode == 0, "no Save As dialog"
    wait_for("the Save As dialog never took the keyboard",
             lambda: "title=Save As" in foreground(wine))
    wine.xdotool("type", "--delay", 30, name)
    wine.xdotool("key", "Return")


def test_forty_kills_lose_at_most_what_came_after_the_last_save(wine):
    rng = random.Random(20261210)
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=str(today_number() - 1),
          Keystrokes="1000")
    log = wine.home / "Documents" / "Quillomat" / "Quillomat.log"
    if log.exists():
        log.unlink()
    drive = wine.prefix / "drive_c"
    for old in drive.glob("kill*.qlx"):
        old.unlink()

    figures = {"kills": 0, "keys typed": 0, "keys kept": 0, "largest loss": 0, "during a save": 0,
               "during an export": 0, "during an import": 0}
    last = None  # what the kill before this start must have kept, at least and at most
    for kill in range(KILLS):
        launch(wine)
        total = int(stored(wine).get("keystrokes", "0"))
        history = history_keystrokes(wine)
        if last:
            # Never backwards, never more than was typed, no more lost than came after the
            # last save seen; after an import, the file's totals are as good.
            assert (last["saved"] <= total <= last["typed"]
                    or total == last.get("imported")), (kill, last, total)
            assert last["history saved"] <= history <= last["history typed"], (kill, last, history)
            if total != last.get("imported"):
                # Lost: the keys typed after the save that the totals do not hold.
                lost = max(0, last["typed by hand"] - total)
                figures["largest loss"] = max(figures["largest loss"], lost)
                figures["keys kept"] -= lost

        # Keys, a save seen in the registry and in the history, then keys no save holds.
        before, after = rng.randint(2, 6), rng.randint(0, 4)
        type_keys(wine, before, rng)
        wait_for("the save did not show the keys", lambda: post_save(wine) or (
            int(stored(wine).get("keystrokes", "0")) == total + before
            and history_keystrokes(wine) == history + before))
        if after:
            type_keys(wine, after, rng)
        figures["keys typed"] += before + after
        figures["keys kept"] += before + after
        last = {"saved": total + before, "typed": total + before + after,
                "typed by hand": total + before + after,
                "history saved": history + before, "history typed": history + before + after}

        moment = kill % 10
        at_once = moment in (3, 6, 8, 9)
        if moment in (3, 6):
            # During the minute save, which writes the totals, the log check and the history.
            post_save(wine)
            time.sleep(rng.uniform(0, 0.02))
            figures["during a save"] += 1
        elif moment == 8:
            # During an export.
            name = rf"C:\kill{kill}"
            export_dialog(wine, name)
            last["typed"] += dialog_keys(name)
            last["history typed"] += dialog_keys(name)
            time.sleep(rng.uniform(0, 0.3))
            figures["during an export"] += 1
        elif moment == 9 and list(drive.glob("kill*.qlx")):
            # During an import of the newest export, its question answered Yes.
            newest = max(drive.glob("kill*.qlx"), key=lambda p: p.stat().st_mtime)
            last["imported"] = read_export(newest)[4]
            wine.probe("command", "TfrmMain", CMD_IMPORT)
            assert wine.probe("dialog", "Open", "30000").returncode == 0, "no Open dialog"
            wait_for("the Open dialog never took the keyboard",
                     lambda: "title=Open" in foreground(wine))
            wine.xdotool("type", "--delay", 30, rf"C:\{newest.name}")
            wine.xdotool("key", "Return")
            last["history typed"] += dialog_keys(rf"C:\{newest.name}")
            assert wine.probe("dialog", "Quillomat", "10000", str(IDYES)).returncode == 0
            time.sleep(rng.uniform(0, 0.1))
            figures["during an import"] += 1
        taskkill(wine, at_once)
        figures["kills"] += 1
        for export in drive.glob("kill*.qlx"):
            read_export(export)  # a whole file of twelve figures, or none at all

    launch(wine)
    stored(wine)
    taskkill(wine)
    # The log: its header and the day before's line, each whole and written once.
    lines = log.read_bytes().split(b"\r\n")
    assert lines[-1] == b""
    assert [len(line) for line in lines[:-1]] == [223, 224], lines
    assert figures["keys kept"] > 0
    print("\nkill loop:", ", ".join(f"{k} {v}" for k, v in figures.items()))
