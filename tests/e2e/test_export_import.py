"""Export and import under Wine, with the common dialogs driven by real keys: the file as it lands
on disk, the totals carried into a fresh prefix and stored at once, and nothing changed by a
corrupt file, an export file another program holds open, or a cancelled dialog."""

import re
import shutil
import time

import pytest

from conftest import Wine
from test_counting import close_to_tray, fresh, some_input, start_program, values_ci

CMD_EXPORT, CMD_IMPORT = 104, 105
TOTALS = ["Keystrokes", "Leftclicks", "Rightclicks", "Xclicks1", "Xclicks2", "Midclicks",
          "Dblclicks", "Mousewheel"]  # lines 5 to 12 of the file


def offsets(count, seed=739):
    s, out = seed, []
    for _ in range(count):
        s = (s * 134775813 + 1) & 0xFFFFFFFF
        out.append((s >> 28) + 1)
    return out


def scramble(text):
    return bytes(ord(c) + r for c, r in zip(text, offsets(len(text))))


def read_export(path):
    """The twelve figures of an export file (the file must end every line with CR LF)."""
    lines = path.read_bytes().split(b"\r\n")
    assert lines[-1] == b"" and len(lines) == 13, lines
    return [int("".join(chr(b - r) for b, r in zip(line, offsets(len(line)))))
            for line in lines[:-1]]


def wait_closed(wine, title, seconds=10):
    deadline = time.monotonic() + seconds
    while wine.probe("count", "-", title).stdout.strip() != "0":
        assert time.monotonic() < deadline, f"the {title} dialog stayed open"
        time.sleep(0.2)


def choose_file(wine, title, name):
    """Types `name` into the file dialog titled `title` and confirms it with Return."""
    assert wine.probe("dialog", title, "10000").returncode == 0, f"no {title} dialog"
    time.sleep(0.5)
    wine.xdotool("type", "--delay", 40, name)
    wine.xdotool("key", "Return")
    wait_closed(wine, title)
    time.sleep(0.8)


def cancel_dialog(wine, title):
    assert wine.probe("dialog", title, "10000").returncode == 0, f"no {title} dialog"
    time.sleep(0.5)
    wine.xdotool("key", "Escape")
    wait_closed(wine, title)


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
    wine.probe("command", "TfrmMain", CMD_EXPORT)
    choose_file(wine, "Save As", r"C:\counts")  # the extension is added
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
    assert other.probe("dialog", "Quillomat", "10000", "6").returncode == 0, "no question"
    # In the registry at once, without waiting for a save or closing the program.
    deadline = time.monotonic() + 10
    while values_ci(other).get("keystrokes") != "4294967295" and time.monotonic() < deadline:
        time.sleep(0.2)
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
    wine.start([wine.exe("probe.exe"), "hold", r"C:\locked.qlx", "60000"])
    time.sleep(1.0)
    before = values_ci(wine)
    files_before = sorted(p.name for p in drive.iterdir())

    wine.probe("command", "TfrmMain", CMD_IMPORT)
    choose_file(wine, "Open", r"C:\bad.qlx")
    box = wine.probe("dialog", "Quillomat 14.0", "10000", "1")
    assert box.returncode == 0, "no message about the corrupt file"
    assert "bad.qlx" in box.stdout and "the counters have not been changed" in box.stdout
    assert "Line 5 (the keystrokes total) is not a number." in box.stdout
    assert values_ci(wine) == before

    wine.probe("command", "TfrmMain", CMD_EXPORT)
    choose_file(wine, "Save As", r"C:\locked.qlx")
    box = wine.probe("dialog", "Quillomat 14.0", "10000", "1")
    assert box.returncode == 0, "no message about the file that could not be replaced"
    assert "could not be exported" in box.stdout and "locked.qlx" in box.stdout
    assert locked.read_bytes() == b"keep me"
    assert strays(drive) == []

    wine.probe("command", "TfrmMain", CMD_EXPORT)
    cancel_dialog(wine, "Save As")
    wine.probe("command", "TfrmMain", CMD_IMPORT)
    cancel_dialog(wine, "Open")
    assert sorted(p.name for p in drive.iterdir()) == files_before
    assert values_ci(wine) == before

    close_to_tray(wine)
    v = values_ci(wine)
    assert v["leftclicks"] == "40"
    assert float(v["distance"].replace(",", ".")) == 500
    assert int(v["keystrokes"]) >= 9  # the typed names were counted on top; nothing was reset
