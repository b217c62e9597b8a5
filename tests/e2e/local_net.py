"""Network stand-ins on 127.0.0.1 for the update check: a web server that records what reaches
it, a relay that keeps a copy of the client's bytes, and tinyproxy as the system's proxy.
Every wait is bounded and every piece stops when its `with` block ends."""
import os
import select
import socket
import subprocess
import threading
import time

ACCEPT_POLL = 0.2   # seconds between checks for the stop request
PEER_LIMIT = 15     # no connection is served longer than this
TINYPROXY_LIFETIME = 120


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class _Listener:
    """Accepts connections on a thread of its own and serves each on another."""

    def __init__(self):
        self._socket = socket.socket()
        self._socket.bind(("127.0.0.1", 0))
        self._socket.listen(8)
        self._socket.settimeout(ACCEPT_POLL)
        self.port = self._socket.getsockname()[1]
        self._stop = threading.Event()
        self._lock = threading.Lock()
        self._threads = []
        self.received = []  # the bytes each connection sent, in order of arrival

    def __enter__(self):
        thread = threading.Thread(target=self._accept, daemon=True)
        thread.start()
        self._threads.append(thread)
        return self

    def __exit__(self, *exc):
        self._stop.set()
        for thread in list(self._threads):
            thread.join(PEER_LIMIT + 1)
        self._socket.close()

    def _accept(self):
        while not self._stop.is_set():
            try:
                peer, _ = self._socket.accept()
            except socket.timeout:
                continue
            except OSError:
                return
            with self._lock:
                index = len(self.received)
                self.received.append(b"")
            thread = threading.Thread(target=self._serve_and_close, args=(peer, index), daemon=True)
            thread.start()
            self._threads.append(thread)

    def _serve_and_close(self, peer, index):
        with peer:
            peer.settimeout(ACCEPT_POLL)
            self.serve(peer, index, time.monotonic() + PEER_LIMIT)

    def _record(self, index, data):
        with self._lock:
            self.received[index] += data

    def stopping(self, deadline):
        return self._stop.is_set() or time.monotonic() > deadline


class WebServer(_Listener):
    """Reads a request up to its empty line and answers 200 with `body`; with body None it
    accepts and never answers (a server that hangs)."""

    def __init__(self, body):
        super().__init__()
        self.body = body

    def serve(self, peer, index, deadline):
        while not self.stopping(deadline) and b"\r\n\r\n" not in self.received[index]:
            try:
                data = peer.recv(4096)
            except socket.timeout:
                continue
            if not data:
                return
            self._record(index, data)
        if self.body is None:
            while not self.stopping(deadline):
                time.sleep(ACCEPT_POLL)
            return
        if not self.stopping(deadline):
            peer.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: %d\r\n"
                         b"Connection: close\r\n\r\n%s" % (len(self.body), self.body))


class Relay(_Listener):
    """Passes bytes both ways between a client and `target_port` unchanged, keeping a copy of
    what the client sent."""

    def __init__(self, target_port):
        super().__init__()
        self.target_port = target_port

    def serve(self, peer, index, deadline):
        with socket.create_connection(("127.0.0.1", self.target_port), timeout=5) as upstream:
            open_ends = {peer: upstream, upstream: peer}
            while open_ends and not self.stopping(deadline):
                readable, _, _ = select.select(list(open_ends), [], [], ACCEPT_POLL)
                for end in readable:
                    try:
                        data = end.recv(4096)
                    except OSError:
                        data = b""
                    if not data:
                        # Pass the end of one direction on; the other may still carry data.
                        other = open_ends.pop(end)
                        try:
                            other.shutdown(socket.SHUT_WR)
                        except OSError:
                            pass
                        continue
                    if end is peer:
                        self._record(index, data)
                    try:
                        open_ends[end].sendall(data)
                    except OSError:
                        pass


class TinyProxy:
    """tinyproxy on a free loopback port, for 127.0.0.1 only, sending every request on to the
    web server at `upstream_port` (as its upstream proxy, so no name is ever resolved)."""

    def __init__(self, folder, upstream_port):
        self.port = free_port()
        self.config = os.path.join(folder, "tinyproxy.conf")
        self.output = os.path.join(folder, "tinyproxy.log")
        with open(self.config, "w") as f:
            f.write(f"Port {self.port}\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 10\nMaxClients 8\n"
                    f"Upstream http 127.0.0.1:{upstream_port}\nLogLevel Connect\n")
        self.process = None

    def __enter__(self):
        out = open(self.output, "wb")
        # `timeout` ends it even if this process dies before __exit__.
        self.process = subprocess.Popen(["timeout", str(TINYPROXY_LIFETIME), "tinyproxy", "-d", "-c", self.config],
                                        stdin=subprocess.DEVNULL, stdout=out, stderr=out)
        out.close()
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                break
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return self
            except OSError:
                time.sleep(0.1)
        self.__exit__()
        raise RuntimeError("tinyproxy did not start:\n" + self.log())

    def __exit__(self, *exc):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def log(self):
        with open(self.output, errors="replace") as f:
            return f.read()
