"""Statistics submission under Wine against a real HTTPS server on loopback: the bytes and
headers posted, success and refusal, and a silent server that never stalls the program."""

import datetime
import re
import subprocess
import time

import pytest

from conftest import CMD_EXIT, CMD_SEND_NOW, MAIN, VERSION
from helpers import APART_S, SETTINGS_KEY, send_command, wait_for, wait_saved
from servers import (CLOSE_MID_REPLY, SILENCE_LIMIT_S, SILENT, TestServer, huge,
                     make_untrusted_certificates, reply)

RESET_5_JAN_2024 = str((datetime.date(2024, 1, 5) - datetime.date(1899, 12, 30)).days) + ".75"
MAC = re.compile(r"^[0-9A-F]{12}$")


def form(body: bytes):
    """The posted body as (key, value) pairs, in order."""
    return [tuple(p.split("=", 1)) for p in body.decode("ascii").split("&")]


def header(request, name):
    values = [v for k, v in request["headers"] if k.lower() == name.lower()]
    return values[0] if values else None


def test_posts_the_exact_body_and_headers_and_sends_no_cookie_back(online, stats):
    stats.reset(reply(201, "Created", b"thanks",
                      [("Set-Cookie", "session=abc123; Path=/; Max-Age=3600")]))
    online.start(Autosend="-1", Alias="my pc", Comment="a+b", Resetdate=RESET_5_JAN_2024)
    first = stats.wait_requests(1, 20)
    assert len(first) == 1, "no submission at start-up"
    r = first[0]
    assert (r["method"], r["path"]) == ("POST", "/mouse.php")
    assert header(r, "Host") == "stats.quillomat.example"
    assert header(r, "User-Agent") == f"Quillomat/{VERSION}"
    assert header(r, "Content-Type") == "application/x-www-form-urlencoded; charset=UTF-8"
    assert header(r, "Cookie") is None
    pairs = form(r["body"])
    assert [k for k, _ in pairs] == ["dist", "lb", "rb", "dc", "ks", "mb", "scr", "reset", "m2",
                                     "m3", "al", "mac", "cmt", "ver"]
    mac = dict(pairs)["mac"]
    assert MAC.match(mac)
    assert r["body"] == (b"dist=0&lb=0&rb=0&dc=0&ks=0&mb=0&scr=0&reset=20240105&m2=0&m3=0"
                         b"&al=my+pc&mac=" + mac.encode() + b"&cmt=a%2Bb&ver=" + VERSION.encode())

    # "Send Now !", once the first post's answer is in: the cookie the server set is not sent
    # back.
    wait_for("the first post's answer", lambda: "Data Submitted online" in online.debug_lines())
    online.command(CMD_SEND_NOW)
    second = stats.wait_requests(2, 20)
    assert len(second) == 2
    assert header(second[1], "Cookie") is None
    deadline = time.monotonic() + 10
    while online.debug_lines().count("Data Submitted online") < 2 and time.monotonic() < deadline:
        time.sleep(0.2)
    assert online.debug_lines().count("Data Submitted online") == 2
    assert online.message_box(500) is None


def test_totals_and_identity_as_stored(online, stats):
    online.start(LeftClicks="12", RightClicks="34", DblClicks="5", KeyStrokes="6789",
                 MidClicks="7", Mousewheel="8", XClicks1="9", XClicks2="10", Distance="1234.5",
                 Alias="Zo\u00eb & co=1", Comment="\u00e9t\u00e9 100%")
    online.command(CMD_SEND_NOW)
    r = stats.wait_requests(1, 20)[0]
    values = dict(form(r["body"]))
    assert {k: values[k] for k in ["dist", "lb", "rb", "dc", "ks", "mb", "scr", "m2", "m3"]} == {
        "dist": "1234", "lb": "12", "rb": "34", "dc": "5", "ks": "6789", "mb": "7", "scr": "8",
        "m2": "9", "m3": "10"}
    assert values["reset"] == datetime.date.today().strftime("%Y%m%d")
    assert values["al"] == "Zo%C3%AB+%26+co%3D1"
    assert values["cmt"] == "%C3%A9t%C3%A9+100%25"


def test_statuses_200_and_299_succeed_and_refusals_show_the_http_message(online, stats):
    online.start()
    submitted = 0
    for status, reason in [(200, "OK"), (299, "Fine")]:
        stats.reset(reply(status, reason, b"ignored"))
        online.command(CMD_SEND_NOW)
        assert len(stats.wait_requests(1, 20)) == 1
        submitted += 1
        deadline = time.monotonic() + 10
        while (online.debug_lines().count("Data Submitted online") < submitted
               and time.monotonic() < deadline):
            time.sleep(0.2)
        assert online.debug_lines().count("Data Submitted online") == submitted

    cases = [
        (reply(300, "Multiple Choices", b"choose one"), "HTTP 300 Multiple Choices: choose one"),
        (reply(404, "Not Found", "no such page \u00e9".encode()),
         "HTTP 404 Not Found: no such page \u00e9"),
    ]
    for behaviour, message in cases:
        stats.reset(behaviour)
        online.command(CMD_SEND_NOW)
        assert online.message_box(20000, press=1) == message
    assert online.debug_lines().count("Data Submitted online") == submitted


