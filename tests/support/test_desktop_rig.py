#!/usr/bin/python3
"""Self-test of the desktop rig, with xterm standing in for the utility."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_rig import DesktopTestCase, SafetyError, format_call  # noqa: E402
import private_bus  # noqa: E402


class DesktopRigSelfTest(DesktopTestCase):
    def test_window_tray_input_screenshot_and_mock(self):
        desk = self.desk
        self.assertEqual(desk.workarea(), (0, 0, 1024, 740), "the tray host's strut is in the work area")

        term = desk.start(["xterm", "-name", "rigterm", "-title", "rig xterm", "-geometry", "40x5+100+100"])
        window = desk.wait_window(cls="rigterm", name="rig xterm", pid=term.pid)
        self.assertIn('"rigterm", "XTerm"', desk.prop(window, "WM_CLASS"))
        geometry = desk.wait_at_rest(window)
        self.assertTrue(geometry["mapped"])
        self.assertGreater(geometry["width"], 100)

        shot = desk.screenshot("xterm")
        self.assertGreater(os.path.getsize(shot), 1000)

        # Keyboard input reaches the window: the shell in it ends the xterm.
        desk.activate(window)
        desk.click_window(window, 20, 20)
        desk.x("xdotool", "type", "exit\n")
        self.assertEqual(term.wait(timeout=10), 0)
        desk.wait_no_window(pid=term.pid)

        # The mock records what reaches it, with the arguments.
        desk.logind.require_owns_logind()
        bus = desk.system_bus.connection()
        bus.call_blocking(private_bus.LOGIND, private_bus.LOGIND_PATH, private_bus.MANAGER, "PowerOff", "b", (True,))
        self.assertEqual([format_call(*call) for call in desk.logind.calls()], ["PowerOff(true)"])

    def test_end_by_pid_and_refusal_of_the_real_system_bus(self):
        desk = self.desk
        term = desk.start(["xterm", "-name", "hangs"])
        desk.wait_window(pid=term.pid)
        term.end()
        self.assertFalse(term.alive())
        desk.wait_no_window(pid=term.pid)
        with self.assertRaises(SafetyError):
            desk.start(["true"], env={"DBUS_SYSTEM_BUS_ADDRESS": "unix:path=/run/dbus/system_bus_socket"})
        with self.assertRaises(SafetyError):
            desk.start(["true"], env={"DBUS_SYSTEM_BUS_ADDRESS": ""})

    @unittest.skipUnless(os.environ.get("TRAY_ICON_HELPER"), "TRAY_ICON_HELPER names the tray icon helper")
    def test_tray_icon_is_embedded_and_clickable(self):
        desk = self.desk
        self.assertEqual(desk.tray_icons(), [])
        helper = desk.start([os.environ["TRAY_ICON_HELPER"]], name="tray_icon_helper")
        icon = desk.wait_until(lambda: (desk.tray_icons() or [None])[0], 10, "an icon in the tray")
        geometry = desk.wait_at_rest(icon)
        tray = desk.geometry(desk.tray_window)
        self.assertTrue(tray["x"] <= geometry["x"] < tray["x"] + tray["width"], (geometry, tray))
        desk.screenshot("tray")
        desk.click_window(icon, geometry["width"] // 2, geometry["height"] // 2)
        desk.wait_until(lambda: "activated" in helper.log(), 10, "the icon's activation")


if __name__ == "__main__":
    unittest.main(verbosity=2)
