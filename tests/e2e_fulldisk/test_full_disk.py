"""A full disk under the real program: the daily log line, the history's minute write, an export
over a good file and an import whose backup finds no room. Each time the user is told, the file
that was there stays as it was with nothing torn or left beside it, and the totals in the registry
are what they must be."""

import datetime

from conftest import full_folder
from helpers import (CMD_EXPORT, CMD_IMPORT, IDOK, IDYES, choose_file, exit_program, fresh, launch,
                     message_box, minute_save, read_export, scramble, today_number, values_ci,
                     wait_for)


def says_full(text):
    """The system's reason for a full disk, as Windows ("not enough space") or Wine ("Disk
    full") words it."""
    return "space" in text.lower() or "full" in text.lower()
def profile(wine):
    """The Windows user's profile folder in the prefix (its Documents lead to the Unix home)."""
    return next((wine.prefix / "drive_c" / "users").glob("*/AppData")).parent


def leftovers(folder, known):
    return sorted(p.name for p in folder.iterdir() if p.name not in known)


def test_the_log_and_the_history_on_a_full_disk(wine):
    yesterday = today_number() - 1
    fresh(wine, Logging="-1", ResetEveryday="0", Measuredate=str(yesterday), Keystrokes="100")
    header = b"       Date " + b"x" * 211 + b"\r\n"
    old_day = b"2001-01-01" + b" " * 214 + b"\r\n"
    # A file system gives room by the page: the log must end where its last page does, or the
    # new line would fit in what that page has left.
    old_day += b"2001-01-02" + b" " * (4096 - len(header + old_day) - 12) + b"\r\n"
    today = datetime.date.today().isoformat()
    record = (today + ",7" + ",0" * 10 + ",7" + ",0" * 47 + ",041=7,").encode() + b"\r\n"
    columns = ["date", "keystrokes", "left", "right", "middle", "x1", "x2", "double", "wheel",
               "distance_inches", "running_seconds", "idle_seconds"]
    columns += [f"{kind}_{hour:02d}" for kind in ("keys", "clicks") for hour in range(24)]
    kept_today = (",".join(columns + ["keys", "clicks"]) + "\r\n").encode() + record
    documents = wine.home / "Documents" / "Quillomat"
    history = profile(wine) / "AppData" / "Local" / "Quillomat" / "History"
    with full_folder(documents, {"Quillomat.log": header + old_day}) as logs, \
            full_folder(history, {"today.csv": kept_today}) as days:
        launch_errors = []
        p = wine.start([wine.exe("Quillomat.exe")])
        wait_for("no message at start",
                 lambda: wine.probe("count", "#32770", "Quillomat 14.0").stdout.strip() == "1")
        # The day before's log line finds no room: said at start, and not counted as written.
        launch_errors.append(message_box(wine, click=IDOK))
        wait_for("the panel did not appear",
                 lambda: wine.probe("window", "TfrmMain", "1000").returncode == 0)
        wine.xdotool("mousemove", 900, 500)
        wine.xdotool("key", "--delay", 60, "a", "b", "c")
        # The minute save: the totals go to the registry; the history finds no room, once said.
        minute_save(wine, sent=False)
        launch_errors.append(message_box(wine, click=IDOK))
        wait_for("the totals were not saved",
                 lambda: minute_save(wine) or values_ci(wine).get("keystrokes") == "103")
        exit_program(wine)
        assert p.wait(timeout=30) == 0

        assert "Cannot write the log file" in launch_errors[0], launch_errors
        assert "history could not be written" in launch_errors[1], launch_errors
        assert all(says_full(e) for e in launch_errors), launch_errors
        assert (logs / "Quillomat.log").read_bytes() == header + old_day
        assert (days / "today.csv").read_bytes() == kept_today
        assert leftovers(logs, {"Quillomat.log", "filler"}) == []
        assert leftovers(days, {"today.csv", "filler"}) == []
    values = values_ci(wine)
    assert values["keystrokes"] == "103"
    # Not written, so not marked as written: the next start tries the day before's line again.
    assert values.get("logdate") != str(yesterday)


def test_an_export_and_an_import_on_a_full_disk_keep_the_good_file_and_the_totals(wine):
    fresh(wine, Keystrokes="500", Leftclicks="40")
    good = b"".join(scramble(t) + b"\r\n" for t in
                    ["1", "1000", "60", "5", "123", "4", "5", "6", "7", "8", "9", "10"])
    drive = wine.prefix / "drive_c"
    (drive / "import.qlx").write_bytes(good)
    backups = profile(wine) / "AppData" / "Roaming" / "Quillomat" / "Backups"
    with full_folder(drive / "full", {"good.qlx": good}) as full, full_folder(backups) as kept:
        p = launch(wine)
        before = values_ci(wine)
        # An export over a good file on a full drive: said, and the good file stays.
        wine.probe("command", "TfrmMain", CMD_EXPORT)
        choose_file(wine, "Save As", r"C:\full\good.qlx")
        error = message_box(wine, click=IDOK)
        assert "could not be exported" in error and says_full(error), error
        assert (full / "good.qlx").read_bytes() == good
        assert read_export(full / "good.qlx")[4] == 123
        assert leftovers(full, {"good.qlx", "filler"}) == []

        # An import whose backup of the totals finds no room: said, and nothing imported.
        wine.probe("command", "TfrmMain", CMD_IMPORT)
        choose_file(wine, "Open", r"C:\import.qlx")
        question = message_box(wine, title="Quillomat")
        assert "123" in question, question  # the question shows the file's figures
        message_box(wine, click=IDYES, title="Quillomat")
        error = message_box(wine, click=IDOK)
        assert "backups folder" in error and says_full(error), error
        assert leftovers(kept, {"filler"}) == []
        # Nothing imported: the totals are the counter's own (the file names typed into the
        # dialogs were keystrokes like any other).
        exit_program(wine)
        assert p.wait(timeout=30) == 0
    after = values_ci(wine)
    assert after["leftclicks"] == before["leftclicks"] == "40"
    assert int(after["keystrokes"]) >= 500