def test_huge_cut_off_and_unreachable_replies(online, stats):
    online.start()
    # A huge error page is read only so far and quoted only in part.
    stats.reset(huge(300, "Multiple Choices"))
    online.command(CMD_SEND_NOW)
    text = online.message_box(30000, press=1)
    assert text.startswith("HTTP 300 Multiple Choices: 0123456789abcdef0123")
    assert text.endswith("\u2026") and len(text) < 1100

    # A huge success is still a success.
    stats.reset(huge(200, "OK"))
    online.command(CMD_SEND_NOW)
    deadline = time.monotonic() + 30
    while "Data Submitted online" not in online.debug_lines() and time.monotonic() < deadline:
        time.sleep(0.2)
    assert "Data Submitted online" in online.debug_lines()

    # A reply that stops halfway is the HTTP client's error, not a success.
    stats.reset(CLOSE_MID_REPLY)
    online.command(CMD_SEND_NOW)
    text = online.message_box(30000, press=1)
    assert text and text.startswith("Error sending data: ("), text
    assert online.debug_lines().count("Data Submitted online") == 1

    # Nobody listening.
    stats.stop()
    try:
        online.command(CMD_SEND_NOW)
        text = online.message_box(30000, press=1)
        assert text and text.startswith("Error sending data: (12029)"), text
    finally:
        stats.start()


REDIRECTS = [
    # status, reason, where the reply sends the client
    (302, "Found", "https://stats.quillomat.example/moved.php"),
    (307, "Temporary Redirect", "http://www.ombrelune.example/collect.php"),
]


@pytest.mark.parametrize("status,reason,location", REDIRECTS, ids=["302", "307"])
def test_a_redirect_is_a_refusal_and_is_not_followed(online, stats, site, status, reason,
                                                     location):
    online.start()
    stats.reset(reply(status, reason, b"moved elsewhere", [("Location", location)]))
    site.reset(reply(200, "OK", b"taken"))
    online.command(CMD_SEND_NOW)
    assert online.message_box(30000, press=1) == f"HTTP {status} {reason}: moved elsewhere"
    # Exactly the one post reached a server: nothing at the address the reply named.
    assert [(r["method"], r["path"]) for r in stats.requests] == [("POST", "/mouse.php")]
    assert site.requests == []
    assert "Data Submitted online" not in online.debug_lines()


# WinHTTP's certificate and secure-channel errors: a refused connection (12029) would mean that
# the impostor was never reached.
TIMED_OUT = {12002, 10060}  # ERROR_WINHTTP_TIMEOUT, WSAETIMEDOUT
SECURE_ERRORS = {12038, 12044, 12045, 12157, 12169, 12175}


def test_a_server_whose_certificate_is_not_trusted_gets_no_post(online, stats):
    online.start()
    stats.stop()
    try:
        for name, cert, key in make_untrusted_certificates(online.wine.work / "tls-untrusted"):
            impostor = TestServer(443, cert, key)
            impostor.start()
            try:
                online.command(CMD_SEND_NOW)
                text = online.message_box(30000, press=1)
                code = re.match(r"Error sending data: \((\d+)\) ", text or "")
                assert code and int(code[1]) in SECURE_ERRORS, (name, text)
                assert impostor.requests == [], name
            finally:
                impostor.stop()
    finally:
        stats.start()
    assert "Data Submitted online" not in online.debug_lines()


def panel_crop(online, name, state):
    path = online.shot(name)
    out = path.with_name(name + "_panel.png")
    subprocess.run(["convert", str(path), "-crop",
                    f"{state['w']}x{state['h']}+{state['x']}+{state['y']}", "+repage", str(out)],
                   check=True)
    return out.read_bytes()


