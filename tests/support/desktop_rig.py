#!/usr/bin/python3
"""A private virtual desktop for end-to-end tests of the utility.

One `Desktop` is: Xvfb on a free display, openbox, the XEmbed tray host
`trayer` at the bottom right with a strut, a session bus of its own, a
private system bus with the logind mock (see private_bus.py), and its own
HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR. Nothing started on it can reach
the machine's logind or session manager: `start` refuses to run a program
unless the system bus in its environment is the private one and logind on it
is the mock process.

Writing a case (unittest):

    from desktop_rig import DesktopTestCase

    class BarCases(DesktopTestCase):
        def test_start(self):
            app = self.desk.start([BINARY], name="DErerevov")
            bar = self.desk.wait_window(name="DErerevov", pid=app.pid)
            geometry = self.desk.wait_at_rest(bar)
            self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", self.desk.net_wm_state(bar))
            self.desk.screenshot("start")
            self.assertEqual(self.desk.logind.calls(), [])
            self.assertEqual(app.wait(timeout=3), 0)

Each case gets a fresh desktop; its screenshots and logs go to
$RIG_ARTEFACTS/<case>/ (default: ./rig-artefacts), a screenshot "final" is
taken at the end of every case, and every process is ended by its PID.
All waits are polls against a deadline (TimeoutError names what was awaited).

From the shell:

    desktop_rig.py run [--artefacts DIR] [--timeout S] -- CMD ARGS...
        runs CMD on a fresh desktop and exits with its status;
    desktop_rig.py show [--artefacts DIR] [--once] [--window NAME] BINARY
        starts BINARY, saves a screenshot once its window NAME (default
        "DErerevov", the bar) is at rest,
        then prints every call the logind mock receives until BINARY ends
        (or at once with --once). The run command uses this.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import private_bus  # noqa: E402
from private_bus import LogindMock, PrivateBus, SafetyError, format_call, wait_until  # noqa: E402,F401

TRAYER = ["trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
          "--height", "28", "--SetDockType", "true", "--SetPartialStrut", "true"]
TRAY_HEIGHT = 28

# Variables of the caller's own desktop session that must not leak in.
FOREIGN_VARIABLES = ("WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_SESSION_ID", "XDG_CURRENT_DESKTOP",
                     "DESKTOP_SESSION", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS",
                     "DBUS_SYSTEM_BUS_ADDRESS", "XAUTHORITY", "QT_QPA_PLATFORM", "DISPLAY")


class Proc:
    """A program started on the desktop, in a process group of its own."""

    def __init__(self, popen, name, log_path, started=None):
        self.popen = popen
        self.started = started  # time.monotonic() just before the exec
        self.pid = popen.pid
        self.name = name
        self.log_path = log_path

    def alive(self):
        return self.popen.poll() is None

    @property
    def returncode(self):
        return self.popen.poll()

    def wait(self, timeout):
        """Waits for the end of the process; gives its exit status."""
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"{self.name} (PID {self.pid}) still runs after {timeout} s") from None

    def log(self):
        with open(self.log_path, encoding="utf-8", errors="replace") as text:
            return text.read()

    def end(self, timeout=3.0):
        """Ends the process and its group by PID: SIGTERM, then SIGKILL."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.pid, sig)
            except ProcessLookupError:
                pass
            try:
                self.popen.wait(timeout)
                return
            except subprocess.TimeoutExpired:
                continue


