"""The automatic update check of the real lentora.exe, through the system proxy set in the
registry, a real proxy (tinyproxy) and a local web server standing in for the maker's site."""
import re
import time
import unittest

import local_net
import wine_program as wp

SERVER_VERSION = b"1.4.1.260"
RUN_LIMIT = 30
REQUEST_LINE = f"GET http://lentora.example/download/lastversion.php?app=lt&ver={wp.VERSION} HTTP/1.1"
REQUEST = (REQUEST_LINE.encode() + b"\r\n"
           b"Host: lentora.example\r\n"
           b"Accept: text/html, */*\r\n"
           b"Accept-Encoding: identity\r\n"
           b"User-Agent: LT_UPDATE_AGENT\r\n"
           b"\r\n")


def header_lines(request):
    return request.split(b"\r\n\r\n", 1)[0].split(b"\r\n")[1:]


class UpdateRun:
    """One start of lentora.exe -start -log with no tasks; it closes itself after `exit_time`
    ticks. The system proxy is a relay in front of tinyproxy: the relay keeps the program's
    bytes exactly as sent (tinyproxy rewrites the request and drops hop-by-hop headers before
    the server sees it), and tinyproxy sends everything on to the local web server."""

    def __init__(self, last_update_date, exit_time, balloon=None):
        self.folder = wp.ProgramFolder()
        try:
            self.run(last_update_date, exit_time, balloon)
        finally:
            self.folder.cleanup()

    def run(self, last_update_date, exit_time, balloon):
        self.folder.write_task_list([])
        self.folder.write_ini({"UseLog": 1, "TimeExit": exit_time, "WaitTimer": 0, "ShowBalloon": 0,
                               "check_update": 1, "PollingInterval": 7, "LastUpdateDate": last_update_date})
        self.balloon_seen = False
        with local_net.WebServer(SERVER_VERSION) as server, \
                local_net.TinyProxy(self.folder.root, server.port) as proxy, \
                local_net.Relay(proxy.port) as relay, \
                wp.registry_values(wp.INTERNET_SETTINGS, wp.proxy_settings(relay.port)), \
                wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            self.relay_port = relay.port
            program = self.folder.start(["-start", "-log"])
            try:
                while balloon and program.running(RUN_LIMIT) and not self.balloon_seen:
                    self.balloon_seen = balloon in wp.balloon_texts()
                    time.sleep(0.2)
            finally:
                self.exit_code = program.wait(RUN_LIMIT)
            self.sent = list(relay.received)
            self.arrived = list(server.received)
            self.proxy_log = proxy.log()
        self.texts = [entry.text for entry in self.folder.log()]
        self.options = self.folder.read_ini()["options"]


class UpdateDue(unittest.TestCase):
    """PollingInterval 7, last answer seven days ago: the check is due again today."""

    @classmethod
    def setUpClass(cls):
        cls.balloon = (wp.english_message("MSG37").replace("%s", SERVER_VERSION.decode(), 1)
                       .replace("%s", wp.VERSION, 1))
        cls.result = UpdateRun(wp.today_serial() - 7, exit_time=8, balloon=cls.balloon)

    def test_request_reaches_the_system_proxy_byte_for_byte(self):
        self.assertEqual(self.result.sent, [REQUEST])

    def test_proxy_passes_it_on_to_the_server(self):
        self.assertIn("Request (file descriptor", self.result.proxy_log)
        self.assertIn(REQUEST_LINE, self.result.proxy_log)
        self.assertEqual(len(self.result.arrived), 1)
        request_line = self.result.arrived[0].split(b"\r\n", 1)[0]
        self.assertRegex(request_line, rb"^GET http://lentora\.example(:80)?/download/lastversion\.php"
                                       rb"\?app=lt&ver=" + re.escape(wp.VERSION).encode() + rb" HTTP/1\.[01]$")
        # The proxy adds headers of its own; ours arrive in their order.
        ours = [h for h in header_lines(self.result.arrived[0]) if h in header_lines(REQUEST)]
        self.assertEqual(ours, header_lines(REQUEST))

    def test_log_tells_the_whole_check(self):
        port = self.result.relay_port
        # The line holds the proxy list as the system hands it back: Windows gives the whole
        # list, Wine only its http entry.
        proxy_line = next((t for t in self.result.texts if t.startswith("ProxyServer ")), None)
        self.assertIn(proxy_line, [f"ProxyServer http=127.0.0.1:{port};https=127.0.0.1:{port}",
                                   f"ProxyServer 127.0.0.1:{port}"])
        expected = ["Auto update", proxy_line, "Internet connection is On",
                    f'Lastversion is "{SERVER_VERSION.decode()}"', "Program do need update"]
        self.assertEqual([t for t in self.result.texts if t in expected], expected)
        self.assertEqual(self.result.texts[-1], f"Closing application v.{wp.VERSION}")
        self.assertEqual(self.result.exit_code, 0)

    def test_update_balloon_is_shown(self):
        self.assertTrue(self.result.balloon_seen, f"no balloon reading {self.balloon!r}")

    def test_day_of_the_answer_is_saved(self):
        self.assertEqual(self.result.options["lastupdatedate"], str(wp.today_serial()))


class UpdatePaused(unittest.TestCase):
    """PollingInterval 7, last answer three days ago: no check at this start."""

    @classmethod
    def setUpClass(cls):
        cls.last = wp.today_serial() - 3
        cls.result = UpdateRun(cls.last, exit_time=1)

    def test_check_is_paused_and_nothing_is_sent(self):
        self.assertIn("Check update is paused by pool", self.result.texts)
        for line in ("Auto update", "Internet connection is On"):
            self.assertNotIn(line, self.result.texts)
        self.assertEqual(self.result.sent, [])
        self.assertEqual(self.result.arrived, [])
        self.assertEqual(self.result.options["lastupdatedate"], str(self.last))
        self.assertEqual(self.result.exit_code, 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
