"""The end-to-end tests' shared steps, one set for every module (the conftest imports it, the
modules take what they need from here, never from each other).

Every wait here waits for a condition with a generous deadline: a registry value, a window's
state, a message box, a line of a helper program, the pixels of a screenshot. A machine that
runs Wine, Xvfb and a build beside the tests is slow, never wrong, so nothing here sleeps a fixed
time and hopes that it was long enough."""

import datetime
import os
import pathlib
import re
import shutil
import subprocess
import time

SETTINGS_KEY = r"HKCU\Software\Ombrelune\Quillomat"
MAIN = "TfrmMain"
BOX_TITLE = "Quillomat 14.0"  # the program's message boxes
# The notification area's first icon, at the bottom right of the desktop's taskbar (1920 x 1080).
TRAY_ICON = (1909, 1069)
CMD_HIDE_PANEL, CMD_EXIT, CMD_IMPORT, CMD_EXPORT = 100, 102, 105, 104
CMD_BTN_EXIT, CMD_BTN_ONOFF = 200, 203
WM_COMMAND, WM_TIMER, TMR_WRITE_VALUES = 0x111, 0x113, 3
IDOK, IDYES, IDNO = 1, 6, 7
DEADLINE_S = 30


def folder_from_environment(name, default):
    """A folder named in the environment, relative to the directory pytest was started in (as a
    user types it from the repository's root), or `default` under the repository."""
    given = os.environ.get(name)
    if not given:
        return pathlib.Path(__file__).resolve().parents[2] / default
    return pathlib.Path(given).expanduser().absolute()