class Desktop:
    """The virtual desktop; use as a context manager."""

    def __init__(self, artefacts, size=(1024, 768), tray=True):
        self.artefacts = os.path.abspath(artefacts)
        self.size = size
        self.tray = tray
        self.procs = []
        self._services = []
        self.logind = None
        self.folder = None

    # -- setting up and tearing down ---------------------------------------

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        os.makedirs(self.artefacts, exist_ok=True)
        self.folder = tempfile.mkdtemp(prefix="vuvuviro-desktop-")
        home = self._dir("home")
        runtime = self._dir("runtime")
        os.chmod(runtime, 0o700)

        self.system_bus = PrivateBus(self._dir("system-bus"), "system")
        self._services.append(self.system_bus)
        self.logind = LogindMock(self.system_bus, os.path.join(self.artefacts, "logind-mock.log"))
        self._services.append(self.logind)
        self.session_bus = PrivateBus(self._dir("session-bus"), "session")
        self._services.append(self.session_bus)

        self.display = self._start_xvfb()
        self.env = {k: v for k, v in os.environ.items() if k not in FOREIGN_VARIABLES}
        self.env.update({
            "DISPLAY": self.display,
            "DBUS_SYSTEM_BUS_ADDRESS": self.system_bus.address,
            "DBUS_SESSION_BUS_ADDRESS": self.session_bus.address,
            "HOME": home,
            "XDG_CONFIG_HOME": self._dir("config"),
            "XDG_DATA_HOME": self._dir("data"),
            "XDG_CACHE_HOME": self._dir("cache"),
            "XDG_RUNTIME_DIR": runtime,
            "QT_QPA_PLATFORM": "xcb",
            "NO_AT_BRIDGE": "1",
        })
        # The tray host goes first: a panel mapped while openbox is still
        # taking over the screen can stay unmapped, whereas openbox adopts
        # windows that are already mapped when it starts.
        if self.tray:
            self._service(TRAYER, "trayer")
            self.tray_window = self.wait_window(cls="trayer", name="panel")
        self._service(["openbox", "--sm-disable"], "openbox")
        wait_until(lambda: "window id" in self.prop(None, "_NET_SUPPORTING_WM_CHECK"), 10, "openbox")
        work_height = self.size[1] - (TRAY_HEIGHT if self.tray else 0)
        wait_until(lambda: self.workarea()[3] == work_height, 10, "the work area with the tray host's strut")

    def _dir(self, name):
        path = os.path.join(self.folder, name)
        os.makedirs(path, exist_ok=True)
        return path

    def _start_xvfb(self):
        # -displayfd: Xvfb picks a free display and writes its number when ready.
        read_end, write_end = os.pipe()
        with open(os.path.join(self.artefacts, "Xvfb.log"), "w") as log:
            xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.size[0]}x{self.size[1]}x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                start_new_session=True)
        os.close(write_end)
        self._services.append(Proc(xvfb, "Xvfb", None))
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start (see Xvfb.log)")
        return ":" + number

    def _service(self, argv, name):
        proc = self._popen(argv, name)
        self._services.append(proc)
        return proc

    def close(self):
        for proc in reversed(self.procs):
            proc.end()
        for service in reversed(self._services):
            service.end() if isinstance(service, Proc) else service.stop()
        self.procs.clear()
        self._services.clear()
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None

    # -- programs on the desktop -------------------------------------------

    def require_safe(self, env):
        """Refuses to go on unless `env` leads power calls to the mock."""
        private_bus.require_private_system_bus(self.system_bus.address, env)
        self.logind.require_owns_logind()

    def start(self, argv, name=None, env=None):
        """Starts a program with the desktop's environment (plus `env`)."""
        full_env = dict(self.env, **(env or {}))
        self.require_safe(full_env)
        proc = self._popen(argv, name or os.path.basename(argv[0]), full_env)
        self.procs.append(proc)
        return proc

    def _popen(self, argv, name, env=None):
        log_path = os.path.join(self.artefacts, f"{name}.log")
        with open(log_path, "w") as log:
            started = time.monotonic()
            popen = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL, stdout=log,
                                     stderr=subprocess.STDOUT, start_new_session=True)
        return Proc(popen, name, log_path, started)

    def x(self, *argv, check=True):
        """Runs an X tool (xdotool, xprop, ...) on the desktop; gives its output."""
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=10)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(argv)}: {result.stderr.strip()}")
        return result.stdout

    @staticmethod
    def wait_until(predicate, timeout, what):
        """Polls predicate until it gives a true value (returned) or raises TimeoutError."""
        return wait_until(predicate, timeout, what)

    # -- windows -----------------------------------------------------------

    def windows(self, name=None, cls=None, pid=None, visible=True):
        """Window ids matching all the given criteria: name and cls are regular
        expressions searched in WM_NAME and in either part of WM_CLASS."""
        # xdotool applies one pattern to all of --name/--class and mixes
        # --onlyvisible badly with them: pick the candidates by one criterion
        # and filter by the others here.
        argv = ["xdotool", "search"]
        if pid is not None:
            argv += ["--pid", str(pid)]
        elif cls is not None:
            argv += ["--class", "--classname", cls]
        else:
            argv += ["--name", name if name is not None else "."]
        found = [int(w) for w in self.x(*argv, check=False).split()]
        if cls is not None:
            found = [w for w in found if any(re.search(cls, part) for part in self.prop_strings(w, "WM_CLASS"))]
        if name is not None:
            found = [w for w in found if any(re.search(name, part) for part in self.prop_strings(w, "WM_NAME"))]
        if visible:
            found = [w for w in found if (self.geometry(w) or {}).get("mapped")]
        return found

    def wait_window(self, timeout=10, **criteria):
        """The first window matching `criteria` (see windows), once it exists."""
        return wait_until(lambda: (self.windows(**criteria) or [None])[0], timeout, f"a window {criteria}")

    def wait_no_window(self, timeout=10, **criteria):
        wait_until(lambda: not self.windows(**criteria), timeout, f"no window {criteria}")

    def prop(self, window, name):
        """xprop's text for one property of a window (None: the root window)."""
        target = ["-root"] if window is None else ["-id", str(window)]
        return self.x("xprop", *target, name, check=False).strip()

    def prop_value(self, window, name):
        """The value part of prop(): what follows the '=' ('' when unset)."""
        return self.prop(window, name).partition("=")[2].strip()

    def prop_strings(self, window, name):
        """The quoted strings of a text property, unquoted: WM_CLASS gives [instance, class]."""
        return [re.sub(r"\\(.)", r"\1", text) for text in re.findall(r'"((?:[^"\\]|\\.)*)"',
                                                                     self.prop_value(window, name))]

    def net_wm_state(self, window):
        text = self.prop(window, "_NET_WM_STATE")
        return {atom.strip() for atom in text.partition("=")[2].split(",") if atom.strip()}

    def workarea(self):
        """(x, y, width, height) of the first desktop's work area."""
        text = self.prop(None, "_NET_WORKAREA")
        values = [int(v) for v in text.partition("=")[2].split(",")[:4]] if "=" in text else []
        return tuple(values) if len(values) == 4 else (0, 0, 0, 0)

    def geometry(self, window):
        """xwininfo's view of a window: x, y (absolute), width, height, mapped."""
        info = {}
        for line in self.x("xwininfo", "-id", str(window), check=False).splitlines():
            key, _, value = line.strip().partition(":")
            info[key.strip()] = value.strip()
        if "Width" not in info:
            return None
        return {"x": int(info["Absolute upper-left X"]), "y": int(info["Absolute upper-left Y"]),
                "width": int(info["Width"]), "height": int(info["Height"]),
                "mapped": info.get("Map State") == "IsViewable"}

    def wait_at_rest(self, window, timeout=10, steady=0.3):
        """Waits until the window is mapped and has not moved for `steady` seconds."""
        state = {"last": None, "since": None}

        def at_rest():
            now = self.geometry(window)
            if now != state["last"] or not (now and now["mapped"]):
                state["last"], state["since"] = now, time.monotonic()
                return None
            return now if time.monotonic() - state["since"] >= steady else None
        return wait_until(at_rest, timeout, f"window {window:#x} at rest")

    def tray_icons(self):
        """Client windows embedded in the tray host (they keep their WM_CLASS)."""
        tree = self.x("xwininfo", "-tree", "-id", str(self.tray_window), check=False).splitlines()[1:]
        return [int(line.split()[0], 16) for line in tree
                if line.strip().startswith("0x") and re.search(r'\("[^"]+" "[^"]+"\)', line)
                and int(line.split()[0], 16) != self.tray_window]

    # -- input and pictures ------------------------------------------------

    def click(self, x, y, button=1, repeat=1):
        self.x("xdotool", "mousemove", "--sync", str(x), str(y), "click", "--repeat", str(repeat),
               "--delay", "50", str(button))

    def click_window(self, window, x, y, button=1, repeat=1):
        """Clicks at (x, y) relative to the window."""
        g = self.geometry(window)
        self.click(g["x"] + x, g["y"] + y, button, repeat)

    def key(self, *keys, window=None):
        argv = ["xdotool", "key"] + (["--window", str(window)] if window else []) + list(keys)
        self.x(*argv)

    def activate(self, window):
        self.x("xdotool", "windowactivate", "--sync", str(window))

    def screenshot(self, name):
        """Saves the whole screen as <artefacts>/<name>.png; gives the path."""
        path = os.path.join(self.artefacts, f"{name}.png")
        self.x("import", "-window", "root", path)
        return path


