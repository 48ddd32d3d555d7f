"""Export and import under Wine, with the common dialogs driven by real keys: the file as it lands
on disk, the totals carried into a fresh prefix and stored at once, and nothing changed by a
corrupt file, an export file another program holds open, or a cancelled dialog."""

import re
import shutil

import pytest

from conftest import Wine
from helpers import (BOX_TITLE, CMD_EXPORT, CMD_IMPORT, IDYES, SOME_INPUT, background,
                     cancel_file_dialog, choose_file, close_to_tray, fresh, read_export, scramble,
                     some_input, some_of, start_program, values_ci, wait_equal, wait_for,
                     wait_saved)

TOTALS = ["Keystrokes", "Leftclicks", "Rightclicks", "Xclicks1", "Xclicks2", "Midclicks",
          "Dblclicks", "Mousewheel"]  # lines 5 to 12 of the file


# What an import would replace but neither typing a file's name nor a minute save changes.
UNTOUCHED = ["Leftclicks", "Rightclicks", "Midclicks", "Dblclicks", "Mousewheel", "Xclicks1",
             "Xclicks2", "Resetdate", "Measuredate"]


def strays(folder):
    """What an export could leave behind: temporary files beside the target."""
    return sorted(p.name for p in folder.iterdir() if re.fullmatch(r"qlx.*\.tmp", p.name, re.I))


@pytest.fixture(scope="module")
def second_prefix(wine):
    """Another computer: a prefix of its own with an empty registry."""
    wine.restart_server()  # quiet the first one while this one boots
    other = Wine(wine.work.parent / (wine.work.name + "-second"), wine.win64)
    try:
        other.boot()
        yield other
    finally:
        other.shutdown()


def test_export_then_import_on_another_computer_restores_and_stores_every_total(
        wine, second_prefix):
    fresh(wine, Keystrokes="4294967290", Xclicks1="7", Distance="123456.7", Time="100000",
          Idle="50")
    drive = wine.prefix / "drive_c"
    (drive / "counts.qlx").write_bytes(b"an older export\r\n")  # replaced without a question
    start_program(wine)
    some_input(wine)
    wait_saved(wine, **dict(SOME_INPUT, Keystrokes="4294967295", Xclicks1="7"))
    wine.probe("command", "TfrmMain", CMD_EXPORT)
    choose_file(wine, "Save As", r"C:\counts")  # the extension is added
    # Written in one piece (a temporary file renamed), once the dialog has closed.
    wait_for("the export was not written",
             lambda: (drive / "counts.qlx").read_bytes() != b"an older export\r\n")
    figures = read_export(drive / "counts.qlx")
    assert strays(drive) == []
    assert figures[0] == 1
    # Taken when the item was chosen: the path typed afterwards is not in the file.
    assert figures[4:] == [4294967295, 3, 2, 7, 0, 1, 1, 4]
    assert figures[1] >= 123457  # 123456.7 inches and what the pointer added, rounded
    assert figures[2] >= 100000 and figures[3] >= 50

    other = second_prefix
    shutil.copy(drive / "counts.qlx", other.prefix / "drive_c" / "moved.qlx")
    other.reg_clear()
    start_program(other)
    other.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(other, "Open", r"C:\moved.qlx")
    # The question first; Yes (6) replaces the totals, after keeping them in a backup.
    assert other.probe("dialog", "Quillomat", "10000", str(IDYES)).returncode == 0, "no question"
    # In the registry at once, without waiting for a save or closing the program.
    wait_equal("the imported keystrokes", lambda: values_ci(other).get("keystrokes"),
               "4294967295")
    v = values_ci(other)
    assert {n: v.get(n.lower()) for n in TOTALS} == {
        "Keystrokes": "4294967295", "Leftclicks": "3", "Rightclicks": "2", "Xclicks1": "7",
        "Xclicks2": "0", "Midclicks": "1", "Dblclicks": "1", "Mousewheel": "4"}
    assert v["distance"] == str(figures[1])
    assert v["time"] == str(figures[2])
    assert v["idle"] == str(figures[3])
    assert other.probe("window", "TfrmMain", "2000").returncode == 0


def test_corrupt_file_unreplaceable_target_and_cancelled_dialogs_change_nothing(wine):
    fresh(wine, Leftclicks="40", Keystrokes="9", Distance="500")
    drive = wine.prefix / "drive_c"
    good = [scramble(t) for t in ["1", "1000", "60", "5", "123", "4", "5", "6", "7", "8", "9",
                                  "10"]]
    bad = list(good)
    bad[4] = scramble("12x")
    (drive / "bad.qlx").write_bytes(b"".join(line + b"\r\n" for line in bad))
    locked = drive / "locked.qlx"
    locked.write_bytes(b"keep me")
    start_program(wine)
    # Another program has the old export open and shares it with nobody: it cannot be replaced.
    background(wine, "hold", r"C:\locked.qlx", 120000, ready="held")
    before = some_of(values_ci(wine), UNTOUCHED)
    files_before = sorted(p.name for p in drive.iterdir())

    wine.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(wine, "Open", r"C:\bad.qlx")
    box = wine.probe("dialog", BOX_TITLE, "10000", "1")
    assert box.returncode == 0, "no message about the corrupt file"
    assert "bad.qlx" in box.stdout and "the counters have not been changed" in box.stdout
    assert "Line 5 (the keystrokes total) is not a number." in box.stdout
    assert some_of(values_ci(wine), UNTOUCHED) == before

    wine.probe("command", "TfrmMain", CMD_EXPORT)
    choose_file(wine, "Save As", r"C:\locked.qlx")
    box = wine.probe("dialog", BOX_TITLE, "10000", "1")
    assert box.returncode == 0, "no message about the file that could not be replaced"
    assert "could not be exported" in box.stdout and "locked.qlx" in box.stdout
    assert locked.read_bytes() == b"keep me"
    assert strays(drive) == []

    wine.probe("command", "TfrmMain", CMD_EXPORT)
    cancel_file_dialog(wine, "Save As")
    wine.probe("command", "TfrmMain", CMD_IMPORT)
    cancel_file_dialog(wine, "Open")
    assert sorted(p.name for p in drive.iterdir()) == files_before
    assert some_of(values_ci(wine), UNTOUCHED) == before

    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "40"
    assert float(v["distance"].replace(",", ".")) == 500
    assert int(v["keystrokes"]) >= 9  # the typed names were counted on top; nothing was reset
