"""End-to-end harness: a fresh Wine prefix (HOME and Documents inside the build tree), an Xvfb
display with the Wine virtual desktop as default, real input through xdotool, the registry read
back with `wine reg`, screenshots with ImageMagick. Everything started here is ended here."""

import contextlib
import fcntl
import os
import pathlib
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pytest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import helpers  # noqa: E402  (the tests' shared steps, beside this harness)
from helpers import SETTINGS_KEY  # noqa: E402


def _start_xvfb():
    """An Xvfb of our own, and its display number. The server picks a free number itself and
    says which (-displayfd): a number picked here could be taken by another test run between
    the check and the server's start, and the two runs would share one screen."""
    read_end, write_end = os.pipe()
    try:
        xvfb = subprocess.Popen(
            # -noreset: a server left without clients (between two Wine servers) would otherwise
            # start over, and forget a keyboard layout a test has set.
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1080x24", "-nolisten",
             "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        write_end = None
        said = b""
        deadline = time.monotonic() + 60
        while not said.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                xvfb.kill()
                raise RuntimeError("Xvfb did not start")
            said += chunk
        return xvfb, int(said)
    finally:
        os.close(read_end)
        if write_end is not None:
            os.close(write_end)


def _environment(work: pathlib.Path, display: int):
    """Wine's environment for a prefix in `work`, on display `display`: HOME and Documents inside
    the work folder, never the real home."""
    home = work / "home"
    return {
        "DISPLAY": f":{display}",
        "HOME": str(home),
        "WINEPREFIX": str(work / "prefix"),
        "WINEDEBUG": "-all",
        "WINEARCH": "win64",
        # Without Mono and Gecko; and without winemenubuilder, which Wine starts whenever a
        # shortcut is saved (the setup's Start-menu entry) to make a Linux menu entry: it
        # runs on in the install folder, reading the program's icon, and on a busy machine
        # an uninstall that came meanwhile could not remove the folder.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
        "XDG_CONFIG_HOME": str(home / ".config"),
        "XDG_DATA_HOME": str(home / ".local/share"),
        "XDG_CACHE_HOME": str(home / ".cache"),
    }


def _wine_version():
    return subprocess.run(["wine", "--version"], capture_output=True, text=True,
                          check=False).stdout.strip()


def _prefix_template(win64: pathlib.Path) -> pathlib.Path:
    """The work folder of a prefix made once by `wineboot -i` (eight seconds or more) and copied
    for every session after: QUILLO_E2E_TEMPLATE, or build/e2e-template. Sessions that start at
    the same moment wait for the one that makes it; a template of another Wine is made anew."""
    folder = helpers.folder_from_environment("QUILLO_E2E_TEMPLATE", "build/e2e-template")
    folder.parent.mkdir(parents=True, exist_ok=True)
    ready = folder / "ready"
    version = _wine_version()
    with open(folder.parent / (folder.name + ".lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if ready.exists() and ready.read_text() == version:
            return folder
        maker = Wine(folder, win64)
        try:
            maker.make_prefix()
        finally:
            maker.shutdown()
        # What the session's server had of the prefix's own: nothing of it is copied.
        for stale in ("wineserver",):
            (maker.prefix / stale).unlink(missing_ok=True)
        ready.write_text(version)
    return folder


# A prefix is some 700 MB, nearly all of it Wine's own programs and libraries, which no test
# writes to: those are linked, not copied; the registry and every other file is a copy.
_SHARED_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".acm", ".cpl", ".tlb", ".ax",
                    ".ds", ".msstyles", ".ttf", ".fon", ".nls", ".mui", ".com", ".vxd", ".dll16",
                    ".exe16", ".drv16", ".mod16"}


def _clone_prefix(template: pathlib.Path, work: pathlib.Path):
    """The template's prefix as `work`'s own: Wine's binaries hard-linked, every other file
    copied, and the links into the template's home pointed at `work`'s."""
    source, target = template / "prefix", work / "prefix"
    old_root = str(template)
    for folder, dirs, files in os.walk(source):
        here = pathlib.Path(folder)
        there = target / here.relative_to(source)
        there.mkdir(parents=True, exist_ok=True)
        shutil.copystat(here, there)
        for name in dirs + files:
            src, dst = here / name, there / name
            if src.is_symlink():
                to = os.readlink(src)
                if to == old_root or to.startswith(old_root + os.sep):
                    to = str(work) + to[len(old_root):]
                os.symlink(to, dst)
            elif name in files:
                if src.suffix.lower() in _SHARED_SUFFIXES:
                    os.link(src, dst)
                else:
                    shutil.copy2(src, dst)
        # os.walk goes into real folders only; links to folders were made above.
        dirs[:] = [d for d in dirs if not (here / d).is_symlink()]


def _gone(proc: pathlib.Path):
    """A process that has ended (a zombie, whose parent has not taken its exit code yet, has)."""
    try:
        return (proc / "stat").read_text().rsplit(")", 1)[1].split()[0] in "ZX"
    except OSError:
        return True


class _ServedProbe:
    """probe.exe started once and asked one request a line (`probe serve`): a look at a window or
    the registry then costs a line, not the start of a Wine process (a fifth of a second, more on
    a busy machine, and most of what a test waits for)."""

    END = b"\x1e"

    def __init__(self, wine):
        self.wine = wine
        self.process = None

    def _start(self):
        # After the desktop is up: a program that starts the desktop passes its handles on to it,
        # and the desktop would hold these pipes open.
        self.process = subprocess.Popen(
            ["wine", str(self.wine.exe("probe.exe")), "serve", "-"], env=self.wine.env,
            cwd=self.wine.work, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, start_new_session=True)
        self.answer = b""

    def pid(self):
        return self.process.pid if self.process and self.process.poll() is None else None

    def stop(self):
        if self.process and self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait(timeout=10)
        self.process = None

    def ask(self, args, timeout):
        """The probe's answer to `args` as a finished process's (exit code, output)."""
        request = ("\t".join(args) + "\n").encode()
        for attempt in range(2):
            if self.process is None or self.process.poll() is not None:
                self._start()
            try:
                self.process.stdin.write(request)
                self.process.stdin.flush()
                break
            except BrokenPipeError:  # it had ended: the request never reached it
                self.stop()
        deadline = time.monotonic() + timeout
        out = self.process.stdout.fileno()
        while True:
            at = self.answer.find(self.END)
            if at >= 0 and self.answer.find(b"\n", at) >= 0:
                end = self.answer.find(b"\n", at)
                text, code = self.answer[:at], int(self.answer[at + 1:end])
                self.answer = self.answer[end + 1:]
                # Its lines end as a Windows program's do; read as the rest of the harness reads
                # a program's output.
                return subprocess.CompletedProcess(
                    ["probe", *args], code,
                    text.decode(errors="replace").replace("\r\n", "\n"), "")
            left = deadline - time.monotonic()
            ready = select.select([out], [], [], max(0, left))[0] if left > 0 else []
            if not ready:
                self.stop()
                raise subprocess.TimeoutExpired(["probe", *args], timeout)
            chunk = os.read(out, 65536)
            if not chunk:
                self.stop()
                return subprocess.CompletedProcess(["probe", *args], 1, "",
                                                   "the probe ended before it answered")
            self.answer += chunk


class Wine:
    def __init__(self, work: pathlib.Path, win64: pathlib.Path):
        self.work = work
        self.win64 = win64
        self.home = work / "home"
        self.prefix = work / "prefix"
        self._procs = []
        self._xvfb = None
        self._probe = _ServedProbe(self)
        self.env = dict(os.environ)

    # -- set-up and tear-down -------------------------------------------------------------
    def boot(self):
        """A display and a prefix of this work folder's own, as a new Windows user has them: a
        copy of the prefix template (made once, the first time it is needed), with its server and
        its desktop started."""
        template = _prefix_template(self.win64)
        if self.work.exists():
            shutil.rmtree(self.work, ignore_errors=True)
        (self.home / "Documents").mkdir(parents=True)
        _clone_prefix(template, self.work)
        self._display()
        self._server()
        self._start_desktop()

    def make_prefix(self):
        """A new prefix made by Wine itself (`wineboot -i`, seconds), with the virtual desktop,
        its shell and the system fonts: what the template is made of."""
        if self.work.exists():
            shutil.rmtree(self.work, ignore_errors=True)
        (self.home / "Documents").mkdir(parents=True)
        self._display()
        self._server()
        self.run(["wineboot", "-i"], timeout=180)
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default",
                  "/f"], check=True)
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default", "/d",
                  "1920x1080", "/f"], check=True)
        # The desktop's shell: a taskbar with the programs' buttons and the notification area,
        # as on Windows.
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops\Default", "/v",
                  "EnableShell", "/t", "REG_DWORD", "/d", "1", "/f"], check=True)
        # Wine's own stand-ins for the Windows system fonts (Marlett, MS Sans Serif), which a
        # Windows installation always has; Debian's prefix does not link them in.
        fonts = self.prefix / "drive_c/windows/Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for f in pathlib.Path("/usr/share/wine/fonts").glob("*"):
            if not (fonts / f.name).exists():
                shutil.copy(f, fonts / f.name)

    def _display(self):
        self._xvfb, display = _start_xvfb()
        self.env.update(_environment(self.work, display))
        self.env.pop("WAYLAND_DISPLAY", None)

    def _server(self):
        subprocess.run(["wineserver", "-p"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)

    def restart_server(self):
        """Ends every Wine process of the prefix and starts a fresh server (flushes user.reg)."""
        self._probe.stop()
        self.kill_programs()
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=60)
        self._server()
        self._start_desktop()

    def _start_desktop(self):
        # The desktop (explorer.exe, with the taskbar and the notification area) is started by
        # the first program that needs it, as that program's child. Started here, it belongs to
        # the harness: were a test's background program its parent, ending that program's
        # process group would end the desktop, and every program on it with it.
        self.run([self.exe("probe.exe"), "workarea", "-"], timeout=120)

    # Wine's own processes, which run in every session as a Windows session's services do, and
    # the desktop with its taskbar and notification area.
    SYSTEM = {"services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe", "rpcss.exe",
              "explorer.exe"}

    def end_programs(self):
        """Ends every program of the prefix, as after a logon, keeping the server, Wine's services
        and the desktop, whose taskbar and notification area let go of what the programs had
        there: a restart of the server takes two seconds, most of them the desktop's start. The
        probe that answers the harness stays too, and with it the desktop, which ends with its
        last program. Without a desktop afterwards, the server is started again."""
        self.kill_programs()
        marker = f"WINEPREFIX={self.prefix}".encode()
        ended, desktop = [], False
        for proc in pathlib.Path("/proc").iterdir():
            if not proc.name.isdigit():
                continue
            try:
                if marker not in (proc / "environ").read_bytes().split(b"\0"):
                    continue
                program = (proc / "cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
            except OSError:
                continue
            name = program.replace("\\", "/").rsplit("/", 1)[-1].lower()
            desktop |= name == "explorer.exe"
            if (name in self.SYSTEM or name.startswith("wineserver")
                    or int(proc.name) == self._probe.pid()):
                continue
            try:
                os.kill(int(proc.name), signal.SIGKILL)
                ended.append(proc)
            except ProcessLookupError:
                pass
        for proc in ended:
            helpers.wait_for(f"process {proc.name} outlived its kill", lambda: _gone(proc))
        if not desktop or self._probe.pid() is None:
            self.restart_server()

    def kill_programs(self):
        for p in self._procs:
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait(timeout=10)
        self._procs.clear()

    def shutdown(self):
        self._probe.stop()
        self.kill_programs()
        if "WINEPREFIX" in self.env:
            subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=60)
        if self._xvfb and self._xvfb.poll() is None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()

    # -- running things -------------------------------------------------------------------
    def exe(self, name):
        path = self.win64 / name
        if not path.exists():
            raise FileNotFoundError(f"{path} is not built (cmake --build --preset win64)")
        return path

    def run(self, args, timeout=60, check=False):
        """Runs `wine ARGS` to its end. Output goes through files, not pipes: Wine's helper
        processes (the desktop's explorer) inherit the handles and would hold a pipe open."""
        with tempfile.TemporaryFile("w+") as out, tempfile.TemporaryFile("w+") as err:
            p = subprocess.Popen(["wine", *map(str, args)], env=self.env, cwd=self.work,
                                 stdout=out, stderr=err, stdin=subprocess.DEVNULL)
            try:
                rc = p.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
                raise
            out.seek(0)
            err.seek(0)
            result = subprocess.CompletedProcess(p.args, rc, out.read(), err.read())
        if check:
            result.check_returncode()
        return result

    def start(self, args):
        p = subprocess.Popen(["wine", *map(str, args)], env=self.env, cwd=self.work,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
        self._procs.append(p)
        return p

    def pid_of(self, name, timeout=10):
        """The Linux process that runs `name` in this prefix (other Wine desktops may run the same
        program at the same time)."""
        prefix = f"WINEPREFIX={self.prefix}".encode()
        deadline = time.time() + timeout
        while True:
            for proc in pathlib.Path("/proc").iterdir():
                if not proc.name.isdigit():
                    continue
                try:
                    cmd = (proc / "cmdline").read_bytes().split(b"\0")
                    env = (proc / "environ").read_bytes().split(b"\0")
                except OSError:
                    continue
                if prefix in env and cmd and cmd[0].decode(errors="replace").endswith(name):
                    return int(proc.name)
            if time.time() >= deadline:
                raise RuntimeError(f"{name} is not running")
            time.sleep(0.2)

    # xdotool's commands that send keys.
    KEY_COMMANDS = {"key", "keydown", "keyup", "type"}

    def xdotool(self, *args):
        words = [str(a) for a in args]
        if self.KEY_COMMANDS & set(words):
            self._keys_to_the_window_in_front()
        subprocess.run(["xdotool", *words], env=self.env, check=True, timeout=60)

    def _keys_to_the_window_in_front(self):
        """X sends a key to the X window that has its focus, each of Wine's windows is one, and
        Wine gives the key to the program of that window. Wine moves the X focus to a window
        that is clicked, but not always to one that its program brings to the front itself (a
        menu of the notification area while another program's window was in front, a dialog
        that comes after another closed): the keys would go to the window that was in front
        before. A window manager would move it; on this bare X server the harness does, as a
        user's keys go to the window in front."""
        r = self.probe("xfocus", "-")
        if r.returncode == 0 and r.stdout.strip():
            subprocess.run(["xdotool", "windowfocus", "--sync", r.stdout.strip()], env=self.env,
                           check=False, timeout=60, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True,
                       timeout=60)

    def probe(self, *args, timeout=60):
        """probe.exe's answer (exit code and output) to `args`."""
        args = [str(a) for a in args]
        if any(c in a for a in args for c in "\t\n"):  # not a request of one line
            return self.run([self.exe("probe.exe"), *args], timeout=timeout)
        return self._probe.ask(args, timeout)

    # -- the registry ---------------------------------------------------------------------
    def _reg(self, *args, answered=lambda r: r.returncode == 0):
        """Asks the probe's registry verbs, asking again while it has not answered (a probe that
        could not start on a busy machine); asking twice is harmless."""
        for attempt in range(4):
            r = self.probe(*args)
            if answered(r):
                return r
            time.sleep(0.5)
        raise AssertionError(f"probe {' '.join(args)} failed: {r.stdout} {r.stderr}")

    def reg_values(self, key=SETTINGS_KEY):
        """Values of a key as {name: data}; {} when the key is absent. A query that fails for
        another reason is asked again, so that a failed query is never read as a key without
        values."""
        r = self._reg("regquery", key, "-", answered=lambda r: r.returncode in (0, 3))
        values = {}
        for line in r.stdout.split("\n"):
            parts = line.split("\t", 2)
            if len(parts) == 3:
                values[parts[0]] = parts[2]
        return values

    def reg_set(self, name, data, key=SETTINGS_KEY):
        """Writes a string value."""
        self._reg("regset", key, name, data)

    @contextlib.contextmanager
    def screen_dpi(self, dpi):
        """Programs started inside the block see a screen of `dpi` (the server is restarted, as the
        setting is read when it starts); afterwards the screen is back at 96."""
        desktop = r"HKCU\Control Panel\Desktop"
        self.restart_server()
        self.run(["reg", "add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi),
                  "/f"], check=True)
        try:
            yield
        finally:
            self.restart_server()
            self.run(["reg", "add", desktop, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "96",
                      "/f"])
            self.restart_server()

    @contextlib.contextmanager
    def keyboard_layout(self, layout):
        """The X server's keymap is `layout` ("de": QWERTZ, with its umlauts) inside the block,
        and "us" again afterwards. Wine takes its layout from the X keymap when a program starts
        (and a running one follows the change), as it takes a user's layout on a Linux desktop."""
        def use(name):
            subprocess.run(["setxkbmap", "-display", self.env["DISPLAY"], name], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        # Wine 8 matches the keymap's letters against its layouts one byte per keysym, so an
        # umlaut is only recognised under a locale of one byte per character (under UTF-8 the
        # keys of Ü, Ö, Ä and ß get no virtual key). scripts/setup makes this locale.
        ctype = self.env.get("LC_CTYPE")
        self.env["LC_CTYPE"] = "en_US.ISO-8859-1"
        use(layout)
        try:
            yield
        finally:
            use("us")
            if ctype is None:
                self.env.pop("LC_CTYPE", None)
            else:
                self.env["LC_CTYPE"] = ctype

    def reg_clear(self, key=r"HKCU\Software\Ombrelune"):
        self._reg("regdelete", key, "-")


@pytest.fixture(scope="session")
def wine():
    win64 = helpers.folder_from_environment("QUILLO_WIN64_DIR", "build/win64")
    work = helpers.folder_from_environment("QUILLO_E2E_WORK", "build/e2e")
    w = Wine(work, win64)
    try:
        w.boot()
        yield w
    finally:
        w.shutdown()


@pytest.fixture(scope="class")
def screen(request, wine):
    """The screen's DPI (`@pytest.mark.parametrize("screen", [...], indirect=True)`) for the tests
    of a class: pytest runs the tests of one DPI together, so that the class starts Wine's server
    again for 144 once, not once for each test."""
    dpi = getattr(request, "param", 96)
    if dpi == 96:
        yield dpi
        return
    with wine.screen_dpi(dpi):
        yield dpi
