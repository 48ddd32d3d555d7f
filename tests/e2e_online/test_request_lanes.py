"""A server that accepts and stays silent holds back only its own kind of request: a post goes
through while the update check hangs, a check while a post hangs, and the hanging check ends in
its warning within its 60 s limit; a reply that never ends is given up at the request's limit and
its connection closed."""

import time

import pytest

from conftest import (CMD_CHECK_UPDATE, CMD_SEND_NOW, TITLE, WARNING, close_dialog, dialog,
                      version_file)
from servers import SILENT, TRICKLE, reply

CHECK_LIMIT_S = 60
POST_LIMIT_S = 90  # its connect, send and reply time-outs added up
SLACK_S = 15  # the wine probe's own polling and a loaded machine


def wait_for_debug_line(online, line, timeout):
    deadline = time.monotonic() + timeout
    while line not in online.debug_lines() and time.monotonic() < deadline:
        time.sleep(0.2)
    return line in online.debug_lines()


def test_send_now_posts_while_the_version_server_is_silent_and_the_check_ends_in_its_warning(
        online, stats, site):
    site.reset(SILENT)
    online.start()
    online.command(CMD_CHECK_UPDATE)
    asked = time.monotonic()
    assert len(site.wait_requests(1, 20)) == 1, "the update check did not arrive"

    online.command(CMD_SEND_NOW)
    posted = stats.wait_requests(1, 20)
    assert [(r["method"], r["path"]) for r in posted] == [("POST", "/mouse.php")], \
        "the post waited behind the silent update check"
    assert wait_for_debug_line(online, "Data Submitted online", 20)

    # The check gives up at its limit although the server still says nothing.
    left_ms = (asked + CHECK_LIMIT_S + SLACK_S - time.monotonic()) * 1000
    assert online.message_box(max(left_ms, 1000), press=1) == WARNING
    assert not site.stop_event.is_set(), "the server ended the silence, not the program"
    assert online.online_probe("controls", TITLE, "0").returncode != 0


def test_the_update_check_answers_while_a_post_hangs(online, stats, site):
    stats.reset(SILENT)
    online.start()
    online.command(CMD_SEND_NOW)
    assert len(stats.wait_requests(1, 20)) == 1, "the post did not arrive"

    site.reset(reply(200, "OK", version_file("15.0")))
    online.command(CMD_CHECK_UPDATE)
    _, c = dialog(online, timeout_ms=20000)
    assert c["lblText"]["text"] == "Major upgrade found"
    close_dialog(online)

    # The post still ends in its own error, after its response time-out.
    text = online.message_box(60000, press=1)
    assert text and text.startswith("Error sending data: ("), text


NEVER_ENDING = [
    # kind, the command, its limit, how its failure reads
    ("update_check", CMD_CHECK_UPDATE, CHECK_LIMIT_S, lambda text: text == WARNING),
    ("post", CMD_SEND_NOW, POST_LIMIT_S,
     lambda text: text.startswith("Error sending data: (12002) ")),
]


@pytest.mark.parametrize("kind,command,limit_s,failure", NEVER_ENDING,
                         ids=[c[0] for c in NEVER_ENDING])
def test_a_reply_that_never_ends_is_given_up_at_the_limit(online, stats, site, kind, command,
                                                          limit_s, failure):
    # Each byte comes well within the read time-out: only the request's own limit ends it.
    server = site if kind == "update_check" else stats
    server.reset(TRICKLE)
    online.start()
    online.command(command)
    asked = time.monotonic()
    assert len(server.wait_requests(1, 20)) == 1, "the request did not arrive"
    left_ms = (asked + limit_s + SLACK_S - time.monotonic()) * 1000
    text = online.message_box(max(left_ms, 1000), press=1)
    assert text and failure(text), text
    # The request was ended, not left to run on behind the message.
    assert server.wait_hang_up(20), "the program kept the connection open"
