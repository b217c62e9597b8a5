"""A second start on the folder of a running instance: a second -start ends at once, a plain one
brings the running window forward and ends; there is one walk, one set of launches, and the task
list the running instance saves keeps its edits."""
import os
import time
import unittest

import wine_program as wp
from launch_sequence_test import read_records

RUN_LIMIT = 40
SECOND_START_LIMIT = 8  # seconds a second start may take to hand itself over and end
DEACTIVATE_ALL = 1012   # the "Deactivate all" menu command


class SecondStart(wp.ProgramFolderTest):
    @classmethod
    def run_program(cls):
        root = cls.folder.root
        helper = wp.copy_tool("record_launch.exe", root)
        cls.first = f"{wp.windows_path(helper)} first"
        cls.second = f"{wp.windows_path(helper)} second"
        cls.folder.write_task_list([(cls.first, 1, True), (cls.second, 2, True)])
        cls.folder.write_ini({"UseLog": 1, "TimeExit": 8, "WaitTimer": 0, "check_update": 0})
        records = os.path.join(root, "records.txt")
        env = {"LENTORA_RECORD_FILE": wp.windows_path(records)}

        with wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            run = cls.folder.start(["-start", "-log"], env)
            try:
                while run.running(RUN_LIMIT) and len(read_records(records)) < 2:
                    time.sleep(0.1)
                # Both launched: the walk waits for its close. The user's edit in the first instance.
                cls.edited = cls.folder.send_command(DEACTIVATE_ALL)
                cls.windows_before = cls.folder.main_windows()
                cls.seconds = {}
                cls.exit_codes = {}
                for name, args in (("start", ["-start", "-log"]), ("plain", [])):
                    began = time.time()
                    second = cls.folder.start(args, env)
                    cls.exit_codes[name] = second.wait(SECOND_START_LIMIT)
                    cls.seconds[name] = time.time() - began
                cls.first_running = run.running(RUN_LIMIT)
                cls.windows_after = cls.folder.main_windows()
            finally:
                cls.exit_code = run.wait(RUN_LIMIT)
        cls.records = read_records(records)
        cls.texts = [entry.text for entry in cls.folder.log()]

    def test_second_starts_end_at_once_while_the_first_runs(self):
        self.assertEqual(self.exit_codes, {"start": 0, "plain": 0})
        for name, seconds in self.seconds.items():
            self.assertLess(seconds, SECOND_START_LIMIT, name)
        self.assertTrue(self.first_running)
        self.assertEqual(self.exit_code, 0)

    def test_one_walk_and_one_set_of_launches(self):
        self.assertEqual(sorted(r["cmd"].split()[-1] for r in self.records), ["first", "second"])
        self.assertEqual(self.texts.count("Begin timer of Start"), 1)
        self.assertEqual(self.texts.count(f"Start application v.{wp.VERSION}"), 1)

    def test_the_running_instance_logs_each_second_start_and_shows_its_window_for_the_plain_one(self):
        self.assertEqual(self.edited, 1, "one main window got the edit")
        self.assertEqual(self.windows_before, [(False, True)], "the walk keeps the window in the tray")
        self.assertEqual(self.windows_after, [(True, False)])
        lines = [t for t in self.texts if t.startswith("A second start")]
        self.assertEqual(lines, ["A second start with -start was passed to this instance and ended",
                                 "A second start was passed to this instance"])

    def test_the_saved_list_keeps_the_first_instances_edit(self):
        with open(self.folder.path("startlist.xml"), "rb") as f:
            saved = f.read()
        self.assertEqual(saved, wp.task_list_document([(self.first, 1, False), (self.second, 2, False)]))
        self.assertIn("Deactivate all tasks", self.texts)


if __name__ == "__main__":
    unittest.main()