class DesktopTestCase(unittest.TestCase):
    """A unittest case with a fresh desktop in self.desk."""

    def setUp(self):
        base = os.environ.get("RIG_ARTEFACTS", os.path.join(os.getcwd(), "rig-artefacts"))
        self.desk = Desktop(os.path.join(base, self.id().split(".", 1)[-1]))
        self.desk.__enter__()
        self.addCleanup(self.desk.close)
        self.addCleanup(self._final_screenshot)

    def _final_screenshot(self):
        try:
            self.desk.screenshot("final")
        except Exception as error:  # a failing case must still be torn down
            print(f"no final screenshot: {error}", file=sys.stderr)


# -- command line ----------------------------------------------------------

def run_command(args):
    with Desktop(args.artefacts) as desk:
        proc = desk.start(args.command, name=os.path.basename(args.command[0]))
        try:
            status = proc.wait(args.timeout)
        finally:
            desk.screenshot("final")
        sys.stdout.write(proc.log())
        return status


def show(args):
    with Desktop(args.artefacts) as desk:
        print(f"Virtual desktop on DISPLAY={desk.display} (Xvfb, openbox, trayer); "
              "logind is a mock on a private system bus.", flush=True)
        app = desk.start([args.binary], name=os.path.basename(args.binary))
        window = desk.wait_window(pid=app.pid, name=args.window, timeout=30)
        desk.wait_at_rest(window, timeout=30)
        print(f"Screenshot of the desktop: {desk.screenshot('desktop')}", flush=True)
        if args.once:
            return 0
        print("Printing each action the mock logind receives; Ctrl-C ends.", flush=True)
        seen = 0
        try:
            while app.alive():
                calls = desk.logind.calls()
                for method, call_args in calls[seen:]:
                    print(f"mock logind: {format_call(method, call_args)}", flush=True)
                seen = len(calls)
                time.sleep(0.2)
        except KeyboardInterrupt:
            pass
        ending = "was stopped" if app.alive() else f"ended with status {app.returncode}"
        print(f"{os.path.basename(args.binary)} {ending}; its output: {app.log_path}")
        return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = parser.add_subparsers(dest="mode", required=True)
    run = sub.add_parser("run", help="run a command on a fresh desktop")
    run.add_argument("--artefacts", default="rig-artefacts")
    run.add_argument("--timeout", type=float, default=60)
    run.add_argument("command", nargs="+")
    shw = sub.add_parser("show", help="show a program on a fresh desktop")
    shw.add_argument("--artefacts", default="rig-artefacts")
    shw.add_argument("--once", action="store_true")
    shw.add_argument("--window", default="DErerevov", help="name of the window to wait for (a regular expression)")
    shw.add_argument("binary")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    return run_command(args) if args.mode == "run" else show(args)


if __name__ == "__main__":
    sys.exit(main())
