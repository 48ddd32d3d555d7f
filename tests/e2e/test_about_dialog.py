"""The about dialog under Wine: how it looks, one at a time, the taskbar button it hides while it
is active, its links opened through the shell (a recorder registered as the protocols' handler
shows what the shell was asked to start), and its size at a higher DPI."""

import re
import time

import pytest

from test_counting import fresh, start_program
from test_main_window import pixel, share_of, shot

CMD_ABOUT = 109
TITLE = "Quillomat Info"
IDC_IMGLOGO, IDC_IMGICON, IDC_LBLNAME, IDC_LINK_MAIL, IDC_LINK_WEB, IDC_BTNOK = (
    301, 302, 303, 308, 310, 1)
BACKGROUND = (255, 245, 133)


def child(wine, control):
    r = wine.probe("child", TITLE, str(control))
    assert r.returncode == 0, f"no control {control} in the about dialog"
    values = dict(re.findall(r"(\w+)=(-?\d+)", r.stdout))
    return {k: int(v) for k, v in values.items()}


def open_about(wine):
    wine.probe("command", "TfrmMain", str(CMD_ABOUT))
    assert wine.probe("dialog", TITLE, "10000").returncode == 0, "the about dialog did not open"
    time.sleep(0.5)


@pytest.fixture
def shell_recorder(wine):
    """Registers probe.exe as what the shell starts for https: and mailto: addresses, recording
    each address in C:\\opened.txt; the prefix's own handlers come back afterwards."""
    probe = "Z:" + str(wine.exe("probe.exe")).replace("/", "\\")
    record = wine.prefix / "drive_c" / "opened.txt"
    record.unlink(missing_ok=True)
    saved = {}
    for protocol in ("https", "mailto"):
        key = rf"HKCR\{protocol}\shell\open\command"
        out = wine.run(["reg", "query", key, "/ve"]).stdout
        m = re.search(r"REG_\w+\s+(.*)", out)
        saved[key] = m.group(1).strip() if m else None
        wine.run(["reg", "add", key, "/ve", "/d", f'"{probe}" record C:\\opened.txt "%1"', "/f"],
                 check=True)
    yield record
    for key, value in saved.items():
        if value is not None:
            wine.run(["reg", "add", key, "/ve", "/d", value, "/f"])


def recorded(record, expected, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if record.exists() and expected in record.read_text().splitlines():
            return True
        time.sleep(0.2)
    return False


def taskbar_button(wine):
    """Whether the application's window, which carries the taskbar button, is shown."""
    r = wine.probe("window", "TApplication", "5000")
    assert r.returncode == 0, "no application window"
    return "visible=1" in r.stdout


def test_about_dialog_looks_right_opens_once_and_opens_its_links(wine, shell_recorder):
    fresh(wine)
    start_program(wine)
    assert taskbar_button(wine)
    open_about(wine)
    assert not taskbar_button(wine)  # hidden while the dialog is active
    logo, icon, ok = child(wine, IDC_IMGLOGO), child(wine, IDC_IMGICON), child(wine, IDC_BTNOK)
    assert (logo["w"], logo["h"], icon["w"], icon["h"], ok["w"], ok["h"]) == (
        201, 200, 32, 32, 75, 25)
    assert icon["x"] > logo["x"] + logo["w"]

    path = shot(wine, "about_dialog")
    # The yellow background between the logo and the texts; the logo's blue tile and lime
    # digits; the icon; the name in dark letters.
    assert pixel(path, logo["x"] + logo["w"] + 3, logo["y"] + 100) == BACKGROUND
    box = (logo["x"], logo["y"], logo["w"], logo["h"])
    assert share_of(path, box, "#FFF585") > 0.3
    assert share_of(path, box, "lime") > 0.005
    assert share_of(path, (icon["x"], icon["y"], icon["w"], icon["h"]), "#FFF585") < 0.6
    name = child(wine, IDC_LBLNAME)
    assert child(wine, IDC_LBLNAME)["visible"] == 1
    assert share_of(path, (name["x"], name["y"], name["w"], name["h"]), "black") > 0.05

    # Asking again brings the open dialog forward instead of opening another.
    wine.probe("command", "TfrmMain", str(CMD_ABOUT))
    time.sleep(1.0)
    assert wine.probe("count", "-", TITLE).stdout.strip() == "1"

    # Under the pointer the web link turns red and its hint shows the address it opens.
    web = child(wine, IDC_LINK_WEB)
    wine.xdotool("mousemove", web["x"] + 12, web["y"] + web["h"] // 2)
    tip = wine.probe("tooltip", "https://", "8000")
    assert tip.stdout.strip() == "https://www.ombrelune.example/"
    path = shot(wine, "about_dialog_web_link_hot")
    assert share_of(path, (web["x"], web["y"], web["w"], web["h"]), "red") > 0.03
    wine.xdotool("click", 1)
    assert recorded(shell_recorder, "https://www.ombrelune.example/"), \
        "the shell did not start the web link's handler"

    mail = child(wine, IDC_LINK_MAIL)
    wine.xdotool("mousemove", mail["x"] + 12, mail["y"] + mail["h"] // 2)
    time.sleep(0.3)
    wine.xdotool("click", 1)
    assert recorded(shell_recorder, "mailto:support@ombrelune.example"), \
        "the shell did not start the mail link's handler"

    # The dialog stayed open through both; OK closes it.
    assert wine.probe("count", "-", TITLE).stdout.strip() == "1"
    wine.xdotool("mousemove", ok["x"] + ok["w"] // 2, ok["y"] + ok["h"] // 2)
    wine.xdotool("click", 1)
    time.sleep(0.8)
    assert wine.probe("count", "-", TITLE).stdout.strip() == "0"
    assert taskbar_button(wine)  # and back once it is closed


def test_about_dialog_scales_with_the_screen_dpi(wine):
    with wine.screen_dpi(144):
        fresh(wine)
        start_program(wine)
        open_about(wine)
        logo, icon, ok = child(wine, IDC_IMGLOGO), child(wine, IDC_IMGICON), child(wine, IDC_BTNOK)
        assert (logo["w"], logo["h"], icon["w"], icon["h"]) == (302, 300, 48, 48)
        assert (ok["w"], ok["h"]) == (113, 38)
        path = shot(wine, "about_dialog_144dpi")
        assert pixel(path, logo["x"] + logo["w"] + 4, logo["y"] + 150) == BACKGROUND
        assert share_of(path, (logo["x"], logo["y"], logo["w"], logo["h"]), "lime") > 0.005
        wine.xdotool("key", "Escape")
        time.sleep(0.8)
        assert wine.probe("count", "-", TITLE).stdout.strip() == "0"
