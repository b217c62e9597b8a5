"""The real lentora.exe under Wine: a program folder of its own, its files, its log, the
registry values it reads, and the helper programs that watch it from outside.

Environment (set by CMake for ctest): LENTORA_EXE (the built exe), LENTORA_TOOLS (the folder
of record_launch.exe, window_probe.exe and cpu_burn.exe), LENTORA_SOURCE_DIR (the repository), LENTORA_WINE
(the command that runs a Windows program) and LENTORA_VERSION (the project version, which the exe
carries). WINEPREFIX, DISPLAY and a running wineserver come from the caller (scripts/test).
"""
import contextlib
import datetime
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

SOURCE_DIR = os.environ["LENTORA_SOURCE_DIR"]
EXE = os.environ["LENTORA_EXE"]
TOOLS = os.environ["LENTORA_TOOLS"]
WINE = os.environ.get("LENTORA_WINE") or os.path.join(SOURCE_DIR, "scripts", "wine-exec")

VERSION = os.environ["LENTORA_VERSION"]
INTERNET_SETTINGS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"

# A helper program of ours never needs longer than this under Wine.
TOOL_TIMEOUT = 20


def windows_path(path):
    """The path as Windows programs see it: the prefix maps drive Z: to the root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def tool(name):
    return os.path.join(TOOLS, name)


def copy_tool(name, folder):
    """A copy of a test tool in `folder`, so the program under test starts it from there."""
    dest = os.path.join(folder, name)
    shutil.copyfile(tool(name), dest)
    return dest


def run_windows(args, timeout=TOOL_TIMEOUT):
    """Runs a Windows console program to its end and returns its standard output."""
    done = subprocess.run([WINE] + args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, timeout=timeout, check=False)
    return done.stdout.decode("utf-8", "replace")


def today_serial():
    """Today as the program stores dates: whole days since 30 December 1899."""
    return (datetime.date.today() - datetime.date(1899, 12, 30)).days


# --- registry ---------------------------------------------------------------------------------

_REG_LINE = re.compile(r"^\s+(\S.*?)\s{4}(REG_\w+)\s{4}(.*)$")


def reg_query(key, name):
    """(type, data) of a value as `reg query` prints it, or None when it is missing."""
    out = subprocess.run([WINE, "reg", "query", key, "/v", name], stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=TOOL_TIMEOUT)
    if out.returncode != 0:
        return None
    for line in out.stdout.decode("utf-8", "replace").splitlines():
        m = _REG_LINE.match(line)
        if m and m.group(1) == name:
            return m.group(2), m.group(3)
    return None


def reg_set(key, name, value):
    """Sets (type, data), or deletes the value when `value` is None."""
    if value is None:
        args = ["reg", "delete", key, "/v", name, "/f"]
    else:
        args = ["reg", "add", key, "/v", name, "/t", value[0], "/d", value[1], "/f"]
    subprocess.run([WINE] + args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=TOOL_TIMEOUT, check=False)


@contextlib.contextmanager
def registry_values(key, values):
    """Sets {name: (type, data) or None} for the duration, then puts back what was there."""
    saved = {name: reg_query(key, name) for name in values}
    try:
        for name, value in values.items():
            reg_set(key, name, value)
        for name, value in values.items():
            if reg_query(key, name) != value:
                raise RuntimeError(f"could not set {key}\\{name}")
        yield
    finally:
        for name, value in saved.items():
            reg_set(key, name, value)


def proxy_settings(port):
    """The system proxy as the browser settings write it: one server for http and https."""
    server = f"http=127.0.0.1:{port};https=127.0.0.1:{port}"
    return {"ProxyEnable": ("REG_DWORD", "0x1"), "ProxyServer": ("REG_SZ", server)}


# --- the program folder -----------------------------------------------------------------------

class LogLine:
    __slots__ = ("time", "text")

    def __init__(self, time_, text):
        self.time = time_
        self.text = text

    def __repr__(self):
        return f"[{self.time:%H:%M:%S.%f}] {self.text}"


_LOG_STAMP = re.compile(r"^\[(\d\d)\D(\d\d)\D(\d{4}) (\d\d)\D(\d\d)\D(\d\d)\.(\d{3})\] (.*)$")


def task_list_document(tasks):
    """startlist.xml as the program writes it, for [(command line, delay, enabled)]."""
    def attr(text):
        return (text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;"))
    rows = "".join(
        f'<TASK id="{i}" name="{attr(line)}" time="{delay}" enable="{str(enabled).lower()}" reg="0"/>'
        for i, (line, delay, enabled) in enumerate(tasks))
    return ('<?xml version="1.0" encoding="windows-1251" standalone="yes"?>'
            f'<ROOT progname="Lentora" version="{VERSION}"><TASKSLIST>{rows}</TASKSLIST></ROOT>'
            ).encode("cp1251")


class ProgramFolder:
    """A temporary folder holding lentora.exe and its languages, removed afterwards."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="lentora-e2e-")
        self.folder = os.path.join(self.root, "Lentora")
        os.makedirs(self.folder)
        shutil.copy2(EXE, os.path.join(self.folder, "lentora.exe"))
        shutil.copytree(os.path.join(SOURCE_DIR, "languages"), os.path.join(self.folder, "languages"))
        self.exe_windows = windows_path(os.path.join(self.folder, "lentora.exe"))

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_ini(self, options):
        lines = ["[Options]"] + [f"{key}={value}" for key, value in options.items()]
        with open(self.path("lentora.ini"), "w", encoding="ascii", newline="\r\n") as f:
            f.write("\n".join(lines) + "\n")

    def read_ini(self):
        """{section: {key: value}} with keys in lower case, as the profile functions match them."""
        sections, current = {}, None
        with open(self.path("lentora.ini"), encoding="cp1252") as f:
            for line in f.read().splitlines():
                line = line.strip()
                if line.startswith("[") and line.endswith("]"):
                    current = sections.setdefault(line[1:-1].lower(), {})
                elif "=" in line and current is not None:
                    key, value = line.split("=", 1)
                    current[key.strip().lower()] = value.strip()
        return sections

    def write_task_list(self, tasks):
        with open(self.path("startlist.xml"), "wb") as f:
            f.write(task_list_document(tasks))

    def log(self):
        """The lines of lentora.log with their time stamps."""
        lines = []
        with open(self.path("lentora.log"), "rb") as f:
            for raw in f.read().decode("cp1252", "replace").splitlines():
                m = _LOG_STAMP.match(raw)
                if not m:
                    raise AssertionError(f"log line without a time stamp: {raw!r}")
                d, mo, y, h, mi, s, ms = (int(g) for g in m.groups()[:7])
                lines.append(LogLine(datetime.datetime(y, mo, d, h, mi, s, ms * 1000), m.group(8)))
        return lines

    def start(self, args, env=None, desktop=None):
        """Starts lentora.exe from its folder, inside a Wine virtual desktop of that name when
        one is given; wait() ends it."""
        return RunningProgram(self, args, env, desktop)

    def main_windows(self):
        """[(visible, iconic)] of this program's main windows, seen from another process."""
        found = []
        for line in run_windows([tool("window_probe.exe"), "main", self.exe_windows]).splitlines():
            m = re.match(r"main visible=(\d) iconic=(\d) title=", line)
            if m:
                found.append((m.group(1) == "1", m.group(2) == "1"))
        return found

    def send_command(self, command_id):
        """Sends a menu command to this program's main windows, as a click on its menu item does;
        how many windows got it."""
        out = run_windows([tool("window_probe.exe"), "command", self.exe_windows, str(command_id)])
        return out.splitlines().count("sent")


