"""End-to-end harness: a fresh Wine prefix (HOME and Documents inside the build tree), an Xvfb
display with the Wine virtual desktop as default, real input through xdotool, the registry read
back with `wine reg`, screenshots with ImageMagick. Everything started here is ended here."""

import contextlib
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


class Wine:
    def __init__(self, work: pathlib.Path, win64: pathlib.Path):
        self.work = work
        self.win64 = win64
        self.home = work / "home"
        self.prefix = work / "prefix"
        self._procs = []
        self._xvfb = None
        self.env = dict(os.environ)

    # -- set-up and tear-down -------------------------------------------------------------
    def boot(self):
        if self.work.exists():
            shutil.rmtree(self.work, ignore_errors=True)
        (self.home / "Documents").mkdir(parents=True)
        self._xvfb, display = _start_xvfb()
        self.env.update({
            "DISPLAY": f":{display}",
            "HOME": str(self.home),
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            "WINEARCH": "win64",
            # Without Mono and Gecko; and without winemenubuilder, which Wine starts whenever a
            # shortcut is saved (the setup's Start-menu entry) to make a Linux menu entry: it
            # runs on in the install folder, reading the program's icon, and on a busy machine
            # an uninstall that came meanwhile could not remove the folder.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "XDG_CONFIG_HOME": str(self.home / ".config"),
            "XDG_DATA_HOME": str(self.home / ".local/share"),
            "XDG_CACHE_HOME": str(self.home / ".cache"),
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        self._server()
        self.run(["wineboot", "-i"], timeout=180)
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer", "/v", "Desktop", "/d", "Default",
                  "/f"])
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops", "/v", "Default", "/d",
                  "1920x1080", "/f"])
        # The desktop's shell: a taskbar with the programs' buttons and the notification area,
        # as on Windows.
        self.run(["reg", "add", r"HKCU\Software\Wine\Explorer\Desktops\Default", "/v",
                  "EnableShell", "/t", "REG_DWORD", "/d", "1", "/f"])
        # Wine's own stand-ins for the Windows system fonts (Marlett, MS Sans Serif), which a
        # Windows installation always has; Debian's prefix does not link them in.
        fonts = self.prefix / "drive_c/windows/Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for f in pathlib.Path("/usr/share/wine/fonts").glob("*"):
            if not (fonts / f.name).exists():
                shutil.copy(f, fonts / f.name)
        self.restart_server()

    def _server(self):
        subprocess.run(["wineserver", "-p"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)

    def restart_server(self):
        """Ends every Wine process of the prefix and starts a fresh server (flushes user.reg)."""
        self.kill_programs()
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=False, timeout=60)
        self._server()
        # The desktop (explorer.exe, with the taskbar and the notification area) is started by
        # the first program that needs it, as that program's child. Started here, it belongs to
        # the harness: were a test's background program its parent, ending that program's
        # process group would end the desktop, and every program on it with it.
        self.run([self.exe("probe.exe"), "workarea", "-"], timeout=120)

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

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, timeout=60)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True,
                       timeout=60)

    def probe(self, *args, timeout=60):
        return self.run([self.exe("probe.exe"), *args], timeout=timeout)

    # -- the registry ---------------------------------------------------------------------
    def _reg(self, *args, answered=lambda r: r.returncode == 0):
        """Runs `reg`, asking again while it has not answered: a busy machine can fail to start a
        Wine process (exit code 1 and no output), and asking `reg` twice is harmless."""
        for attempt in range(4):
            r = self.run(["reg", *args])
            if answered(r):
                return r
            time.sleep(0.5)
        raise AssertionError(f"reg {' '.join(args)} failed: {r.stdout} {r.stderr}")

    def reg_values(self, key=SETTINGS_KEY):
        """Values of a key as {name: data}; {} when the key is absent. A query that fails for
        another reason is asked again, so that a failed query is never read as a key without
        values."""
        r = self._reg("query", key, answered=lambda r: r.returncode == 0
                      or "Unable to find" in r.stdout + r.stderr)
        values = {}
        for line in r.stdout.replace("\r", "").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = parts[2] if len(parts) > 2 else ""
        return values

    def reg_set(self, name, data, key=SETTINGS_KEY):
        """Writes a string value."""
        self._reg("add", key, "/v", name, "/d", data, "/f")

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
        self.run(["reg", "delete", key, "/f"])


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
