"""The about dialog under Wine: how it looks, one at a time, the taskbar button it hides while it
is active, its links opened through the shell (a recorder registered as the protocols' handler
shows what the shell was asked to start), its size at a higher DPI, and its lines one below the
other, none cut, at Windows' larger text sizes."""

import math
import re
import subprocess

import pytest

from helpers import (fresh, pixel, send_command, share_of, shot_showing, start_program, wait_for,
                     windows_open)

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
    assert wine.probe("dialog", TITLE, "30000").returncode == 0, "the about dialog did not open"


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


def recorded(record, expected):
    wait_for(f"the shell did not start the handler of {expected}",
             lambda: record.exists() and expected in record.read_text().splitlines())
    return True


def about_open(wine):
    return windows_open(wine, TITLE)


def taskbar_button(wine):
    """Whether the application's window, which carries the taskbar button, is shown."""
    r = wine.probe("window", "TApplication", "30000")
    assert r.returncode == 0, "no application window"
    return "visible=1" in r.stdout


def test_about_dialog_looks_right_opens_once_and_opens_its_links(wine, shell_recorder):
    fresh(wine)
    start_program(wine)
    assert taskbar_button(wine)
    open_about(wine)
    wait_for("the taskbar button stayed while the dialog is active",
             lambda: not taskbar_button(wine))
    logo, icon, ok = child(wine, IDC_IMGLOGO), child(wine, IDC_IMGICON), child(wine, IDC_BTNOK)
    assert (logo["w"], logo["h"], icon["w"], icon["h"], ok["w"], ok["h"]) == (
        201, 200, 32, 32, 75, 25)
    assert icon["x"] > logo["x"] + logo["w"]

    name = child(wine, IDC_LBLNAME)
    assert name["visible"] == 1
    box = (logo["x"], logo["y"], logo["w"], logo["h"])

    def problems(path):
        # The yellow background between the logo and the texts; the logo's blue tile and lime
        # digits; the icon; the name in dark letters.
        found = {
            "background": pixel(path, logo["x"] + logo["w"] + 3, logo["y"] + 100) == BACKGROUND,
            "logo's yellow": share_of(path, box, "#FFF585") > 0.3,
            "logo's lime": share_of(path, box, "lime") > 0.005,
            "icon": share_of(path, (icon["x"], icon["y"], icon["w"], icon["h"]),
                             "#FFF585") < 0.6,
            "name": share_of(path, (name["x"], name["y"], name["w"], name["h"]), "black") > 0.05}
        return [k for k, ok in found.items() if not ok]

    shot_showing(wine, "about_dialog", problems)

    # Asking again brings the open dialog forward instead of opening another (sent: handled
    # when the call returns; a second modal dialog would hold it).
    send_command(wine, CMD_ABOUT)
    assert about_open(wine) == 1

    # Under the pointer the web link turns red and its hint shows the address it opens.
    web = child(wine, IDC_LINK_WEB)
    wine.xdotool("mousemove", web["x"] + 12, web["y"] + web["h"] // 2)
    tip = wine.probe("tooltip", "https://", "8000")
    assert tip.stdout.strip() == "https://www.ombrelune.example/"
    shot_showing(wine, "about_dialog_web_link_hot", lambda path: [] if share_of(
        path, (web["x"], web["y"], web["w"], web["h"]), "red") > 0.03 else ["the link is not red"])
    wine.xdotool("click", 1)
    assert recorded(shell_recorder, "https://www.ombrelune.example/"), \
        "the shell did not start the web link's handler"

    mail = child(wine, IDC_LINK_MAIL)
    wine.xdotool("mousemove", mail["x"] + 12, mail["y"] + mail["h"] // 2)
    wine.xdotool("click", 1)
    assert recorded(shell_recorder, "mailto:support@ombrelune.example"), \
        "the shell did not start the mail link's handler"

    # The dialog stayed open through both; OK closes it.
    assert about_open(wine) == 1
    wine.xdotool("mousemove", ok["x"] + ok["w"] // 2, ok["y"] + ok["h"] // 2)
    wine.xdotool("click", 1)
    wait_for("OK did not close the dialog", lambda: about_open(wine) == 0)
    wait_for("the taskbar button did not come back", lambda: taskbar_button(wine))


# -- Windows' text size ------------------------------------------------------------------------
# "Make text bigger" (125 %, 150 %) gives the system's icon-title font a larger height: the
# LOGFONTW stored as IconFont under WindowMetrics, which Wine reads as Windows does. The about
# dialog's form-font lines (the notice, the support and web lines' labels, OK) grow with it.
WINDOW_METRICS = r"HKCU\Control Panel\Desktop\WindowMetrics"
IDC_LBLCOPYRIGHT, IDC_LBLFREEWARE, IDC_LBLSUPPORT, IDC_LBLMAILTO, IDC_LBLSURFTO = (
    304, 305, 306, 307, 309)
FORM_FONT_TEXTS = (IDC_LBLCOPYRIGHT, IDC_LBLSUPPORT, IDC_LBLMAILTO, IDC_LBLSURFTO)
CENTRED_TEXTS = (IDC_LBLNAME, IDC_LBLCOPYRIGHT, IDC_LBLFREEWARE)
LEFT_TEXTS = (IDC_LBLSUPPORT, IDC_LBLMAILTO, IDC_LINK_MAIL, IDC_LBLSURFTO, IDC_LINK_WEB)
# Top to bottom: icon, name, notice, "freeware", the support line, the web line, OK.
LINES = (IDC_IMGICON, IDC_LBLNAME, IDC_LBLCOPYRIGHT, IDC_LBLFREEWARE, IDC_LBLSUPPORT,
         IDC_LBLSURFTO, IDC_BTNOK)


def icon_font(wine):
    out = wine.run(["reg", "query", WINDOW_METRICS, "/v", "IconFont"]).stdout
    m = re.search(r"IconFont\s+REG_BINARY\s+([0-9A-Fa-f]+)", out)
    assert m, out
    return bytes.fromhex(m.group(1))


def set_icon_font(wine, logfont):
    wine.run(["reg", "add", WINDOW_METRICS, "/v", "IconFont", "/t", "REG_BINARY", "/d",
              logfont.hex(), "/f"], check=True)


def scaled_logfont(logfont, scale):
    """The same LOGFONTW with its height (the first LONG) scaled, as a larger text size gives."""
    height = int.from_bytes(logfont[:4], "little", signed=True)
    larger = -math.ceil(-height * scale) if height < 0 else math.ceil(height * scale)
    return larger.to_bytes(4, "little", signed=True) + logfont[4:]


def controls(wine):
    """{id: rectangle and text extent in the icon-title font} of the dialog, in client
    coordinates, and the client area's size. A probe of its own, started now: a program reads
    the icon-title font when it starts, and the harness's probe started before the test set it."""
    r = wine.run([wine.exe("probe.exe"), "texts", TITLE])
    assert r.returncode == 0, r.stdout + r.stderr
    lines = r.stdout.splitlines()
    client = {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", lines[0])}
    found = {}
    for line in lines[1:]:
        values = {k: int(v) for k, v in re.findall(r"\b(id|x|y|w|h|tw|th)=(-?\d+)", line)}
        found[values["id"]] = values
    return client, found


def ink_box(path, box):
    """The bounding box (x, y, w, h, relative to `box`) of the pixels of `box` (x, y, w, h of the
    screenshot) that are not the dialog's background, or None when there are none."""
    x, y, w, h = box
    pgm = subprocess.run(["convert", str(path), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fuzz",
                          "12%", "-fill", "white", "-opaque", "#FFF585", "-fill", "black",
                          "+opaque", "white", "-depth", "8", "pgm:-"],
                         capture_output=True, check=True).stdout
    parts = pgm.split(maxsplit=4)
    width, height, pixels = int(parts[1]), int(parts[2]), parts[4][-w * h:]
    ink = [(i % width, i // width) for i, v in enumerate(pixels) if v < 128]
    if not ink:
        return None
    xs, ys = [p[0] for p in ink], [p[1] for p in ink]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def overlaps(a, b):
    return (a["x"] < b["x"] + b["w"] and b["x"] < a["x"] + a["w"] and
            a["y"] < b["y"] + b["h"] and b["y"] < a["y"] + a["h"])


class TestAtEachDpi:
    """The dialog at 96 and at 144 DPI, each in one start of Wine's server."""

    @pytest.mark.parametrize("text_size", [100, 125, 150])
    @pytest.mark.parametrize("screen", [96, 144], indirect=True)
    def test_about_dialog_lines_never_overlap_nor_cut_their_text_at_larger_text_sizes(
            self, wine, screen, text_size):
        lines_never_overlap_nor_cut_their_text(wine, screen, text_size)

    @pytest.mark.parametrize("screen", [144], indirect=True)
    def test_about_dialog_scales_with_the_screen_dpi(self, wine, screen):
        fresh(wine)
        start_program(wine)
        open_about(wine)
        logo, icon, ok = child(wine, IDC_IMGLOGO), child(wine, IDC_IMGICON), child(wine, IDC_BTNOK)
        assert (logo["w"], logo["h"], icon["w"], icon["h"]) == (302, 300, 48, 48)
        assert (ok["w"], ok["h"]) == (113, 38)
        shot_showing(wine, "about_dialog_144dpi", lambda path: [k for k, ok in {
            "background": pixel(path, logo["x"] + logo["w"] + 4, logo["y"] + 150) == BACKGROUND,
            "logo's lime": share_of(path, (logo["x"], logo["y"], logo["w"], logo["h"]),
                                    "lime") > 0.005}.items() if not ok])
        wine.xdotool("key", "Escape")
        wait_for("Escape did not close the dialog", lambda: about_open(wine) == 0)


def lines_never_overlap_nor_cut_their_text(wine, dpi, text_size):
    normal = icon_font(wine)
    try:
        fresh(wine)
        set_icon_font(wine, scaled_logfont(normal, text_size / 100))
        start_program(wine)
        open_about(wine)
        wine.xdotool("mousemove", 5, 5)  # no link under the pointer
        client, found = controls(wine)
        logo_on_screen = child(wine, IDC_IMGLOGO)
        dx = logo_on_screen["x"] - found[IDC_IMGLOGO]["x"]
        dy = logo_on_screen["y"] - found[IDC_IMGLOGO]["y"]
        path = shot_showing(wine, f"about_dialog_{dpi}dpi_text{text_size}", lambda path: [
            control for control in CENTRED_TEXTS + LEFT_TEXTS if control in found and not
            ink_box(path, (found[control]["x"] + dx, found[control]["y"] + dy,
                           found[control]["w"], found[control]["h"]))])
        wine.xdotool("key", "Escape")
    finally:
        set_icon_font(wine, normal)
    assert client["dpi"] == dpi
    normal_height = -int.from_bytes(normal[:4], "little", signed=True)
    # The probe reads the font the system now gives: larger with the text size (and the DPI).
    assert -client["iconfont"] >= math.ceil(normal_height * text_size / 100) * dpi // 96 - 1

    # Every control inside the dialog, and no two of them on top of each other.
    assert set(found) >= {IDC_IMGLOGO, IDC_IMGICON, IDC_LBLNAME, IDC_LBLCOPYRIGHT,
                          IDC_LBLFREEWARE, IDC_LBLSUPPORT, IDC_LBLMAILTO, IDC_LINK_MAIL,
                          IDC_LBLSURFTO, IDC_LINK_WEB, IDC_BTNOK}
    for c in found.values():
        assert 0 <= c["x"] and c["x"] + c["w"] <= client["w"], c
        assert 0 <= c["y"] and c["y"] + c["h"] <= client["h"], c
    ids = sorted(found)
    for i, a in enumerate(ids):
        for b in ids[i + 1:]:
            assert not overlaps(found[a], found[b]), (found[a], found[b])
    for above, below in zip(LINES, LINES[1:]):
        assert found[below]["y"] >= found[above]["y"] + found[above]["h"], (above, below)

    # The texts in the font that follows the text size fit their rectangles...
    for control in FORM_FONT_TEXTS:
        c = found[control]
        assert c["tw"] <= c["w"] and c["th"] <= c["h"], c
    ok = found[IDC_BTNOK]
    assert ok["tw"] < ok["w"] and ok["th"] < ok["h"], ok
    # ... and on the screen each text is there, not cut at the side: its ink keeps off the right
    # edge of its rectangle (and off the left for the centred lines), and the notice line is one
    # whole line, about as wide as its text (a wrapped line shows less).
    for control in CENTRED_TEXTS + LEFT_TEXTS:
        c = found[control]
        ink = ink_box(path, (c["x"] + dx, c["y"] + dy, c["w"], c["h"]))
        assert ink, f"no text drawn in control {control}"
        ix, iy, iw, ih = ink
        assert ix + iw < c["w"], (control, ink, c)
        if control in CENTRED_TEXTS:
            assert ix > 0, (control, ink, c)
    notice = found[IDC_LBLCOPYRIGHT]
    ink = ink_box(path, (notice["x"] + dx, notice["y"] + dy, notice["w"], notice["h"]))
    assert ink[2] >= 0.9 * notice["tw"], (ink, notice)  # its last word alone is a fifth