def window_state(online):
    r = online.wine.probe("window", MAIN, "30000")
    return {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", r.stdout)}


def test_a_silent_server_fails_after_the_response_timeout_while_counting_goes_on(online, stats):
    stats.reset(SILENT)
    online.start(Autosend="-1", Orientation="-1")
    arrived = stats.wait_requests(1, 20)
    assert len(arrived) == 1
    state = window_state(online)
    before = panel_crop(online, "silent_server_before", state)

    # Real input while the post hangs, away from the panel.
    wine = online.wine
    wine.xdotool("mousemove", 300, 300)
    wine.xdotool("click", "--repeat", 5, "--delay", 250, 1, "sleep", APART_S, "click", 3)
    wine.xdotool("key", "--delay", 60, "q", "w", "e", "r", "t", "y", "u")
    wait_saved(wine, Leftclicks="5", Rightclicks="1", Keystrokes="7")
    # A second submission is not started while the first is in flight (sent: handled when the
    # call returns).
    send_command(wine, CMD_SEND_NOW)
    wait_for("the panel did not change while the post was waiting",
             lambda: panel_crop(online, "silent_server_during", state) != before)
    assert len(stats.requests) == 1

    # The program gives up by its own time-out (WinHTTP's 12002, or under Wine the socket's
    # 10060), well before the server would end its silence by itself (servers.SILENCE_LIMIT_S):
    # the wait is only a deadline for the box.
    text = online.message_box((SILENCE_LIMIT_S - 15) * 1000)
    code = re.match(r"Error sending data: \((\d+)\) ", text or "")
    assert code and int(code[1]) in TIMED_OUT, text
    assert not stats.stop_event.is_set(), "the server ended the silence, not the program"
    online.shot("silent_server_error_box")
    online.message_box(1000, press=1)

    online.command(CMD_EXIT)
    online.program.wait(timeout=30)
    v = {k.lower(): d for k, d in wine.reg_values().items()}
    assert (v["leftclicks"], v["rightclicks"], v["keystrokes"]) == ("5", "1", "7")
    assert "Data Submitted online" not in online.debug_lines()


@pytest.mark.parametrize("end", ["exit", "logoff"])
def test_exit_and_logoff_do_not_wait_for_a_request_in_flight(online, stats, end):
    stats.reset(SILENT)
    online.start(Autosend="-1", Keystrokes="1000", Leftclicks="50")
    assert len(stats.wait_requests(1, 20)) == 1
    wine = online.wine
    wine.xdotool("mousemove", 900, 500)
    wine.xdotool("key", "--delay", 60, "a", "b", "c")
    wait_saved(wine, Keystrokes="1003")
    # Taken away again: only the ending's own save can bring them back.
    for name in ("Keystrokes", "Leftclicks"):
        assert wine.run(["reg", "delete", SETTINGS_KEY, "/v", name, "/f"]).returncode == 0
    if end == "exit":
        online.command(CMD_EXIT)
        online.program.wait(timeout=10)  # the response time-out is 30 s away
    else:
        wine.run(["wineboot", "-e"], timeout=60)
        online.program.wait(timeout=15)
    assert not stats.stop_event.is_set(), "the server ended the request, not the program"
    v = {k.lower(): d for k, d in wine.reg_values().items()}
    assert (v.get("keystrokes"), v.get("leftclicks")) == ("1003", "50"), \
        f"the totals were not saved at the {end}"


SETUP_TITLE = "Quillomat Setup"
CMD_SETUP, BTN_SEND, MEMO1 = 103, 1407, 1500
PAGE_BASE, PAGES = 1900, 6  # the pages' own windows, the debug page last


def setup_control(online, ident):
    r = online.wine.probe("control", SETUP_TITLE, str(ident))
    assert r.returncode == 0, f"no control {ident} in the settings dialog"
    state = {k: int(v) for k, v in re.findall(r"(\w+)=(-?\d+)", r.stdout.split(" text=")[0])}
    state["text"] = r.stdout.split(" text=", 1)[1].rstrip("\r\n") if " text=" in r.stdout else ""
    return state


def open_setup(online):
    online.command(CMD_SETUP)
    r = online.wine.probe("titled", "#32770", SETUP_TITLE, "30000")
    assert r.returncode == 0, "the settings dialog did not open"


def test_send_now_in_the_settings_dialog_and_the_debug_text_it_shows(online, stats):
    online.start(Comment="debug", Alias="my pc")
    wine = online.wine
    open_setup(online)
    # With the comment "debug" the dialog opens on its "Debug Data" page: nothing sent yet.
    assert "Data Submitted online" not in setup_control(online, MEMO1)["text"]
    for _ in range(PAGES):  # to the upload page, one page at a time
        if setup_control(online, BTN_SEND)["visible"] == 1:
            break
        shown = [p for p in range(PAGES) if setup_control(online, PAGE_BASE + p)["visible"]]
        assert len(shown) == 1, shown
        wine.xdotool("key", "ctrl+Tab")
        following = PAGE_BASE + (shown[0] + 1) % PAGES
        wait_for("the next page", lambda: setup_control(online, following)["visible"] == 1)
    button = setup_control(online, BTN_SEND)
    assert button["visible"] == 1 and button["text"] == "Send Now !"
    wine.xdotool("mousemove", button["x"] + button["w"] // 2, button["y"] + button["h"] // 2)
    wine.xdotool("click", 1)
    sent = stats.wait_requests(1, 20)
    assert len(sent) == 1 and b"&al=my+pc&" in sent[0]["body"]
    deadline = time.monotonic() + 10
    while "Data Submitted online" not in online.debug_lines() and time.monotonic() < deadline:
        time.sleep(0.2)
    wine.xdotool("key", "Escape")
    assert wine.probe("gone", "#32770", "30000").returncode == 0
    # Opened again, the debug page shows the line the submission added.
    open_setup(online)
    assert "Data Submitted online" in setup_control(online, MEMO1)["text"]
    online.shot("settings_debug_page_after_send_now")
    wine.xdotool("key", "Escape")
