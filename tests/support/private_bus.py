#!/usr/bin/python3
"""Private D-Bus buses with a mock systemd-logind, for tests that make power calls.

Nothing here may ever reach the machine's real logind or session manager:

* `PrivateBus` runs its own dbus-daemon from a custom configuration on a
  socket in a private folder, without service activation.
* `LogindMock` runs `/usr/bin/python3 -m dbusmock --system --template logind`
  on such a bus and adds what the template lacks (`GetSessionByPID`, `Halt`,
  `CanHalt`, the `*WithFlags` calls) plus a session of this user. Calls come
  back from `org.freedesktop.DBus.Mock.GetCalls`. (The template's
  `KillSession` takes "sss", not real logind's "ssi"; nothing here uses it.)
* `require_private_system_bus` and `LogindMock.require_owns_logind` fail
  loudly when the system bus address is unset or the machine's own, or when
  org.freedesktop.login1 belongs to anybody but the mock.

Run as `private_bus.py serve [--gnome-session-manager]` it starts a system
bus with the mock and a session bus, prints one JSON line with their
addresses and the PIDs, and stops everything when its standard input closes;
the C++ test fixture drives it that way.
"""

import json
import os
import signal
import subprocess
import sys
import tempfile
import time

import dbus

PYTHON = "/usr/bin/python3"  # the one that has dbusmock, whatever PATH says
REAL_SYSTEM_BUS_SOCKETS = ("/run/dbus/system_bus_socket", "/var/run/dbus/system_bus_socket")
LOGIND = "org.freedesktop.login1"
LOGIND_PATH = "/org/freedesktop/login1"
MANAGER = "org.freedesktop.login1.Manager"
MOCK = "org.freedesktop.DBus.Mock"
SESSION_ID = "c1"

BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>custom</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


class SafetyError(RuntimeError):
    """The test would reach a real system service: stop at once."""


def wait_until(predicate, timeout, what, interval=0.02):
    """Polls predicate until it gives a true value or the deadline passes."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def is_real_system_bus(address):
    return any(socket in address for socket in REAL_SYSTEM_BUS_SOCKETS)


def require_private_system_bus(expected, environ=None):
    """Raises SafetyError unless DBUS_SYSTEM_BUS_ADDRESS is set to `expected`,
    a bus that is not the machine's."""
    environ = os.environ if environ is None else environ
    address = environ.get("DBUS_SYSTEM_BUS_ADDRESS", "")
    if not address:
        raise SafetyError("DBUS_SYSTEM_BUS_ADDRESS is unset: a power call would reach the real logind")
    if is_real_system_bus(address):
        raise SafetyError(f"DBUS_SYSTEM_BUS_ADDRESS is the machine's system bus ({address})")
    if address != expected:
        raise SafetyError(f"DBUS_SYSTEM_BUS_ADDRESS is {address}, not the private bus {expected}")


