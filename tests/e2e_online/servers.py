"""Real servers on loopback for the online tests: the statistics service over HTTPS (a test CA
made with openssl at test time) and the maker's web site over plain HTTP, each with a behaviour
a test chooses: a status and body, silence, a reply cut off halfway, or a huge body."""

import http.server
import pathlib
import socket
import ssl
import subprocess
import threading
import time

STATS_HOST = "stats.quillomat.example"
SITE_HOST = "www.ombrelune.example"
HUGE_BYTES = 48 << 20
SILENCE_LIMIT_S = 120  # a silent reply ends by itself, whatever happens to the test


def make_certificates(folder: pathlib.Path):
    """A throw-away CA and a server certificate naming both hosts; returns (ca_der, cert, key)."""
    folder.mkdir(parents=True, exist_ok=True)

    def openssl(*args):
        subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)

    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
            "-days", "30", "-subj", "/CN=Quillomat Test CA",
            "-addext", "basicConstraints=critical,CA:TRUE",
            "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "server.csr",
            "-subj", f"/CN={STATS_HOST}")
    (folder / "server.ext").write_text(
        f"subjectAltName=DNS:{STATS_HOST},DNS:{SITE_HOST}\n"
        "basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
        "extendedKeyUsage=serverAuth\n")
    openssl("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
            "-CAcreateserial", "-out", "server.pem", "-days", "30", "-extfile", "server.ext")
    openssl("x509", "-in", "ca.pem", "-outform", "der", "-out", "ca.der")
    return folder / "ca.der", folder / "server.pem", folder / "server.key"


def make_untrusted_certificates(folder: pathlib.Path):
    """Certificates for the statistics host that the prefix does not trust: one signed by a CA of
    their own that nobody trusts, and one signed by itself. Returns [(name, cert, key)]."""
    _, cert, key = make_certificates(folder / "other_ca")
    folder.mkdir(parents=True, exist_ok=True)
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                    "-keyout", "self.key", "-out", "self.pem", "-days", "30",
                    "-subj", f"/CN={STATS_HOST}", "-addext", f"subjectAltName=DNS:{STATS_HOST}"],
                   cwd=folder, check=True, capture_output=True)
    return [("other_ca", cert, key), ("self_signed", folder / "self.pem", folder / "self.key")]


class Behaviour:
    """What the server does with the next requests."""

    def __init__(self, kind="reply", status=200, reason="OK", body=b"", headers=()):
        self.kind, self.status, self.reason, self.body = kind, status, reason, body
        self.headers = list(headers)


def reply(status, reason, body=b"", headers=()):
    return Behaviour("reply", status, reason, body, headers)


SILENT = Behaviour("silent")
CLOSE_MID_REPLY = Behaviour("close_mid_reply", 200, "OK")
# Headers at once, then one byte of the body every TRICKLE_GAP_S: never silent for long enough to
# time out a read, never done.
TRICKLE = Behaviour("trickle", 200, "OK")
TRICKLE_GAP_S = 2


def huge(status=200, reason="OK"):
    return Behaviour("huge", status, reason)


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _serve(self):
        server = self.server.owner
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        server.record(self.command, self.path, self.headers.items(), body, self.request_version)
        # This request's own: a reset or a stop sets it for good, however late this thread looks.
        stop = server.stop_event
        b = server.behaviour
        try:
            if b.kind == "silent":
                stop.wait(SILENCE_LIMIT_S)
                self.close_connection = True
                return
            if b.kind == "trickle":
                self.send_response(b.status, b.reason)
                self.send_header("Content-Type", "text/plain")
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.flush()
                ends = time.monotonic() + SILENCE_LIMIT_S
                try:
                    while time.monotonic() < ends and not stop.is_set():
                        self.wfile.write(b"x")
                        self.wfile.flush()
                        stop.wait(TRICKLE_GAP_S)
                except OSError:
                    server.note_hang_up()
                    raise
                self.close_connection = True
                return
            if b.kind == "close_mid_reply":
                self.send_response(b.status, b.reason)
                self.send_header("Content-Type", "text/plain")
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(b"partial reply")
                self.wfile.flush()
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
                return
            self.send_response(b.status, b.reason)
            for name, value in b.headers:
                self.send_header(name, value)
            self.send_header("Content-Type", "text/plain; charset=utf-8")
            if b.kind == "huge":
                self.send_header("Content-Length", str(HUGE_BYTES))
                self.send_header("Connection", "close")
                self.end_headers()
                chunk = (b"0123456789abcdef" * 4096)
                sent = 0
                while sent < HUGE_BYTES and not stop.is_set():
                    self.wfile.write(chunk)
                    sent += len(chunk)
            else:
                self.send_header("Content-Length", str(len(b.body)))
                self.send_header("Connection", "close")
                self.end_headers()
                self.wfile.write(b.body)
            self.close_connection = True
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True

    do_GET = _serve
    do_POST = _serve


class _Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


class TestServer:
    """One server on 127.0.0.1:`port`, HTTPS when given a certificate."""

    __test__ = False  # a helper, not a test class, where a test module imports it

    def __init__(self, port, cert=None, key=None):
        self.port, self.cert, self.key = port, cert, key
        self.behaviour = reply(200, "OK", b"")
        self.requests = []
        self.hang_ups = 0
        self._lock = threading.Lock()
        self._arrived = threading.Condition(self._lock)
        self.stop_event = threading.Event()
        self._httpd = None
        self._thread = None

    def start(self):
        self.stop_event = threading.Event()
        httpd = _Server(("127.0.0.1", self.port), _Handler)
        httpd.owner = self
        if self.cert:
            ctx = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            ctx.load_cert_chain(self.cert, self.key)
            httpd.socket = ctx.wrap_socket(httpd.socket, server_side=True)
        self._httpd = httpd
        self._thread = threading.Thread(target=httpd.serve_forever, kwargs={"poll_interval": 0.1},
                                        daemon=True)
        self._thread.start()

    def stop(self):
        """Stops listening (so connections are refused) and ends any silent reply."""
        self.stop_event.set()
        if self._httpd:
            self._httpd.shutdown()
            self._httpd.server_close()
            self._httpd = None

    def reset(self, behaviour):
        """Ends silent replies of an earlier test, then serves `behaviour`."""
        self.stop_event.set()
        self.stop_event = threading.Event()  # for the requests from now on
        with self._lock:
            self.requests = []
            self.hang_ups = 0
        self.behaviour = behaviour

    def record(self, method, path, headers, body, version="HTTP/1.1"):
        with self._arrived:
            self.requests.append({"method": method, "path": path, "headers": headers,
                                  "body": body, "version": version, "time": time.monotonic()})
            self._arrived.notify_all()

    def note_hang_up(self):
        """The client closed a connection while a reply was still being sent."""
        with self._arrived:
            self.hang_ups += 1
            self._arrived.notify_all()

    def wait_hang_up(self, timeout):
        deadline = time.monotonic() + timeout
        with self._arrived:
            while not self.hang_ups and time.monotonic() < deadline:
                self._arrived.wait(deadline - time.monotonic())
            return self.hang_ups > 0

    def wait_requests(self, count, timeout):
        deadline = time.monotonic() + timeout
        with self._arrived:
            while len(self.requests) < count:
                left = deadline - time.monotonic()
                if left <= 0:
                    break
                self._arrived.wait(left)
            return list(self.requests)
