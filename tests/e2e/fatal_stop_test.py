"""Without a "languages" folder the real program stops: the bilingual box, and once it is
answered the program ends by itself, launching nothing and saving nothing."""
import os
import shutil
import time
import unittest

import wine_program as wp

RUN_LIMIT = 30  # seconds the whole run may take before the program is killed
NO_LANGUAGES = "Modules of languages are not found. The program will be finished."


class FatalStop(unittest.TestCase):
    def setUp(self):
        self.folder = wp.ProgramFolder()
        self.addCleanup(self.folder.cleanup)

    def answer_box(self, run):
        """Presses OK on the program's box once it shows; its probe line, or None."""
        while run.running(RUN_LIMIT):
            out = wp.run_windows([wp.tool("window_probe.exe"), "answer", "CRITICAL ERROR!"])
            if out.startswith("box "):
                return out.strip()
            time.sleep(0.2)
        return None

    def test_ends_by_itself_without_launching_or_saving(self):
        shutil.rmtree(self.folder.path("languages"))
        helper = wp.copy_tool("record_launch.exe", self.folder.root)
        records = os.path.join(self.folder.root, "records.txt")
        # Due at the first tick of a walk that start mode would begin at once.
        self.folder.write_task_list([(f"{wp.windows_path(helper)} due", 1, True)])
        self.folder.write_ini({"UseLog": 1, "TimeExit": 0, "WaitTimer": 0, "check_update": 0})
        files = {name: open(self.folder.path(name), "rb").read() for name in ("startlist.xml", "lentora.ini")}

        with wp.registry_values(wp.RUN_KEY, {"Lentora": None}):
            run = self.folder.start(["-start", "-log"], {"LENTORA_RECORD_FILE": wp.windows_path(records)})
            try:
                box = self.answer_box(run)
            finally:
                exit_code = run.wait(RUN_LIMIT)

        self.assertIsNotNone(box, "the box never showed")
        self.assertIn(f"text={NO_LANGUAGES}", box)
        self.assertEqual(exit_code, 0)
        self.assertFalse(os.path.exists(records), "a task was launched")
        for name, before in files.items():
            with open(self.folder.path(name), "rb") as f:
                self.assertEqual(f.read(), before, f"{name} was written")
        texts = [line.text for line in self.folder.log()]
        self.assertIn(NO_LANGUAGES, texts)
        self.assertFalse([t for t in texts if t.startswith(("Closing application", "Launch application"))], texts)


if __name__ == "__main__":
    unittest.main(verbosity=2)