def end_process(proc, timeout=3.0):
    """Ends a child by its PID: SIGTERM, then SIGKILL after the deadline."""
    if proc is None or proc.poll() is not None:
        return
    proc.send_signal(signal.SIGTERM)
    try:
        proc.wait(timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


class PrivateBus:
    """A dbus-daemon of our own on a socket in `folder`."""

    def __init__(self, folder, kind="custom"):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)
        config = os.path.join(folder, f"{kind}-bus.conf")
        with open(config, "w", encoding="utf-8") as out:
            out.write(BUS_CONFIG.format(socket=os.path.join(folder, f"{kind}_bus_socket")))
        with open(os.path.join(folder, "dbus-daemon.log"), "w") as log:
            self.proc = subprocess.Popen(
                ["dbus-daemon", "--nofork", "--nopidfile", "--print-address=1", f"--config-file={config}"],
                stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, stderr=log, text=True)
        self.address = self.proc.stdout.readline().strip()
        if not self.address:
            end_process(self.proc)
            raise RuntimeError("dbus-daemon printed no address")
        if is_real_system_bus(self.address):
            end_process(self.proc)
            raise SafetyError(f"private bus came up on the real socket {self.address}")
        self.pid = self.proc.pid
        self._connection = None

    def connection(self):
        if self._connection is None:
            self._connection = dbus.bus.BusConnection(self.address)
        return self._connection

    def owner_pid(self, name):
        """PID of the process owning `name`, or None."""
        bus = self.connection()
        try:
            owner = bus.get_name_owner(name)
        except dbus.DBusException:
            return None
        return int(bus.call_blocking("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                     "GetConnectionUnixProcessID", "s", (owner,)))

    def stop(self):
        if self._connection is not None:
            self._connection.close()
            self._connection = None
        end_process(self.proc)
        self.proc.stdout.close()


class DBusMock:
    """A python3-dbusmock process on a private bus."""

    def __init__(self, bus, args, env_name, name, log_path=None):
        self.bus = bus
        self.name = name
        env = dict(os.environ)
        env[env_name] = bus.address
        log = open(log_path, "w", encoding="utf-8") if log_path else subprocess.DEVNULL
        self.proc = subprocess.Popen([PYTHON, "-m", "dbusmock", *args], env=env, stdin=subprocess.DEVNULL,
                                     stdout=log, stderr=subprocess.STDOUT)
        if log_path:
            log.close()
        self.pid = self.proc.pid
        wait_until(lambda: self.proc.poll() is not None or bus.owner_pid(name) == self.pid, 15,
                   f"{name} on the private bus")
        if self.proc.poll() is not None:
            raise RuntimeError(f"dbusmock for {name} ended with {self.proc.returncode}")

    def mock_call(self, path, method, signature="", args=()):
        return self.bus.connection().call_blocking(self.name, path, MOCK, method, signature, args)

    def stop(self):
        end_process(self.proc)


class LogindMock(DBusMock):
    """python3-dbusmock's logind template, completed, with one session of this user."""

    def __init__(self, bus, log_path=None):
        super().__init__(bus, ["--system", "--template", "logind"], "DBUS_SYSTEM_BUS_ADDRESS", LOGIND, log_path)
        self._inhibitors = []
        session_path = f"{LOGIND_PATH}/session/{SESSION_ID}"
        self.mock_call(LOGIND_PATH, "AddSession", "ssusb", (SESSION_ID, "seat0", os.getuid(), "user", True))
        for method, in_sig, out_sig, code in [
                ("GetSessionByPID", "u", "o", f'ret = "{session_path}"'),
                ("Halt", "b", "", ""),
                ("CanHalt", "", "s", 'ret = "yes"'),
                ("PowerOffWithFlags", "t", "", ""),
                ("RebootWithFlags", "t", "", ""),
                ("HaltWithFlags", "t", "", ""),
                ("SuspendWithFlags", "t", "", ""),
                ("HibernateWithFlags", "t", "", "")]:
            self.add_method(method, in_sig, out_sig, code)
        self.clear_calls()

    def add_method(self, method, in_sig, out_sig, code):
        self.mock_call(LOGIND_PATH, "AddMethod", "sssss", (MANAGER, method, in_sig, out_sig, code))

    def set_can(self, query, answer):
        """Makes CanPowerOff (or another Can* query) answer `answer`."""
        self.add_method(query, "", "s", f"ret = {answer!r}")

    def inhibit(self, what="shutdown", who="rig", why="test", mode="block"):
        """Takes an inhibitor; it lasts until release_inhibitors()."""
        fd = self.bus.connection().call_blocking(LOGIND, LOGIND_PATH, MANAGER, "Inhibit", "ssss",
                                                 (what, who, why, mode))
        self._inhibitors.append(fd.take())

    def release_inhibitors(self):
        for fd in self._inhibitors:
            os.close(fd)
        self._inhibitors.clear()

    def require_owns_logind(self):
        owner = self.bus.owner_pid(LOGIND)
        if owner != self.pid:
            raise SafetyError(f"{LOGIND} belongs to PID {owner}, not to the mock {self.pid}")

    def calls(self):
        """Recorded calls as (method, [args]) in order."""
        return [(str(name), [_plain(arg) for arg in args])
                for _, name, args in self.mock_call(LOGIND_PATH, "GetCalls")]

    def clear_calls(self):
        self.mock_call(LOGIND_PATH, "ClearCalls")

    def stop(self):
        self.release_inhibitors()
        super().stop()


def _plain(value):
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.String, dbus.ObjectPath)):
        return str(value)
    if isinstance(value, (dbus.Byte, dbus.Int16, dbus.Int32, dbus.Int64, dbus.UInt16, dbus.UInt32, dbus.UInt64)):
        return int(value)
    return value


def format_call(method, args):
    """'PowerOff(true)': the form in which calls are printed and compared."""
    def text(arg):
        return ("true" if arg else "false") if isinstance(arg, bool) else str(arg)
    return f"{method}({','.join(text(arg) for arg in args)})"


def serve(argv):
    """Starts the buses and mocks, prints them as JSON, ends when stdin closes."""
    folder = tempfile.mkdtemp(prefix="vuvuviro-bus-")
    started = []
    try:
        system = PrivateBus(os.path.join(folder, "system"), "system")
        started.append(system)
        logind = LogindMock(system, os.path.join(folder, "logind-mock.log"))
        started.append(logind)
        session = PrivateBus(os.path.join(folder, "session"), "session")
        started.append(session)
        info = {"system": system.address, "session": session.address, "logind_pid": logind.pid}
        if "--gnome-session-manager" in argv:
            gnome = DBusMock(session, ["org.gnome.SessionManager", "/org/gnome/SessionManager",
                                       "org.gnome.SessionManager"], "DBUS_SESSION_BUS_ADDRESS",
                             "org.gnome.SessionManager")
            started.append(gnome)
            gnome.mock_call("/org/gnome/SessionManager", "AddMethod", "sssss", ("", "Logout", "u", "", ""))
            info["gnome_pid"] = gnome.pid
        print(json.dumps(info), flush=True)
        sys.stdin.read()
    finally:
        for item in reversed(started):
            item.stop()
        subprocess.run(["rm", "-rf", folder], check=False)


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "serve":
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
        serve(sys.argv[2:])
    else:
        sys.exit(__doc__)
