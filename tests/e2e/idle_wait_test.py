"""The wait for a calm system end to end: lentora.exe -start -log with every processor kept busy by
a helper that ends by itself. With the option on the due launch is held until the load is gone (or
the longest wait has passed); with it off the launch comes on time all the same."""
import datetime
import os
import subprocess
import time
import unittest

import wine_program as wp

BURN_SECONDS = 5
LONGEST_WAIT = 15   # the cap: the launch comes by then even if the machine never calms down
RUN_LIMIT = 40      # seconds a run may take before the program is killed
TICK_SLACK = 0.7    # a tick of the program's one-second timer, give or take


class CpuBurn:
    """cpu_burn.exe with one spinning thread per processor, started and waited for until it spins."""

    def __init__(self):
        self.process = subprocess.Popen([wp.WINE, wp.tool("cpu_burn.exe"), str(BURN_SECONDS), str(os.cpu_count())],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        line = self.process.stdout.readline().decode("ascii", "replace")
        if not line.startswith("burning"):
            self.process.kill()
            raise RuntimeError(f"the CPU burner did not start: {line!r}")
        self.ended = None

    def poll(self):
        """Notes the moment the burner has ended, as a local time like the log's."""
        if self.ended is None and self.process.poll() is not None:
            self.ended = datetime.datetime.now()

    def close(self):
        try:
            self.process.wait(timeout=BURN_SECONDS + wp.TOOL_TIMEOUT)
        finally:
            self.poll()
            self.process.stdout.close()


def run_under_load(folder, wait_idle):
    """Runs the program once beside the burner; returns (log lines, the burner's end)."""
    helper = wp.copy_tool("record_launch.exe", folder.root)
    command = f"{wp.windows_path(helper)} due"
    folder.write_task_list([(command, 1, True)])
    folder.write_ini({"UseLog": 1, "TimeExit": 1, "WaitTimer": 0, "check_update": 0, "WaitIdle": int(wait_idle),
                      "IdleThreshold": 60, "IdleTimeOut": LONGEST_WAIT})
    records = os.path.join(folder.root, "records.txt")
    # No autorun value, so closing has nothing of the machine's to rewrite.
    with wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
        burn = CpuBurn()
        try:
            run = folder.start(["-start", "-log"], {"LENTORA_RECORD_FILE": wp.windows_path(records)})
            try:
                while run.running(RUN_LIMIT):
                    burn.poll()
                    time.sleep(0.05)
            finally:
                run.wait(RUN_LIMIT)
        finally:
            burn.close()
    return command, folder.log(), burn.ended


class IdleWait(unittest.TestCase):
    def run_case(self, wait_idle):
        folder = wp.ProgramFolder()
        self.addCleanup(folder.cleanup)
        command, log, burn_ended = run_under_load(folder, wait_idle)
        texts = [entry.text for entry in log]

        def stamp(text):
            for entry in log:
                if entry.text == text:
                    return entry.time
            self.fail(f"not logged: {text!r}\nlog:\n" + "\n".join(map(repr, log)))

        walk_began = stamp("Begin timer of Start")
        launched = stamp(f'Launch application: "{command}"')
        return command, texts, walk_began, launched, burn_ended

    def test_with_the_option_on_the_launch_waits_until_the_load_is_gone(self):
        command, texts, walk_began, launched, burn_ended = self.run_case(True)
        self.assertIsNotNone(burn_ended)
        holds = [t for t in texts if "the system" in t or "System is idle" in t]
        self.assertEqual(holds[0], f'Waiting for the system to be idle before "{command}"')
        self.assertEqual(len(holds), 2, holds)
        # Calm ticks after the load, or the cap when something else keeps the machine busy.
        self.assertRegex(holds[1], r'^(System is idle, launching|Waited \d+ s for the system, launching) "')
        self.assertTrue(holds[1].endswith(f'"{command}"'), holds[1])
        self.assertLess(texts.index(holds[0]), texts.index(f'Launch application: "{command}"'))
        self.assertGreaterEqual((launched - burn_ended).total_seconds(), -TICK_SLACK,
                                "held while the processors were busy")
        self.assertLessEqual((launched - walk_began).total_seconds(), 1 + LONGEST_WAIT + TICK_SLACK)

    def test_with_the_option_off_the_launch_comes_on_time_under_the_same_load(self):
        command, texts, walk_began, launched, burn_ended = self.run_case(False)
        self.assertAlmostEqual((launched - walk_began).total_seconds(), 1, delta=TICK_SLACK)
        self.assertLess(launched, burn_ended, "the load was still there")
        self.assertFalse([t for t in texts if "for the system" in t or "System is idle" in t])


if __name__ == "__main__":
    unittest.main(verbosity=2)
