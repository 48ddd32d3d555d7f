"""The packages of scripts/package. The setup program on a fresh Wine prefix: a silent install, the
installed program started from its Start-menu entry counting real input, a second install over
the running program keeping what it had counted, and a silent uninstall that leaves nothing but
the stored totals; "Start with Windows" beside another copy's entry. And the portable zip's
contents."""

import os
import pathlib
import re
import shutil
import signal
import subprocess
import time
import zipfile

import pytest

from conftest import Wine
from helpers import (SETTINGS_KEY, folder_from_environment, input_marker, send_command, sync,
                     wait_equal, wait_for, wine_processes)

VERSION = re.search(r"project\(Quillomat VERSION ([0-9.]+)",
                    (pathlib.Path(__file__).resolve().parents[2] / "CMakeLists.txt").read_text()
                    ).group(1)
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillomat"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
CMD_HIDE_PANEL = 100


def dist_dir(win64):
    return folder_from_environment("QUILLO_DIST_DIR", win64.parent / "dist")


def package(win64, kind):
    path = dist_dir(win64) / f"Quillomat-{VERSION}-{kind}"
    assert path.exists(), f"{path} is missing: scripts/package makes it"
    return path


@pytest.fixture(scope="module")
def box(wine):
    """A machine of its own: a fresh prefix and display beside the session's, as a new user's."""
    w = Wine(wine.work.parent / (wine.work.name + "-package"), wine.win64)
    try:
        w.boot()
        local = w.run(["cmd", "/c", "echo", "%LOCALAPPDATA%"]).stdout.strip()
        appdata = w.run(["cmd", "/c", "echo", "%APPDATA%"]).stdout.strip()
        assert re.fullmatch(r"C:\\users\\[^\\]+\\AppData\\Local", local), local
        w.install_dir = local + r"\Programs\Quillomat"
        w.shortcut = appdata + r"\Microsoft\Windows\Start Menu\Programs\Quillomat.lnk"
        yield w
    finally:
        w.shutdown()


def unix(w, windows_path):
    """Where a C: path of the prefix lies on this machine."""
    assert windows_path[:3].upper() == "C:\\"
    return w.prefix / "drive_c" / windows_path[3:].replace("\\", "/")


def installed_programs(w):
    """Process ids of the installed Quillomat.exe that run in this prefix."""
    exe = (w.install_dir + r"\Quillomat.exe").lower()
    return sorted(pid for pid, cmd in wine_processes(w, "quillomat.exe").items()
                  if cmd[0].lower() == exe)


def totals(w):
    return {k.lower(): v for k, v in w.reg_values(SETTINGS_KEY).items()}


def wait_uninstalled(w, folder):
    """The uninstaller returns at once and removes the folder from a copy of itself it started,
    which a busy machine can take minutes to get going. Fails naming what the folder still holds
    and the box's programs that still run."""
    deadline = time.time() + 180
    while (folder.exists() or w.reg_values(UNINSTALL_KEY)) and time.time() < deadline:
        time.sleep(0.3)
    if folder.exists():
        left = sorted(p.name for p in folder.iterdir())
        running = sorted(" ".join(cmd) for cmd in wine_processes(w, ".exe").values())
        pytest.fail(f"{folder} still holds {left}; running: {running}")
    assert w.reg_values(UNINSTALL_KEY) == {}


def test_silent_install_puts_files_and_shortcut_in_place_and_registers_the_uninstaller(box):
    setup = package(box.win64, "setup.exe")
    assert box.run([setup, "/S", "/AUTOSTART"], timeout=120).returncode == 0
    folder = unix(box, box.install_dir)
    assert sorted(p.name for p in folder.iterdir()) == ["Quillomat.chm", "Quillomat.exe",
                                                        "uninstall.exe"]
    for name in ("Quillomat.exe", "Quillomat.chm"):
        assert (folder / name).read_bytes() == (box.win64 / name).read_bytes(), name
    # The Start-menu entry starts the installed program.
    link = unix(box, box.shortcut).read_bytes()
    exe = box.install_dir + r"\Quillomat.exe"
    assert exe.encode() in link or exe.encode("utf-16-le") in link
    entry = box.reg_values(UNINSTALL_KEY)
    assert {k: entry.get(k) for k in ("DisplayName", "DisplayVersion", "Publisher",
                                      "DisplayIcon", "InstallLocation", "UninstallString",
                                      "QuietUninstallString")} == {
        "DisplayName": "Quillomat", "DisplayVersion": VERSION, "Publisher": "Ombrelune",
        "DisplayIcon": exe + ",0", "InstallLocation": box.install_dir,
        "UninstallString": f'"{box.install_dir}\\uninstall.exe"',
        "QuietUninstallString": f'"{box.install_dir}\\uninstall.exe" /S'}
    # Start with Windows: the settings dialog's own entry, the full path without quotes.
    assert box.reg_values(RUN_KEY).get("Quillomat") == exe
    assert totals(box) == {}  # installing stores no totals


