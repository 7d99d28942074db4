#!/usr/bin/python3
"""TVBrFolder's real folder dialog on the virtual desktop: a folder typed into
it and confirmed with Return comes back from Execute."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_rig import DesktopTestCase  # noqa: E402

PROBE = os.environ["FOLDER_DIALOG_PROBE"]
TITLE = "Choose a test folder"


class FolderDialog(DesktopTestCase):
    def chosen(self, proc):
        lines = [line for line in proc.log().splitlines() if line.startswith("chosen=")]
        self.assertEqual(len(lines), 1, proc.log())
        return lines[0][len("chosen="):]

    def open_dialog(self, start):
        proc = self.desk.start([PROBE, start], name="probe")
        dialog = self.desk.wait_window(name=TITLE, timeout=15)
        self.desk.activate(dialog)
        time.sleep(0.3)  # the dialog settles its focus on the name field
        return proc

    def test_typed_folder_comes_back(self):
        home = self.desk.env["HOME"]
        start = os.path.join(home, "start")
        picked = os.path.join(home, "picked folder")
        os.makedirs(start)
        os.makedirs(picked)
        proc = self.open_dialog(start)
        self.desk.screenshot("dialog")
        self.desk.key("ctrl+a")
        self.desk.x("xdotool", "type", "--delay", "30", picked + "/")
        time.sleep(0.3)
        self.desk.key("Return")
        # A completion popup may take the first Return for itself.
        try:
            proc.wait(timeout=3)
        except TimeoutError:
            self.desk.key("Return")
            proc.wait(timeout=10)
        self.assertEqual(self.chosen(proc), picked)

    def test_cancel_gives_the_empty_text(self):
        start = os.path.join(self.desk.env["HOME"], "start")
        os.makedirs(start)
        proc = self.open_dialog(start)
        self.desk.key("Escape")
        proc.wait(timeout=10)
        self.assertEqual(self.chosen(proc), "")


if __name__ == "__main__":
    unittest.main()
