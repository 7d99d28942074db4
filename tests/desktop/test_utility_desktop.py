#!/usr/bin/python3
"""The real DErerevov on a virtual desktop: bar, tray icon, menu, lifetime and
one exit action, checked through X properties and the mock logind's calls."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_rig import DesktopTestCase, wait_until  # noqa: E402

BINARY = os.environ["DEREREVOV_BINARY"]
BAR_HEIGHT = 69
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


def hive(**values):
    lines = ["REGEDIT4", "", r"[HKEY_CURRENT_USER\Software\varnell\Vuvuviro]"]
    lines += [f'"{name}"="{value}"' for name, value in values.items()]
    return "\n".join(lines) + "\n"


SETTINGS = dict(noreset="1", forced="1", timerenabled="0", confirmdialog="0", time="00:00", action="0",
                hibernate="0", confirmtimer="1", autodisabletimer="0")


class Utility(DesktopTestCase):
    def seed(self, **changes):
        folder = os.path.join(self.desk.env["XDG_CONFIG_HOME"], "registry")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "HKEY_CURRENT_USER.reg"), "w") as f:
            f.write(hive(**dict(SETTINGS, **changes)))

    def stored(self, name):
        path = os.path.join(self.desk.env["XDG_CONFIG_HOME"], "registry", "HKEY_CURRENT_USER.reg")
        with open(path) as f:
            for line in f:
                if line.startswith(f'"{name}"='):
                    return line.split("=", 1)[1].strip().strip('"')
        return None

    def start_utility(self):
        app = self.desk.start([BINARY], name="DErerevov")
        bar = self.desk.wait_window(name="^DErerevov$", pid=app.pid, timeout=20)
        geometry = self.desk.wait_at_rest(bar, timeout=20)
        icon = wait_until(lambda: self.desk.tray_icons() or None, 10, "the tray icon embedded")[0]
        return app, bar, geometry, icon

    def bar_visible(self, app):
        return bool(self.desk.windows(name="^DErerevov$", pid=app.pid, visible=True))

    def menu_open(self, app):
        """The program's popup menu: a mapped override-redirect window that
        is neither the bar nor the tray icon."""
        icons = set(self.desk.tray_icons())
        for w in self.desk.windows(pid=app.pid, visible=True):
            if w in icons or self.desk.windows(name="^DErerevov$", pid=app.pid) == [w]:
                continue
            info = self.desk.x("xwininfo", "-id", str(w), check=False)
            if "Override Redirect State: yes" in info and "IsViewable" in info:
                return w
        return None

    def open_menu(self, app, icon, button):
        # A synchronous pointer move to where the pointer already is never
        # completes: start from elsewhere.
        self.desk.x("xdotool", "mousemove", "500", "300")
        self.desk.click_window(icon, 8, 8, button=button)
        return wait_until(lambda: self.menu_open(app), 5, "the tray menu")

    def focus_elsewhere(self):
        term = self.desk.start(["xterm", "-name", "otherapp", "-geometry", "40x5+300+200"], name="xterm")
        window = self.desk.wait_window(cls="otherapp", pid=term.pid)
        self.desk.activate(window)
        return term

    # 1
    def test_start_bar_at_rest_above_the_tray_host(self):
        app, bar, g, icon = self.start_utility()
        work = self.desk.workarea()
        target = work[3] - BAR_HEIGHT
        self.assertEqual(g["x"], 2)
        # The slide stops at the first step that reaches the target.
        self.assertTrue(target - 3 <= g["y"] <= target, g)
        self.assertEqual((g["width"], g["height"]), (469, BAR_HEIGHT))
        state = self.desk.net_wm_state(bar)
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertIn("_NET_WM_STATE_ABOVE", state)
        self.assertTrue(icon)
        self.desk.screenshot("start")

    # 2
    def test_focus_elsewhere_with_timer_off_ends_the_program(self):
        app, bar, g, icon = self.start_utility()
        self.focus_elsewhere()
        self.assertEqual(app.wait(timeout=3), 0)

    # 3
    def test_focus_elsewhere_with_timer_on_stays_in_the_tray(self):
        self.seed(timerenabled="1")
        app, bar, g, icon = self.start_utility()
        self.focus_elsewhere()
        wait_until(lambda: not self.bar_visible(app), 5, "the bar hidden")
        time.sleep(3)  # longer than the close timer: the program must stay
        self.assertTrue(app.alive())
        self.open_menu(app, icon, 3)
        self.desk.key("s")
        wait_until(lambda: self.bar_visible(app), 5, "the bar back")
        self.desk.wait_at_rest(bar)

    # 4
    def test_left_and_right_click_open_the_menu_and_close_ends(self):
        app, bar, g, icon = self.start_utility()
        self.open_menu(app, icon, 1)
        self.desk.key("Escape")
        wait_until(lambda: not self.menu_open(app), 5, "the menu closed")
        self.open_menu(app, icon, 3)
        self.desk.screenshot("menu")
        chosen = time.monotonic()
        self.desk.key("c")
        wait_until(lambda: not self.desk.tray_icons(), 1, "the tray icon removed at once")
        self.assertEqual(app.wait(timeout=5), 0)
        self.assertLess(time.monotonic() - chosen, 3.5)

    # 5
    def test_timer_item_while_resident_stores_off_and_ends(self):
        self.seed(timerenabled="1")
        app, bar, g, icon = self.start_utility()
        self.focus_elsewhere()
        wait_until(lambda: not self.bar_visible(app), 5, "the bar hidden")
        self.open_menu(app, icon, 3)
        chosen = time.monotonic()
        self.desk.key("t")
        wait_until(lambda: self.stored("timerenabled") == "0", 3, "the timer stored as off")
        self.assertEqual(app.wait(timeout=5), 0)
        self.assertGreater(time.monotonic() - chosen, 1.5)

    # 6
    def test_second_start_raises_the_first(self):
        self.seed(timerenabled="1")
        app, bar, g, icon = self.start_utility()
        self.focus_elsewhere()
        wait_until(lambda: not self.bar_visible(app), 5, "the bar hidden")
        second = self.desk.start([BINARY], name="DErerevov-second")
        self.assertEqual(second.wait(timeout=5), 0)
        wait_until(lambda: self.bar_visible(app), 5, "the first copy's bar raised")
        self.assertEqual(len(self.desk.windows(name="^DErerevov$", visible=True)), 1)
        self.assertEqual(len(self.desk.tray_icons()), 1)

    # 7
    def test_vuvuviro_button_makes_one_forced_power_off(self):
        app, bar, g, icon = self.start_utility()
        self.desk.logind.clear_calls()
        self.desk.click_window(bar, 118, 34)
        wait_until(lambda: self.desk.logind.calls() or None, 5, "a call on the mock")
        time.sleep(0.5)
        calls = [c for c in self.desk.logind.calls() if not c[0].startswith(("Can", "List", "Get"))]
        self.assertEqual(calls, [("PowerOff", [True])])

    def test_normal_power_off_respects_a_block_inhibitor(self):
        self.seed(forced="0")
        app, bar, g, icon = self.start_utility()
        self.desk.logind.inhibit("shutdown", mode="block")
        self.desk.logind.clear_calls()
        self.desk.click_window(bar, 118, 34)
        wait_until(lambda: any(c[0] == "ListInhibitors" for c in self.desk.logind.calls()) or None, 5,
                   "the inhibitor check")
        time.sleep(0.5)
        self.assertFalse([c for c in self.desk.logind.calls() if c[0] in ("PowerOff", "Reboot")])


    # The daily timer on a shifted wall clock: the program starts three
    # seconds before the chosen minute.
    def start_before_the_minute(self):
        self.seed(timerenabled="1", time="22:30", action="1", confirmtimer="1", forced="1")
        env = {"LD_PRELOAD": FAKETIME, "FAKETIME": "@2026-12-11 22:29:57", "FAKETIME_DONT_FAKE_MONOTONIC": "1"}
        app = self.desk.start([BINARY], name="DErerevov", env=env)
        self.desk.wait_window(name="^DErerevov$", pid=app.pid, timeout=20)
        self.desk.logind.clear_calls()
        dialog = self.desk.wait_window(name="^Varnell Vuvuviro - Confirm Action$", pid=app.pid, timeout=15)
        return app, dialog

    def power_offs(self):
        return [c for c in self.desk.logind.calls() if c[0] in ("PowerOff", "Reboot")]

    def test_daily_timer_confirmation_cancelled_with_escape(self):
        app, dialog = self.start_before_the_minute()
        self.desk.screenshot("confirmation")
        self.desk.activate(dialog)
        self.desk.key("Escape")
        self.desk.wait_no_window(name="^Varnell Vuvuviro - Confirm Action$", pid=app.pid, timeout=5)
        time.sleep(1)
        self.assertEqual(self.power_offs(), [])
        self.assertTrue(app.alive())

    def test_daily_timer_countdown_runs_out_and_acts_once(self):
        app, dialog = self.start_before_the_minute()
        self.desk.wait_no_window(name="^Varnell Vuvuviro - Confirm Action$", pid=app.pid, timeout=20)
        wait_until(lambda: self.power_offs() or None, 5, "the power-off on the mock")
        time.sleep(1.5)  # the rest of the matching second and more
        self.assertEqual(self.power_offs(), [("PowerOff", [True])])


if __name__ == "__main__":
    unittest.main(verbosity=2)