def test_the_installed_program_starts_from_its_shortcut_and_counts(box):
    box.start(["start", "/unix", unix(box, box.shortcut)])
    assert box.probe("window", "TfrmMain", "20000").returncode == 0
    sync(box)
    wait_equal("installed programs running", lambda: len(installed_programs(box)), 1)
    box.xdotool("mousemove", 700, 300)
    box.xdotool("key", "--delay", 60, "q", "u", "i", "l", "l")
    input_marker(box)  # a right click and Escape, counted too
    send_command(box, CMD_HIDE_PANEL)  # saves
    t = totals(box)
    assert (t["keystrokes"], t["rightclicks"]) == ("6", "1")


def test_installing_again_over_the_running_program_keeps_what_it_counted(box):
    before = installed_programs(box)
    assert len(before) == 1
    box.xdotool("key", "--delay", 60, "o", "m", "a", "t")
    input_marker(box)  # counted, with the marker's Escape and right click, not saved yet
    assert (totals(box)["keystrokes"], totals(box)["rightclicks"]) == ("6", "1")
    assert box.run([package(box.win64, "setup.exe"), "/S"], timeout=120).returncode == 0
    # The old program saved and ended before its file was replaced; the new one runs.
    assert (totals(box)["keystrokes"], totals(box)["rightclicks"]) == ("11", "2")
    deadline = time.time() + 20
    while installed_programs(box) in ([], before) and time.time() < deadline:
        time.sleep(0.2)
    after = installed_programs(box)
    assert len(after) == 1 and after != before
    assert box.probe("window", "TfrmMain", "20000").returncode == 0
    # Start with Windows stays as it was.
    assert box.reg_values(RUN_KEY).get("Quillomat") == box.install_dir + r"\Quillomat.exe"


def test_silent_uninstall_leaves_no_trace_but_the_stored_totals(box):
    folder = unix(box, box.install_dir)
    # The uninstaller runs from a copy of itself, so its own process ends at once.
    assert box.run([folder / "uninstall.exe", "/S"], timeout=120).returncode == 0
    wait_uninstalled(box, folder)
    assert not unix(box, box.shortcut).exists()
    assert "Quillomat" not in box.reg_values(RUN_KEY)
    assert installed_programs(box) == []  # the running program was asked to end
    assert box.probe("gone", "TfrmMain", "30000").returncode == 0
    assert totals(box)["keystrokes"] == "11"


# "Start with Windows" and another copy. The Run value "Quillomat" serves every copy of the
# program: the setup ticks its box only for a value that starts this installation (written with
# or without quotes, in any letter case), writes the program's own form (quotes around a path with
# a space), and never touches another copy's value unless asked to start with Windows itself; the
# uninstaller removes only this installation's value.
SPACED = r"C:\Quillo Space"
OURS = SPACED + r"\Quillomat.exe"
OURS_QUOTED = f'"{OURS}"'
OTHER_COPY = r"D:\Tools\Quillomat\Quillomat.exe"  # a portable copy's entry
NO_KEY = object()  # the Run key itself is missing
AS_LEFT = object()


def set_run_value(w, value):
    if value is NO_KEY:
        w.run(["reg", "delete", RUN_KEY, "/f"])
    elif value is not None:
        w.run(["reg", "add", RUN_KEY, "/v", "Quillomat", "/d", value, "/f"], check=True)


@pytest.mark.parametrize("before,options,after_install,before_uninstall,after_uninstall", [
    # No key at all: /AUTOSTART makes it, with the path in quotes.
    (NO_KEY, ["/AUTOSTART"], OURS_QUOTED, AS_LEFT, None),
    # Another copy's value: the box stays clear and the value as it was, also after uninstalling.
    (OTHER_COPY, [], OTHER_COPY, AS_LEFT, OTHER_COPY),
    # This installation's value, quoted or not, in any case: ticked, so kept in the program's form.
    (OURS_QUOTED, [], OURS_QUOTED, OURS, None),
    (OURS, [], OURS_QUOTED, AS_LEFT, None),
    (OURS.lower(), [], OURS_QUOTED, OURS_QUOTED.upper(), None),
    # Asked for, this installation starts with Windows in place of another copy.
    (OTHER_COPY, ["/AUTOSTART"], OURS_QUOTED, OTHER_COPY, OTHER_COPY),
], ids=["no-key-autostart", "other-copy", "ours-quoted", "ours-plain", "ours-other-case",
        "other-copy-autostart"])
def test_start_with_windows_concerns_this_installation_only(
        box, before, options, after_install, before_uninstall, after_uninstall):
    assert installed_programs(box) == []  # nothing to end, nothing started again
    folder = unix(box, SPACED)
    set_run_value(box, before)
    # /D= takes the rest of the command line as it is, spaces and all.
    setup = [package(box.win64, "setup.exe"), "/S", *options, *f"/D={SPACED}".split(" ")]
    assert box.run(setup, timeout=120).returncode == 0
    assert (folder / "Quillomat.exe").exists()
    assert box.reg_values(RUN_KEY).get("Quillomat") == after_install

    if before_uninstall is not AS_LEFT:
        set_run_value(box, before_uninstall)
    assert box.run([folder / "uninstall.exe", "/S"], timeout=120).returncode == 0
    wait_uninstalled(box, folder)
    assert box.reg_values(RUN_KEY).get("Quillomat") == after_uninstall