# -- waiting ------------------------------------------------------------------------------------
def wait_for(what, condition, seconds=DEADLINE_S, step=0.2):
    """Polls `condition` until it returns something true, and returns that; fails naming `what`
    when it never does within `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        assert time.monotonic() < deadline, f"{what} (not within {seconds} s)"
        time.sleep(step)


def wait_equal(what, read, expected, seconds=DEADLINE_S, step=0.2):
    """Polls `read()` until it equals `expected`; on failure the last value read is shown."""
    deadline = time.monotonic() + seconds
    while True:
        value = read()
        if value == expected:
            return value
        assert time.monotonic() < deadline, f"{what}: {value!r} never became {expected!r}"
        time.sleep(step)


def project_version():
    """The program's version as it names itself ("14.1"): the project's in CMakeLists.txt, the
    one place it is written."""
    text = (pathlib.Path(__file__).resolve().parents[2] / "CMakeLists.txt").read_text()
    m = re.search(r"^project\(Quillomat VERSION (\d+)\.(\d+)\b", text, re.M)
    assert m, "no project version in CMakeLists.txt"
    return f"{m.group(1)}.{m.group(2)}"


def numbers(text):
    return {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", text)}


# -- the registry -------------------------------------------------------------------------------
def today_number():
    return (datetime.date.today() - datetime.date(1899, 12, 30)).days


def values_ci(wine):
    return {k.lower(): v for k, v in wine.reg_values().items()}


def some_of(values, names):
    """Only the values named (lower case; None for one that is absent): a minute save may pass
    during a test and rewrite the running time and the distance, so a test compares only what
    its action can change."""
    return {n.lower(): values.get(n.lower()) for n in names}


# What a minute save rewrites by itself while the program runs: the running and idle time, and
# the distance (the pointer may move for a test's own clicks).
CLOCKED = {"time", "idle", "distance"}


def without_clock(values):
    """Every value but those a minute save changes by itself."""
    return {k: v for k, v in values.items() if k not in CLOCKED}


def fresh(wine, **stored):
    """A program that was never run for this user: no settings, no totals, no history and no
    backups of imports (another test's files would be taken up), and no program running."""
    wine.end_programs()
    wine.reg_clear()
    for folder in wine.prefix.glob("drive_c/users/*/AppData/*/Quillomat"):
        shutil.rmtree(folder, ignore_errors=True)
    for name, data in stored.items():
        wine.reg_set(name, data)


def minute_save(wine, sent=True):
    """The minute timer's work now, instead of a minute from now; done when this returns (the
    message is sent). A save that will show a message box, which would hold the sender until
    it is closed, is posted instead (`sent=False`)."""
    verb = "call" if sent else "message"
    assert wine.probe(verb, MAIN, WM_TIMER, TMR_WRITE_VALUES, 0).returncode == 0


def wait_saved(wine, seconds=DEADLINE_S, **expected):
    """Saves (the minute save's work) and reads the registry until the values named have the
    values given: real input reaches the program's hooks a moment after xdotool returns, and
    is counted by then at the latest. Returns every value."""
    want = {k.lower(): v for k, v in expected.items()}
    seen = {}

    def done():
        minute_save(wine)
        seen.update(values=values_ci(wine))
        return some_of(seen["values"], want) == want

    deadline = time.monotonic() + seconds
    while not done():
        assert time.monotonic() < deadline, \
            f"stored {some_of(seen['values'], want)}, never {want}"
        time.sleep(0.2)
    return seen["values"]


# -- the program and its windows ----------------------------------------------------------------
def window_state(wine, cls=MAIN):
    r = wine.probe("window", cls, "30000")
    assert r.returncode == 0, f"no {cls} window"
    return numbers(r.stdout.split(" title=")[0])


def wait_state(wine, what, cls=MAIN, seconds=DEADLINE_S, **expected):
    """Polls a top-level window's state until the fields named have the values given; on failure
    the fields as they were last read are shown."""
    state = {}

    def read():
        state.update(window_state(wine, cls))
        return {k: state.get(k) for k in expected}

    wait_equal(what, read, expected, seconds)
    return dict(state)


def sync(wine, cls=MAIN):
    """Returns once the window's thread has handled every message sent before (its start-up,
    a command sent with `send_command`)."""
    r = wine.probe("sync", cls, "30000", timeout=90)
    assert r.returncode == 0, f"{cls} did not answer"
    return numbers(r.stdout.split(" title=")[0])


def send_command(wine, command, cls=MAIN):
    """A menu command, handled when this returns (a command that opens a modal window must be
    posted instead: `wine.probe("command", ...)`)."""
    assert wine.probe("call", cls, WM_COMMAND, command, 0).returncode == 0


def start_program(wine, exe=None, shown=True):
    """Starts Quillomat; returns its process once its start-up is over (hooks in place, the
    window's message loop running). The panel is shown last in the start-up: until then the
    window may be answering messages from inside its creation, not from its message loop. A start
    that hides the panel at once ("Hide", with an icon to hide to) is `shown=False`, and only
    waits for the window to answer."""
    p = wine.start([exe or wine.exe("Quillomat.exe")])
    r = wine.probe("window", MAIN, "20000")
    assert r.returncode == 0, "the main window did not appear"
    sync(wine)
    if shown:
        wait_state(wine, "the panel was never shown", visible=1)
    return p


def launch(wine):
    """Starts the program; returns its process once its panel is on the screen."""
    return start_program(wine)


def wait_dragging(wine, cls=MAIN):
    """Until the window is in the system's move loop after a press on it: the loop takes the
    pointer's place when it starts, so the pointer may move only then."""
    r = wine.probe("moving", cls, "30000", timeout=90)
    assert r.returncode == 0, "the press did not start a drag"


def close_to_tray(wine):
    """The close button's work: the panel hides to the notification area, and the totals are
    saved."""
    assert wine.probe("close", MAIN).returncode == 0
    wait_state(wine, "the panel did not hide", visible=0)


def exit_program(wine, process=None):
    """The menu's Exit; returns once the program has ended (and saved)."""
    assert wine.probe("command", MAIN, str(CMD_EXIT)).returncode == 0
    assert wine.probe("gone", MAIN, "20000").returncode == 0, "the program did not end"
    if process is not None:
        assert process.wait(timeout=30) == 0


def message_box(wine, click=None, seconds=20, title=BOX_TITLE):
    """The text of the program's message box, once it is there; `click` presses one of its
    buttons."""
    args = ["dialog", title, str(seconds * 1000)] + ([str(click)] if click else [])
    r = wine.probe(*args, timeout=seconds + 30)
    assert r.returncode == 0, "no message box"
    return r.stdout.strip()


def windows_open(wine, title, cls="-"):
    return int(wine.probe("count", cls, title).stdout.strip())


def wait_closed(wine, title, cls="-", seconds=DEADLINE_S):
    wait_for(f"the {title} window stayed open", lambda: windows_open(wine, title, cls) == 0,
             seconds)


def menus_shown(wine):
    """How many pop-up menus are shown, and how many of them are in their menu loop."""
    found = numbers(wine.probe("menus", "-").stdout)
    return found["menus"], found["tracking"]


def wait_menus(wine, count, seconds=DEADLINE_S):
    """Until `count` pop-up menus are shown, each in its menu loop: input sent before the loop
    runs goes elsewhere (a click beside a menu that was only just shown leaves it open)."""
    wait_equal("pop-up menus (shown, in their loop)", lambda: menus_shown(wine), (count, count),
               seconds)


def work_area(wine):
    """The desktop's work area (the screen less the taskbar) as x, y, w, h."""
    a = numbers(wine.probe("workarea", "-").stdout)
    return a["x"], a["y"], a["w"], a["h"]


def foreground(wine):
    return wine.probe("foreground", "-").stdout


def taskbar_buttons(wine):
    out = wine.probe("taskbar", "-").stdout
    return [tuple(int(v) for v in m) for m in
            re.findall(r"button x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+)", out)]


def wait_taskbar_buttons(wine, count, what="the taskbar's buttons"):
    """Until the taskbar shows `count` buttons (the shell's Start button is one); returns them.
    The shell adds and removes buttons a moment after the windows come and go, and later still
    on a busy machine, so a count is waited for, never read once."""
    found = []

    def read():
        found[:] = taskbar_buttons(wine)
        return len(found)

    wait_equal(what, read, count)
    return list(found)


def background(wine, *args, ready=None):
    """A probe that keeps running (a window of another program, a busy notification area, a
    file held open). With `ready`, returns once the probe has printed that line: it is in
    place."""
    out = wine.work / f"probe-{args[0]}-{time.monotonic_ns()}.out"
    with open(out, "w") as sink:
        p = subprocess.Popen(["wine", str(wine.exe("probe.exe")), *map(str, args)],
                             env=wine.env, cwd=wine.work, stdout=sink,
                             stderr=subprocess.DEVNULL, start_new_session=True)
    wine._procs.append(p)
    if ready:
        wait_for(f"probe {args[0]} never said {ready!r}",
                 lambda: ready in out.read_text().splitlines() or p.poll() is not None)
        assert p.poll() is None, f"probe {args[0]} ended before it was ready"
    return p


def cover(wine, x, y, w, h, ms=120000):
    """A window of another program in front of the rest, until it is killed."""
    p = background(wine, "cover", x, y, w, h, ms)
    wait_for("the other program's window never came to the front",
             lambda: "class=QuilloCover" in foreground(wine))
    return p


def wine_processes(wine, name):
    """{pid: command line} of this prefix's processes that run `name` (Wine shows the Windows
    command line as the process's arguments)."""
    found = {}
    marker = f"WINEPREFIX={wine.prefix}".encode()
    for proc in pathlib.Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            cmd = (proc / "cmdline").read_bytes().rstrip(b"\0").split(b"\0")
            env = (proc / "environ").read_bytes().split(b"\0")
        except OSError:
            continue
        if marker in env and cmd[0].decode(errors="replace").lower().endswith(name):
            found[int(proc.name)] = [c.decode(errors="replace") for c in cmd]
    return found


# -- input --------------------------------------------------------------------------------------
# Separate clicks of one button must lie further apart than the double-click time (500 ms): the
# pause paces the input itself (Wine stamps each event with the X server's time), it waits for
# nothing.
APART_S = 0.8


def some_input(wine):
    """3 left presses (two of them a quick pair), 2 right, 1 middle, 4 wheel notches, 5 keys."""
    wine.xdotool("mousemove", 1000, 600)
    wine.xdotool("click", 1, "sleep", APART_S, "click", "--repeat", 2, "--delay", 90, 1,
                 "sleep", APART_S, "click", 3, "sleep", APART_S, "click", 3, "sleep", APART_S,
                 "click", 2, "sleep", APART_S, "click", "--repeat", 4, "--delay", 60, 4)
    wine.xdotool("key", "--delay", 60, "a", "b", "c", "d", "e")


def input_marker(wine, at=TRAY_ICON):
    """Input that shows when it has been handled: a right click (on the notification-area icon,
    say) opens a pop-up menu, which Escape closes again. The hooks see input in the order it
    came, before any window gets it: once the menu is open, every press before it has been
    counted. Counts one right click and one keystroke itself."""
    wine.xdotool("mousemove", *at, "click", 3)
    wait_menus(wine, 1)
    wine.xdotool("key", "Escape")
    wait_menus(wine, 0)


SOME_INPUT = {"Leftclicks": "3", "Dblclicks": "1", "Rightclicks": "2", "Midclicks": "1",
              "Mousewheel": "4", "Keystrokes": "5", "Xclicks1": "0", "Xclicks2": "0"}


# -- screenshots --------------------------------------------------------------------------------
def shot(wine, name):
    """A screenshot of the whole screen, kept for a person to look at; its path."""
    folder = wine.work / "screenshots"
    folder.mkdir(exist_ok=True)
    path = folder / f"{name}.png"
    wine.screenshot(path)
    return path


def shot_showing(wine, name, problems, seconds=DEADLINE_S):
    """Screenshots until `problems(path)` finds nothing wrong (Wine hands a window's pixels to X
    a moment after it painted them); the path of the one that passed. A screen that never comes
    right fails with the problems of the last one."""
    deadline = time.monotonic() + seconds
    while True:
        path = shot(wine, name)
        found = problems(path)
        if not found:
            return path
        assert time.monotonic() < deadline, f"{name}: {found}"
        time.sleep(0.3)


def pixel_problems(path, origin, expected):
    """For `shot_showing`: the pixels at offsets from `origin` that are not the colour given
    ({(dx, dy): (r, g, b)})."""
    x, y = origin
    return [(at, got, want) for at, want in expected.items()
            if (got := pixel(path, x + at[0], y + at[1])) != want]


def pixel(path, x, y):
    out = subprocess.run(["convert", str(path), "-crop", f"1x1+{x}+{y}", "-format",
                          "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(int(v) for v in out.split(","))


def share_of(path, box, colour):
    """Share of the pixels in box (x, y, w, h) that have exactly `colour` (a name or #RRGGBB)."""
    x, y, w, h = box
    out = subprocess.run(["convert", str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill",
                          "black", "+opaque", colour, "-fill", "white", "-opaque", colour,
                          "-format", "%[fx:mean]", "info:"],
                         capture_output=True, text=True, check=True).stdout
    return float(out)


def pixels(path, box):
    """The pixels of a box (x, y, w, h) of a screenshot, row by row, as (r, g, b)."""
    x, y, w, h = box
    ppm = subprocess.run(["convert", str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "ppm:-"],
                         capture_output=True, check=True).stdout
    parts = ppm.split(b"\n", 3)
    width, height = map(int, parts[1].split())
    data = parts[3]
    return [[tuple(data[(row * width + col) * 3:(row * width + col) * 3 + 3])
             for col in range(width)] for row in range(height)]


# -- dialogs and their controls -----------------------------------------------------------------
def dialog_control(wine, title, ident):
    """A control of the dialog titled `title` (any depth): its rectangle, state and text."""
    # A list that has just closed may still be relabelling the dialog on a busy machine.
    r = wait_for(f"no control {ident} in {title}",
                 lambda: (lambda r: r if r.returncode == 0 else None)(
                     wine.probe("control", title, str(ident))), seconds=10, step=0.3)
    state = numbers(r.stdout.split(" text=")[0])
    state["text"] = r.stdout.split(" text=", 1)[1].rstrip("\r\n")
    return state


def child_control(wine, title, ident):
    """A control of any top-level window titled `title` (any depth)."""
    r = wine.probe("child", title, str(ident))
    assert r.returncode == 0, f"no control {ident} in {title}"
    values = numbers(r.stdout.split(" text=")[0])
    values["text"] = r.stdout.split(" text=", 1)[1].rstrip("\r\n")
    return values


def click_at(wine, c, button=1):
    """A real click in the middle of a control's rectangle."""
    wine.xdotool("mousemove", c["x"] + c["w"] // 2, c["y"] + c["h"] // 2)
    wine.xdotool("click", button)


def wait_text(wine, title, ident, wanted, seconds=60):
    """Polls a control's text until `wanted` (a regular expression) matches it; its match."""
    found = {}

    def matches():
        found["text"] = child_control(wine, title, ident)["text"]
        return re.fullmatch(wanted, found["text"])

    deadline = time.monotonic() + seconds
    while not (m := matches()):
        assert time.monotonic() < deadline, f"{ident}: {found['text']!r} never became {wanted!r}"
        time.sleep(0.3)
    return m


# -- files --------------------------------------------------------------------------------------
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


def choose_file(wine, title, name):
    """Types `name` into the file dialog titled `title` and confirms it with Return."""
    assert wine.probe("dialog", title, "30000").returncode == 0, f"no {title} dialog"
    wait_for(f"the {title} dialog never took the keyboard",
             lambda: f"title={title}" in foreground(wine))
    wine.xdotool("type", "--delay", 40, name)
    wine.xdotool("key", "Return")
    wait_closed(wine, title)


def cancel_file_dialog(wine, title):
    assert wine.probe("dialog", title, "30000").returncode == 0, f"no {title} dialog"
    wait_for(f"the {title} dialog never took the keyboard",
             lambda: f"title={title}" in foreground(wine))
    wine.xdotool("key", "Escape")
    wait_closed(wine, title)


def history_folder(wine):
    users = [p for p in (wine.prefix / "drive_c/users").iterdir()
             if p.is_dir() and p.name != "Public"]
    assert len(users) == 1, users
    return users[0] / "AppData/Local/Quillomat/History"


def today_fields(wine):
    """The fields of today's record in today.csv (None while there is none)."""
    folder = history_folder(wine)
    if not (folder / "today.csv").exists():
        return None
    lines = (folder / "today.csv").read_bytes().decode("ascii").split("\r\n")
    assert lines[0].startswith("date,keystrokes,left,right,middle,x1,x2,double,wheel,")
    assert lines[0].endswith(",clicks_23,keys,clicks")
    today = datetime.date.today().isoformat()
    for line in lines[1:]:
        fields = line.split(",")
        if fields[0] == today:
            assert len(fields) == 62
            # The hours' keystrokes add up to the day's, and so do the keys'.
            assert sum(int(v) for v in fields[12:36]) == int(fields[1])
            keys = [pair.split("=") for pair in fields[60].split()]
            assert sum(int(n) for _, n in keys) == int(fields[1])
            return fields
    return None


# -- the settings dialog ------------------------------------------------------------------------
SETTINGS_TITLE = "Quillomat Setup"
# Its buttons and tabs (src/win32/dialogs/settings_dialog.h).
OK, CANCEL, APPLY, TABS = 1, 2, 1001, 1002


def settings_dialog(wine, timeout=DEADLINE_S * 1000):
    r = wine.probe("titled", "#32770", SETTINGS_TITLE, str(timeout))
    assert r.returncode == 0, "the settings dialog is not open"
    return numbers(r.stdout.split(" title=")[0])


def settings_open(wine):
    return windows_open(wine, SETTINGS_TITLE, "#32770")


def settings_closed(wine):
    wait_for("the settings dialog did not close", lambda: settings_open(wine) == 0)


def settings_control(wine, ident):
    return dialog_control(wine, SETTINGS_TITLE, ident)


def settings_click(wine, ident, button=1):
    c = settings_control(wine, ident)
    assert c["visible"] == 1, f"control {ident} is not on the page shown"
    click_at(wine, c, button)


def open_settings(wine):
    """Opens the settings dialog with the panel's setup button; its state once it is open (its
    first opening loads the common controls, which takes seconds on a busy machine)."""
    sync(wine)  # the panel where it will stay, its button ready for the click
    s = window_state(wine)
    # btnSetup: 44 x 18 at (6, 6) on a vertical panel, at (6, 4) on a horizontal one.
    top = 6 if s["h"] > 44 else 4
    wine.xdotool("mousemove", s["x"] + 28, s["y"] + top + 9)
    wine.xdotool("click", 1)
    return settings_dialog(wine)


def settings_shot(wine, name):
    """A screenshot, and the dialog's own part of it, for a person to look at."""
    d = settings_dialog(wine)
    path = shot(wine, name)
    cropped = path.with_name(name + "_dialog.png")
    subprocess.run(["convert", str(path), "-crop", f"{d['w']}x{d['h']}+{d['x']}+{d['y']}",
                    "+repage", str(cropped)], check=True)
    return cropped


# -- the History window -------------------------------------------------------------------------
CMD_HISTORY = 113
ID_MEASURE_LABEL, ID_MEASURE, ID_PREVIOUS_YEAR, ID_YEAR, ID_NEXT_YEAR, ID_SAVE = range(1001, 1007)
ID_CALENDAR, ID_TOTALS_LABEL, ID_GROUPING, ID_RANGE_LABEL, ID_RANGE = range(1010, 1015)
ID_BARS, ID_HOURS = 1020, 1021
ENGLISH, GERMAN = "History - Quillomat", "Verlauf - Quillomat"
SELECTED = (0xE6, 0x55, 0x0D)  # the frame of the day selected
NO_USE = (0xEB, 0xED, 0xF0)
SCALE = [(0xC6, 0xDB, 0xEF), (0x9E, 0xCA, 0xE1), (0x6B, 0xAE, 0xD6), (0x31, 0x82, 0xBD),
         (0x08, 0x51, 0x9C)]
DASH, EN_DASH = "\u2014", "\u2013"


def open_history(wine):
    assert wine.probe("command", MAIN, str(CMD_HISTORY)).returncode == 0
    r = wine.probe("shown", "TfrmHistory", "20000")
    assert r.returncode == 0, "the History window did not appear"
    return numbers(r.stdout.split(" title=")[0])


def focus_id(wine):
    r = wine.probe("focus", "TfrmHistory")
    return int(re.search(r"id=(-?\d+)", r.stdout).group(1))


def pointer_away(wine):
    wine.xdotool("mousemove", 3, 3)


def save_dialog_typed(wine, target, titles=("Save As", "Speichern unter")):
    """Once a save dialog (in either language) has the keyboard, types `target`'s full path."""
    wait_for("no save dialog", lambda: any(f"title={t}" in foreground(wine) for t in titles))
    wine.xdotool("key", "ctrl+a")
    wine.xdotool("type", "--delay", 40, "Z:" + str(target).replace("/", "\\"))
    wine.xdotool("key", "Return")


# -- pictures a helper program writes ------------------------------------------------------------
def read_pnm(path: pathlib.Path, channels: int):
    """(width, height, pixels) of a binary PNM file of `channels` bytes a pixel."""
    data = path.read_bytes()
    parts = data.split(maxsplit=4)
    width, height = int(parts[1]), int(parts[2])
    return width, height, data[len(data) - width * height * channels:]


def wait_for_file(path: pathlib.Path, proc, seconds=30.0):
    """Until a helper program has written `path`; fails if it ends first."""
    deadline = time.monotonic() + seconds
    while not path.exists():
        assert proc.poll() is None, "the probe ended before showing its window"
        assert time.monotonic() < deadline, f"{path.name} never appeared"
        time.sleep(0.1)


def mismatches(screen, origin, expected):
    """The pixels of a screen (read_pnm's) at `origin` that differ from `expected` ("size", and
    "pixel"(x, y)): (x, y, got, wanted) each."""
    sw, _, pixels = screen
    left, top = origin
    w, h = expected["size"]
    bad = []
    for y in range(h):
        for x in range(w):
            i = ((top + y) * sw + left + x) * 3
            got = tuple(pixels[i:i + 3])
            want = expected["pixel"](x, y)
            if got != want:
                bad.append((x, y, got, want))
    return bad


def start_indicator_probe(wine, mode):
    """indicator_probe.exe in `mode`, writing into a folder of its own emptied of an earlier
    run's files; (folder, process)."""
    out = wine.work / f"indicator_{mode}"
    out.mkdir(exist_ok=True)
    for stale in out.glob(f"{mode}_*"):
        stale.unlink()
    return out, wine.start([wine.exe("indicator_probe.exe"), mode, out.name])