def balloon_texts():
    """Texts of the balloons on show in the notification area."""
    return [line[len("balloon text="):] for line in run_windows([tool("window_probe.exe"), "balloons"]).splitlines()
            if line.startswith("balloon text=")]


class RunningProgram:
    def __init__(self, folder, args, env, desktop):
        shell = ["explorer", f"/desktop={desktop},1024x768"] if desktop else []
        self._out = open(os.path.join(folder.root, "wine-output.txt"), "ab")
        self.started = time.time()
        self.process = subprocess.Popen([WINE] + shell + [folder.exe_windows] + args, cwd=folder.folder,
                                        env={**os.environ, **(env or {})}, stdin=subprocess.DEVNULL,
                                        stdout=self._out, stderr=self._out)

    def running(self, limit):
        """True while the program runs and less than `limit` seconds have passed since its start."""
        return self.process.poll() is None and time.time() < self.started + limit

    def wait(self, timeout):
        """Waits for the program to end by itself; kills it and fails after `timeout` seconds."""
        try:
            return self.process.wait(timeout=max(0.0, self.started + timeout - time.time()))
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError(f"lentora.exe did not end by itself within {timeout} s; killed")
        finally:
            self._out.close()


def english_message(key):
    """A message text of the shipped English language file."""
    with open(os.path.join(SOURCE_DIR, "languages", "English.lng"), "rb") as f:
        for line in f.read().decode("cp1252").splitlines():
            if line.startswith(key + "="):
                return line[len(key) + 1:]
    raise KeyError(key)


class ProgramFolderTest(unittest.TestCase):
    """One run of the program in a fresh program folder for the whole class: run_program does it
    once, the folder goes when the class ends or its run fails."""

    @classmethod
    def setUpClass(cls):
        cls.folder = ProgramFolder()
        try:
            cls.run_program()
        except BaseException:
            cls.folder.cleanup()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()
