"""The log-on road end to end: lentora.exe -start -log walks a task list of helper programs,
launches them on time and closes itself, saving the task list and the settings."""
import os
import time
import unittest

import wine_program as wp

EXIT_TIME = 3
RUN_LIMIT = 30  # seconds the whole run may take before the program is killed
STARTF_USESHOWWINDOW = 1
SW_SHOWMINIMIZED = 2


def read_records(path):
    """The helper's lines as dicts (tick as a number), in the order they were appended."""
    if not os.path.exists(path):
        return []
    records = []
    with open(path, encoding="utf-8", newline="") as f:
        # A line still being written has no line end yet.
        for line in f.read().split("\r\n")[:-1]:
            fields = dict(field.split("=", 1) for field in line.split("\t"))
            fields["tick"] = int(fields["tick"])
            records.append(fields)
    return records


def as_given(command_line):
    """The command line as the launcher passed it. Wine puts quotes around an unquoted program
    path with blanks before handing the line to the new process; Windows passes it unchanged."""
    if command_line.startswith('"'):
        program, _, rest = command_line[1:].partition('"')
        return program + rest
    return command_line


class LaunchSequence(wp.ProgramFolderTest):
    @classmethod
    def run_program(cls):
        root = cls.folder.root
        # A folder with a blank: the system finds the program in the unquoted line by itself.
        apps = os.path.join(root, "My Apps")
        os.makedirs(apps)
        helper = wp.copy_tool("record_launch.exe", apps)
        cls.apps_windows = wp.windows_path(apps)
        line = lambda label: f"{wp.windows_path(helper)} {label}"
        cls.first, cls.second, cls.never = line("first"), line("second"), line("never")
        # Quoted, with "\" in an argument: the folder of the whole line does not exist, the program's does.
        cls.third = f'"{wp.windows_path(helper)}" third /cfg=C:\\cfg\\third.ini'
        cls.missing = wp.windows_path(os.path.join(root, "nothere", "missing.exe"))
        # Out of order on purpose: start-up sorts by delay, keeping equal delays in list order.
        cls.folder.write_task_list([(cls.third, 4, True), (cls.first, 2, True), (cls.missing, 2, True),
                                    (cls.never, 9, False), (cls.second, 2, True)])
        cls.folder.write_ini({"UseLog": 1, "TimeExit": EXIT_TIME, "WaitTimer": 0, "check_update": 0})
        cls.records_path = os.path.join(root, "records.txt")

        cls.windows_during_walk = None
        # No autorun value, so closing has nothing of the machine's to rewrite.
        with wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            run = cls.folder.start(["-start", "-log"], {"LENTORA_RECORD_FILE": wp.windows_path(cls.records_path)})
            try:
                # The first launch shows that the walk is on: look at the window then.
                while run.running(RUN_LIMIT) and not read_records(cls.records_path):
                    time.sleep(0.1)
                if run.running(RUN_LIMIT):
                    cls.windows_during_walk = cls.folder.main_windows()
            finally:
                cls.exit_code = run.wait(RUN_LIMIT)
        cls.records = read_records(cls.records_path)
        cls.log = cls.folder.log()
        cls.texts = [entry.text for entry in cls.log]

    def stamp(self, text):
        for entry in self.log:
            if entry.text == text:
                return entry.time
        self.fail(f"not logged: {text!r}\nlog:\n" + "\n".join(map(repr, self.log)))

    def seconds_into_walk(self, text):
        return (self.stamp(text) - self.stamp("Begin timer of Start")).total_seconds()

    def test_due_tasks_start_by_delay_and_the_disabled_one_never(self):
        # Helpers started in one tick may report in either order; the log keeps the launch order.
        started = [as_given(r["cmd"]) for r in self.records]
        self.assertEqual(len(started), 3, started)
        self.assertCountEqual(started[:2], [self.first, self.second])
        self.assertEqual(started[2], as_given(self.third))
        ticks = sorted(r["tick"] for r in self.records)
        self.assertLess(ticks[1] - ticks[0], 700, "tasks of one delay start in the same tick")
        self.assertTrue(1500 <= ticks[2] - ticks[0] <= 2700, f"delay 4 starts two ticks after delay 2: {ticks}")
        self.assertNotIn(f'Launch application: "{self.never}"', self.texts)

    def test_launches_happen_at_their_tick(self):
        self.assertAlmostEqual(self.seconds_into_walk(f'Launch application: "{self.first}"'), 2, delta=0.7)
        self.assertAlmostEqual(self.seconds_into_walk(f'Launch application: "{self.third}"'), 4, delta=0.7)

    def test_started_program_gets_its_folder_the_minimized_hint_and_a_process_group_of_its_own(self):
        self.assertEqual(len(self.records), 3)
        for record in self.records:
            with self.subTest(cmd=record["cmd"]):
                self.assertEqual(record["cwd"], self.apps_windows)
                self.assertEqual(int(record["flags"]), STARTF_USESHOWWINDOW)
                self.assertEqual(int(record["show"]), SW_SHOWMINIMIZED)
                self.assertEqual(record["group"], "1", "a Ctrl+C meant for us never reaches it")

    def test_launches_go_in_list_order_and_a_missing_program_does_not_stop_the_walk(self):
        order = [f'Launch application: "{self.first}"', f'application: "{self.first}" is started',
                 f'Launch application: "{self.missing}"', f'Error at an launch "{self.missing}"',
                 f'Launch application: "{self.second}"', f'application: "{self.second}" is started',
                 f'Launch application: "{self.third}"', f'application: "{self.third}" is started']
        launch_lines = [t for t in self.texts if t.startswith(("Launch application", "application:", "Error at"))]
        self.assertEqual(launch_lines, order)

    def test_program_closes_after_largest_enabled_delay_plus_exit_time(self):
        self.assertEqual(self.exit_code, 0)
        self.assertIn("Time for start of tasks 4 sec", self.texts)
        # Tick 4 + 3 + 1; the disabled task's 9 would give 13.
        self.assertAlmostEqual(self.seconds_into_walk(f"Closing application v.{wp.VERSION}"), 8, delta=1.0)

    def test_task_list_and_settings_are_saved_at_the_end(self):
        path = self.folder.path("startlist.xml")
        with open(path, "rb") as f:
            saved = f.read()
        self.assertEqual(saved, wp.task_list_document([(self.first, 2, True), (self.missing, 2, True),
                                                       (self.second, 2, True), (self.third, 4, True),
                                                       (self.never, 9, False)]))
        options = self.folder.read_ini()["options"]
        # Keys the start-up file did not hold: the settings were written at the close.
        self.assertEqual(options["timeexit"], str(EXIT_TIME))
        self.assertEqual(options["pollinginterval"], "7")
        self.assertEqual(options["check_update"], "0")
        self.assertEqual(options["uselog"], "1")
        settings = f'"{wp.windows_path(self.folder.path("lentora.ini"))}"'
        tail = ["Saving of task list...", f'Task list is saved as "{wp.windows_path(path)}"',
                f"Saving params in {settings} ..."]
        self.assertEqual([t for t in self.texts if t in tail], tail)
        self.assertEqual(self.texts[-1], f"Closing application v.{wp.VERSION}")

    def test_window_stays_in_the_tray_during_the_walk(self):
        self.assertIn("Autostart on key launch", self.texts)
        self.assertIsNotNone(self.windows_during_walk, "the walk was never seen running")
        self.assertEqual(len(self.windows_during_walk), 1, "one main window of this program")
        visible, minimized = self.windows_during_walk[0]
        self.assertFalse(visible)
        self.assertTrue(minimized, "minimised, so that showing it from the tray restores it")


if __name__ == "__main__":
    unittest.main(verbosity=2)
