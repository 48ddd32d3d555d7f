"""Harness of the online tests, which run inside the namespace that ./run makes: the Wine prefix
of the end-to-end harness (tests/e2e/conftest.py), trusting a test CA made for it, and the two
loopback servers under the program's fixed host names."""

import importlib.util
import os
import pathlib
import re
import subprocess
import sys

import pytest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from servers import TestServer, make_certificates, reply  # noqa: E402


def _load(name, path):
    found = importlib.util.spec_from_file_location(name, path)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


# The Wine harness and its session fixture, under a name of their own.
e2e_harness = _load("e2e_harness", HERE.parent / "e2e" / "conftest.py")
wine = e2e_harness.wine

MAIN = "TfrmMain"
VERSION = e2e_harness.helpers.project_version()
APP_TITLE = "Quillomat 14.0"
CMD_CHECK_UPDATE, CMD_SEND_NOW, CMD_EXIT = 107, 112, 102

# The update check's dialog and its one warning.
TITLE = "Check For Quillomat Update"
WARNING = "Cannot connect to the internet.  Please check your connection."
IDS = {"lblCurrent": 1001, "lblLatestVersion": 1002, "lblVersion": 1003, "lblText": 1004,
       "lblnewfeatures": 1005, "lblFeatures": 1006, "lnkDownload": 1007, "btnOK": 1}


def version_file(*versions, features=("Faster panel", None, "Czech help", "Smaller memory")):
    lines = ["<html><head>"]
    lines += [f'<meta name="xVersion" CONTENT="{v}">' for v in versions]
    lines += [f'<meta name="whatsnew{n}" content="{f}">'
              for n, f in enumerate(features, 1) if f is not None]
    lines += ["</head></html>"]
    return "\r\n".join(lines).encode("cp1252")


def dialog(online, timeout_ms=20000):
    """The update dialog once it is up: its state and its controls by name."""
    r = online.online_probe("controls", TITLE, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
    assert r.returncode == 0, "no update dialog"
    lines = r.stdout.replace("\r", "").splitlines()
    head = {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", lines[0])}
    controls = {}
    for line in lines[1:]:
        fields = dict(re.findall(r"(\w+)=(\S*)", line.split(" text=")[0]))
        fields["text"] = line.split(" text=", 1)[1] if " text=" in line else ""
        controls[int(fields["id"])] = fields
    return head, {name: controls[i] for name, i in IDS.items()}


def close_dialog(online):
    assert online.wine.probe("dialog", TITLE, "2000", "1").returncode == 0
    assert online.wine.probe("gone", "#32770", "30000").returncode == 0


class Online:
    """The prefix, the servers and the running program of the online tests."""

    def __init__(self, wine, stats, site):
        self.wine, self.stats, self.site = wine, stats, site
        self.program = None
        self.debug_file = wine.work / "quillomat-debug.txt"

    def online_probe(self, *args, timeout=60):
        return self.wine.run([self.wine.exe("online_probe.exe"), *args], timeout=timeout)

    def start(self, **stored):
        """A fresh registry with `stored` values, then Quillomat; its debug lines go to a file."""
        self.stop()
        self.wine.end_programs()
        self.wine.reg_clear()
        for name, data in stored.items():
            self.wine.reg_set(name, data)
        env = dict(self.wine.env, WINEDEBUG="-all,warn+seh")
        self.debug_out = open(self.debug_file, "w")
        self.program = subprocess.Popen(
            ["wine", str(self.wine.exe("Quillomat.exe"))], env=env, cwd=self.wine.work,
            stdout=subprocess.DEVNULL, stderr=self.debug_out, start_new_session=True)
        self.wine._procs.append(self.program)
        r = self.wine.probe("window", MAIN, "20000")
        assert r.returncode == 0, "the main window did not appear"
        return self.program

    def stop(self):
        if self.program and self.program.poll() is None:
            self.wine.kill_programs()
        self.program = None

    def debug_lines(self):
        """The program's debug text as far as it has come (each line of Writelog)."""
        text = self.debug_file.read_text(errors="replace")
        return re.findall(r'OutputDebugString[AW] "(.*?)(?:\\n)?"', text)

    def command(self, cmd):
        assert self.wine.probe("command", MAIN, str(cmd)).returncode == 0

    def message_box(self, timeout_ms, press=None):
        """The text of the program's message box (None when none comes), pressing a button."""
        args = ["dialog", APP_TITLE, str(timeout_ms)] + ([str(press)] if press else [])
        r = self.wine.probe(*args, timeout=timeout_ms / 1000 + 30)
        return r.stdout.rstrip("\r\n") if r.returncode == 0 else None

    def shot(self, name):
        folder = self.wine.work / "screenshots"
        folder.mkdir(exist_ok=True)
        path = folder / f"{name}.png"
        self.wine.screenshot(path)
        return path


@pytest.fixture(scope="session")
def online(wine):
    if not os.environ.get("QUILLO_NETNS"):
        pytest.skip("the online tests need their namespace: run tests/e2e_online/run")
    ca_der, cert, key = make_certificates(wine.work / "tls")
    r = wine.run([wine.exe("online_probe.exe"), "trust-ca", ca_der])
    assert r.returncode == 0, f"the test CA could not be trusted: {r.stdout} {r.stderr}"
    stats = TestServer(443, cert, key)
    site = TestServer(80)
    stats.start()
    site.start()
    o = Online(wine, stats, site)
    try:
        yield o
    finally:
        o.stop()
        stats.stop()
        site.stop()


@pytest.fixture
def stats(online):
    online.stats.reset(reply(201, "Created", b"thanks"))
    return online.stats


@pytest.fixture
def site(online):
    online.site.reset(reply(404, "Not Found", b"<html>404</html>"))
    online.site.stop()
    online.site.start()
    return online.site