# The setup window's title; the pages after the first add a space to it.
SETUP_TITLES = (f"Quillomat {VERSION} Setup", f"Quillomat {VERSION} Setup ")
IDC_NEXT, IDC_DIR, IDC_COMPONENTS_TREE = 1, 1019, 1032  # NSIS's own control ids


def setup_probe(w, verb, *args):
    """A probe verb on the setup window's control, whichever page it shows."""
    for title in SETUP_TITLES:
        r = w.probe(verb, title, *args)
        if r.returncode == 0:
            return r
    return r


def setup_page_shows(w, control, timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        r = setup_probe(w, "control", str(control))
        if r.returncode == 0 and "visible=1" in r.stdout:
            return True
        time.sleep(0.3)
    return False


def test_the_box_follows_the_folder_chosen_in_the_setup_window(box):
    """The setup's own pages: the box is first judged for the proposed folder (where nothing starts
    with Windows); the folder typed on the directory page is the one the Run value names, so the
    box follows it and the value stays (judged for the first folder it would have been deleted)."""
    assert installed_programs(box) == []
    set_run_value(box, OURS_QUOTED)
    box.start([package(box.win64, "setup.exe")])
    assert setup_page_shows(box, IDC_NEXT), "the setup window did not open"
    box.probe("command", "#32770", str(IDC_NEXT))  # welcome
    assert setup_page_shows(box, IDC_COMPONENTS_TREE)
    box.probe("command", "#32770", str(IDC_NEXT))
    assert setup_page_shows(box, IDC_DIR)
    assert setup_probe(box, "settext", str(IDC_DIR), SPACED).returncode == 0
    box.probe("command", "#32770", str(IDC_NEXT))  # "Install"
    deadline = time.time() + 120
    while "Finish" not in setup_probe(box, "control", str(IDC_NEXT)).stdout:
        assert time.time() < deadline, "the setup did not finish"
        time.sleep(0.5)
    box.probe("command", "#32770", str(IDC_NEXT))  # "Finish", which starts Quillomat
    assert box.probe("window", "TfrmMain", "20000").returncode == 0
    assert box.probe("command", "TfrmMain", "102").returncode == 0  # Exit
    assert box.probe("gone", "TfrmMain", "20000").returncode == 0
    assert box.reg_values(RUN_KEY).get("Quillomat") == OURS_QUOTED

    folder = unix(box, SPACED)
    assert box.run([folder / "uninstall.exe", "/S"], timeout=120).returncode == 0
    wait_uninstalled(box, folder)
    assert box.reg_values(RUN_KEY).get("Quillomat") is None


def test_the_folder_goes_even_while_the_uninstaller_that_was_started_is_still_ending(box):
    """uninstall.exe starts a copy of itself and ends; the copy removes the files. On a busy
    machine uninstall.exe may still be ending when the copy comes to delete it, and a running
    program's file cannot be deleted: the copy waits for it rather than leave the folder behind.
    Here an uninstaller that stays open (its own pages, run in place) holds uninstall.exe while
    a silent one removes the installation, and is ended only once the silent one has come to
    uninstall.exe."""
    assert installed_programs(box) == []
    assert box.run([package(box.win64, "setup.exe"), "/S"], timeout=120).returncode == 0
    folder = unix(box, box.install_dir)
    held = box.start([folder / "uninstall.exe", f"_?={box.install_dir}"])
    assert box.probe("window", "#32770", "60000").returncode == 0, "the uninstaller did not open"
    silent = box.prefix / "drive_c/uninstall-copy.exe"
    shutil.copy(folder / "uninstall.exe", silent)
    copy = box.start([silent, "/S", f"_?={box.install_dir}"])
    # The help is deleted just before uninstall.exe; the copy has until then to give up on it.
    wait_for("the silent uninstaller did not delete the help",
             lambda: not (folder / "Quillomat.chm").exists())
    try:
        copy.wait(timeout=5)
    except subprocess.TimeoutExpired:
        pass  # still waiting for uninstall.exe, as it should
    os.killpg(held.pid, signal.SIGKILL)
    wait_uninstalled(box, folder)
    assert copy.wait(timeout=120) == 0
    silent.unlink()


def test_the_portable_zip_holds_the_program_its_help_and_a_read_me(wine):
    with zipfile.ZipFile(package(wine.win64, "portable.zip")) as z:
        files = sorted(n for n in z.namelist() if not n.endswith("/"))
        assert files == ["Quillomat/Quillomat.chm", "Quillomat/Quillomat.exe",
                         "Quillomat/ReadMe.txt"]
        for name in ("Quillomat.exe", "Quillomat.chm"):
            assert z.read(f"Quillomat/{name}") == (wine.win64 / name).read_bytes(), name
        readme = z.read("Quillomat/ReadMe.txt").decode("ascii")
    assert f"Quillomat {VERSION}, portable copy" in readme and "@VERSION@" not in readme
    assert readme.count("\r\n") == readme.count("\n")  # a Windows text file
