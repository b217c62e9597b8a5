"""A measured start end to end: lentora.exe -start -log launches a helper that writes 50 MB, burns two
seconds of one processor and has no window; the log and the history of starts tell what it cost."""
import os
import re
import unittest
import xml.etree.ElementTree as ET

import wine_program as wp

RUN_LIMIT = 40
BURN_SECONDS = 2
# Under Wine the figure is the machine's time from the launch until the helper settled: the burn,
# starting a process, and whatever else ran meanwhile. On Windows it is the helper's own.
CPU_LOW, CPU_HIGH = 1.6, 4.0
WRITE_MB = 50


class MeasuredStart(wp.ProgramFolderTest):
    @classmethod
    def run_program(cls):
        burn = wp.copy_tool("cpu_burn.exe", cls.folder.root)
        cls.line = f"{wp.windows_path(burn)} {BURN_SECONDS} 1 {WRITE_MB}"
        cls.folder.write_task_list([(cls.line, 1, True)])
        # The close comes after the helper has settled.
        cls.folder.write_ini({"UseLog": 1, "TimeExit": 6, "WaitTimer": 0, "check_update": 0})
        with wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            run = cls.folder.start(["-start", "-log"])
            cls.exit_code = run.wait(RUN_LIMIT)
        cls.texts = [entry.text for entry in cls.folder.log()]
        history = cls.folder.path("starthistory.xml")
        cls.history = ET.parse(history).getroot() if os.path.exists(history) else None

    def test_the_log_tells_what_the_helper_cost(self):
        self.assertEqual(self.exit_code, 0)
        measured = [t for t in self.texts if t.startswith("Measured ")]
        self.assertEqual(len(measured), 1, self.texts)
        m = re.fullmatch(r'Measured "(.*)": CPU (\d+\.\d) s( \(the machine\'s\))?, read (.*), written (.*), no window',
                         measured[0])
        self.assertIsNotNone(m, measured[0])
        self.assertEqual(m.group(1), self.line)
        self.assertTrue(CPU_LOW <= float(m.group(2)) <= CPU_HIGH, measured[0])
        if m.group(3):
            # The system gave no figure per program, so none of its counters either.
            self.assertEqual((m.group(4), m.group(5)), ("unknown", "unknown"))
        else:
            self.assertAlmostEqual(float(m.group(5).removesuffix(" MB")), WRITE_MB, delta=WRITE_MB * 0.2)

    def test_the_history_holds_the_start_with_its_figures(self):
        self.assertIsNotNone(self.history, "starthistory.xml is written beside the task list")
        starts = self.history.findall("start")
        self.assertEqual(len(starts), 1)
        start = starts[0]
        self.assertEqual(start.get("by"), "log-on")
        self.assertGreaterEqual(len(start.find("machine").get("cpu").split()), 3)
        launches = start.findall("launch")
        self.assertEqual(len(launches), 1)
        launch = launches[0]
        self.assertEqual(launch.get("line"), self.line)
        self.assertEqual((launch.get("delay"), launch.get("outcome"), launch.get("ready")), ("1", "started", "no window"))
        self.assertTrue(CPU_LOW <= float(launch.get("cpu")) <= CPU_HIGH, launch.attrib)
        self.assertIn(launch.get("cpuFrom"), ("program", "machine"))
        self.assertGreaterEqual(float(launch.get("settled")), BURN_SECONDS - 1, launch.attrib)
        # Where the system counts what the program wrote (Windows) it is within a fifth of what it
        # wrote; where it does not (Wine) the figure is left out, never 0.
        if launch.get("written") is not None:
            self.assertAlmostEqual(int(launch.get("written")) / 1e6, WRITE_MB, delta=WRITE_MB * 0.2)
        else:
            self.assertEqual(launch.get("cpuFrom"), "machine")


if __name__ == "__main__":
    unittest.main()
