"""The update check under Wine against a real web server on loopback: the request, the dialog
for each verdict (with screenshots), its short form, DPI scaling, and the one warning for every
failure."""

import pytest

from conftest import (CMD_CHECK_UPDATE, TITLE, VERSION, WARNING, close_dialog, dialog,
                      version_file)
from servers import CLOSE_MID_REPLY, huge, reply

FRAME_96 = 25  # the dialog's caption and borders at 96 DPI (Wine's default theme)


VERDICTS = [
    # name, versions in the file, verdict, full form
    ("major", ["15.0"], "Major upgrade found", True),
    ("minor_second_of_two_lines", ["15.0", "14.2"], "Minor upgrade found", True),
    ("already_latest", [VERSION], "You are already using the latest version.", False),
    ("no_dot_15", ["15"], "You are already using the latest version.", False),
    ("letter_14_x", ["14.x"], "You are already using the latest version.", False),
    ("blank_before_15", [" 15.0"], "You are already using the latest version.", False),
]


@pytest.fixture(scope="module")
def running(online):
    online.start()
    return online


@pytest.mark.parametrize("name,versions,verdict,full", VERDICTS, ids=[v[0] for v in VERDICTS])
def test_dialog_for_each_verdict(running, site, name, versions, verdict, full):
    site.reset(reply(200, "OK", version_file(*versions)))
    running.command(CMD_CHECK_UPDATE)
    head, c = dialog(running)
    req = site.requests
    assert [(r["method"], r["path"], r["version"]) for r in req] == [
        ("GET", "/version/quillomat.txt", "HTTP/1.1")]
    # Exactly the request the program has always made: the agent, no cache headers, no cookie.
    assert req[0]["headers"] == [("Accept", "*/*"), ("Host", "www.ombrelune.example"),
                                 ("User-Agent", "Quillomat")]
    assert req[0]["body"] == b""
    assert c["lblCurrent"]["text"] == f"You are currently using version {VERSION}"
    assert c["lblLatestVersion"]["text"] == "Latest version found online :"
    assert c["lblVersion"]["text"] == versions[-1]
    assert c["lblText"]["text"] == verdict
    # The feature lines are filled in every case; the missing second one is an empty line.
    assert c["lblFeatures"]["text"] == r"Faster panel\r\n\r\nCzech help\r\nSmaller memory\r\n"
    shown = {n: c[n]["visible"] == "1" for n in ["lnkDownload", "lblnewfeatures", "lblFeatures"]}
    assert shown == {n: full for n in shown}
    assert c["lnkDownload"]["text"] == "Download new Version"
    # Design positions at 96 DPI; the short form is 180 pixels high, OK stays at the bottom right.
    assert (int(c["lblCurrent"]["x"]), int(c["lblCurrent"]["y"])) == (24, 16)
    assert (int(c["lblVersion"]["x"]), int(c["lblVersion"]["y"])) == (194, 40)
    assert (int(c["lnkDownload"]["x"]), int(c["lnkDownload"]["y"])) == (26, 157)
    assert head["cw"] == 473
    # The frame (caption and borders) is the same in both forms; the full form has the
    # designed client area, the short one is 180 pixels high as a whole.
    assert head["h"] - head["ch"] == FRAME_96
    assert head["h"] == (337 + FRAME_96 if full else 180)
    if full:
        assert head["ch"] == 337
    ok = c["btnOK"]
    assert (head["cw"] - int(ok["x"]), head["ch"] - int(ok["y"])) == (473 - 388, 337 - 300)
    if name in ("major", "minor_second_of_two_lines", "already_latest"):
        running.shot(f"update_{name}")
    if name == "major":
        # While the dialog is open a second check does not start. Asked once more after the
        # dialog has closed, the check's one lane carries that request after any that the
        # second asking had started: once its dialog is up, a late request would be in.
        running.command(CMD_CHECK_UPDATE)
        close_dialog(running)
        running.command(CMD_CHECK_UPDATE)
        assert dialog(running)[1]["lblText"]["text"] == verdict
        assert len(site.requests) == 2
    close_dialog(running)


def test_a_cookie_the_site_sets_is_not_sent_back(running, site):
    """The check tells the site nothing about the user: a cookie its reply sets is neither kept
    nor sent with the next check."""
    site.reset(reply(200, "OK", version_file("15.0"),
                     [("Set-Cookie", "visitor=abc123; Path=/; Max-Age=3600")]))
    for _ in range(2):
        running.command(CMD_CHECK_UPDATE)
        dialog(running)
        close_dialog(running)
    assert len(site.requests) == 2
    assert [name for name, _ in site.requests[1]["headers"]] == ["Accept", "Host", "User-Agent"]


FAILURES = [
    ("no_xversion", reply(200, "OK", b"<html><body>Nothing here</body></html>")),
    ("not_found_page", reply(404, "Not Found", b"<html>404 Not Found</html>")),
    ("huge_file", huge(200, "OK")),
    ("cut_off", CLOSE_MID_REPLY),
    ("unreachable", None),
]


@pytest.mark.parametrize("name,behaviour", FAILURES, ids=[f[0] for f in FAILURES])
def test_every_failure_shows_the_one_warning(running, site, name, behaviour):
    if behaviour is None:
        site.stop()
    else:
        site.reset(behaviour)
    try:
        running.command(CMD_CHECK_UPDATE)
        assert running.message_box(40000, press=1) == WARNING
        assert running.online_probe("controls", TITLE, "0").returncode != 0
    finally:
        if behaviour is None:
            site.start()


def test_dialog_scales_with_the_dpi(online, site):
    wine = online.wine
    online.stop()
    with wine.screen_dpi(144):
        try:
            for versions, full in [(["15.0"], True), ([VERSION], False)]:
                site.reset(reply(200, "OK", version_file(*versions)))
                online.start()
                online.command(CMD_CHECK_UPDATE)
                head, c = dialog(online)
                assert head["dpi"] == 144
                assert head["cw"] == 710  # 473 at 150 %
                assert (int(c["lblVersion"]["x"]), int(c["lblVersion"]["y"])) == (291, 60)
                if full:
                    assert head["ch"] == 506
                    online.shot("update_major_144dpi")
                else:
                    assert head["h"] == 270
                close_dialog(online)
        finally:
            online.stop()
