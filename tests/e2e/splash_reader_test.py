#!/usr/bin/env python3
"""The splash window as a screen reader finds it: through the accessibility
bus (AT-SPI), with the library screen readers use (pyatspi).

Starts a private Xvfb and a private session bus, says on that bus that a
screen reader runs (org.a11y.Status ScreenReaderEnabled, as a screen reader
does), then starts the splash host, which shows the program's splash and keeps
it up until its stdin closes. The splash must be found on the bus with the
version text "Version : 3.0" as a label (the name is what a reader speaks),
shown, over the picture's lower half.

usage: splash_reader_test.py <splash host> <expected version text>

Every wait polls with a deadline; what was started is ended on every way out.
A missing tool is a failure, never a skip.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # nothing of the test in the source tree
from programenv import program_environment  # noqa: E402

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


class Failure(Exception):
    pass


def check(cond, message):
    if not cond:
        raise Failure(message)


def wait(what, pred, timeout=20.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = pred()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def read_line(proc, fd, what, timeout=15.0):
    text = b""
    deadline = time.monotonic() + timeout
    while not text.endswith(b"\n"):
        left = deadline - time.monotonic()
        check(left > 0 and proc.poll() is None, f"{what} did not start")
        ready, _, _ = select.select([fd], [], [], left)
        if ready:
            chunk = os.read(fd, 256)
            check(chunk, f"{what} closed its pipe before saying where it is")
            text += chunk
    return text.decode().strip()


def become_subreaper():
    # What the session bus starts (the accessibility bus and its registry)
    # outlives the bus for a moment; as their reaper this test collects them
    # instead of leaving them to whatever runs as process 1.
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        PR_SET_CHILD_SUBREAPER = 36
        libc.prctl(PR_SET_CHILD_SUBREAPER, 1)
    except Exception:
        pass


def reap_orphans(timeout=5.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return  # none left
        if pid == 0:
            time.sleep(0.05)


class Rig:
    def __init__(self):
        self.tmp = tempfile.mkdtemp(prefix="tarnwick-a11y-")
        self.procs = []

    def start(self, cmd, **kw):
        # A session of its own, so that what a process starts in turn (the
        # bus starts the accessibility bus and its registry) is ended with it.
        p = subprocess.Popen(cmd, start_new_session=True, **kw)
        self.procs.append(p)
        return p

    def start_xvfb(self):
        r, w = os.pipe()
        p = self.start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                       pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        self.display = ":" + read_line(p, r, "Xvfb")
        os.close(r)

    def start_bus(self):
        r, w = os.pipe()
        p = self.start(["dbus-daemon", "--session", "--nofork", "--address=unix:dir=" + self.tmp,
                        f"--print-address={w}"], pass_fds=(w,), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        os.close(w)
        self.bus = read_line(p, r, "the session bus")
        os.close(r)

    def environment(self):
        env = program_environment(os.path.join(self.tmp, "home"), self.display)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.bus
        # GLib's settings, read by the bus launcher, in memory only.
        env["GSETTINGS_BACKEND"] = "memory"
        return env

    def stop(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(p.pid, signal.SIGKILL)
                    p.wait()
            else:
                # Its group may outlive it: the services a bus started.
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        reap_orphans()
        shutil.rmtree(self.tmp, ignore_errors=True)


def screen_reader_on(Gio, GLib, address):
    """What a screen reader does as it starts: ScreenReaderEnabled on the
    session bus's org.a11y.Bus, which starts the accessibility bus."""
    conn = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)
    conn.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                   GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled", GLib.Variant("b", True))),
                   None, Gio.DBusCallFlags.NONE, 10000, None)
    return conn


def descendants(acc, depth=0):
    if acc is None or depth > 20:
        return
    yield acc
    for i in range(acc.childCount):
        yield from descendants(acc.getChildAtIndex(i), depth + 1)


def run(host, version):
    for tool, package in (("Xvfb", "xvfb"), ("dbus-daemon", "dbus-daemon")):
        check(shutil.which(tool), f"{tool} not found (Debian package {package}; scripts/deps.sh --test)")
    check(os.access(LAUNCHER, os.X_OK), f"{LAUNCHER} not found (Debian package at-spi2-core; scripts/deps.sh --test)")
    become_subreaper()
    rig = Rig()
    try:
        rig.start_xvfb()
        rig.start_bus()
        env = rig.environment()
        # The library reads where the buses are when it is loaded.
        os.environ.update({k: env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
                                               "GSETTINGS_BACKEND")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        try:
            import gi
            gi.require_version("Gio", "2.0")
            from gi.repository import Gio, GLib
            import pyatspi
        except (ImportError, ValueError) as e:
            raise Failure(f"pyatspi cannot be loaded ({e}): Debian package python3-pyatspi, "
                          "for Debian's own python3; scripts/deps.sh --test")
        bus = screen_reader_on(Gio, GLib, rig.bus)

        host_proc = rig.start([host], env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT)

        def app():
            check(host_proc.poll() is None, f"the splash host ended ({host_proc.returncode})")
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                a = desktop.getChildAtIndex(i)
                try:
                    if a is not None and a.get_process_id() == host_proc.pid and a.childCount:
                        return a
                except Exception:
                    continue  # gone in between
            return None

        application = wait("the splash host on the accessibility bus", app)

        def label():
            for acc in descendants(application):
                if acc.getRole() == pyatspi.ROLE_LABEL and acc.name == version:
                    return acc
            return None

        lbl = wait(f"a label {version!r} on the accessibility bus", label, timeout=10)
        window = application.getChildAtIndex(0)
        print(f"found: {window.getRoleName()} {window.name!r} > {lbl.getRoleName()} {lbl.name!r}")
        check(window.name == "Tarnwick", f"the splash window's accessible name: {window.name!r}")
        states = lbl.getState()
        check(states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE),
              "the version label is not shown")
        # Over the picture, on its lower part, where the picture shows the
        # version: a reader's review cursor follows these extents.
        w = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        e = lbl.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(f"window {w.x},{w.y} {w.width}x{w.height}; label {e.x},{e.y} {e.width}x{e.height}")
        check(w.width > 0 and e.width > 0 and e.height > 0, "the splash or its label has no size")
        check(w.x <= e.x and e.x + e.width <= w.x + w.width and w.y + w.height // 2 <= e.y
              and e.y + e.height <= w.y + w.height, "the version label lies outside the picture's lower half")

        host_proc.stdin.close()
        try:
            rc = host_proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            raise Failure("the splash host still runs 20 s after its input closed")
        out = host_proc.stdout.read().decode(errors="replace")
        check(rc == 0, f"the splash host exit status {rc}:\n{out}")
        bus.close_sync(None)
    finally:
        rig.stop()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    try:
        run(os.path.abspath(sys.argv[1]), sys.argv[2])
    except Failure as e:
        print(f"FAILED: {e}")
        return 1
    print("the splash's version is read through the accessibility bus")
    return 0


if __name__ == "__main__":
    sys.exit(main())
