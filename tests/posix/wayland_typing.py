#!/usr/bin/python3
"""The desktop box on a Wayland desktop, mutter headless: typed at 110 ms a
key from before it appears, the box takes the focus as it maps and still
never answers; a key after a pause does.
Keys go in through mutter's remote desktop interface, as a real keyboard's
would. Run under its own D-Bus session (dbus-run-session)."""
import os
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import check, finish  # noqa: E402

ZORVANE = os.environ["ZORVANE_BIN"]
RUNS = int(os.environ.get("ZORVANE_WM_RUNS", "5"))
SENTENCE = "the quick brown fox jumps over the lazy dog"


class Mutter:
    """mutter as a headless Wayland compositor, and a keyboard for it."""

    def __init__(self, runtime):
        # No screen reader here: the accessibility bus's socket would be
        # shared with the tests that use one.
        self.env = dict(os.environ, XDG_RUNTIME_DIR=runtime, NO_AT_BRIDGE="1")
        self.env.pop("DISPLAY", None)
        self.process = subprocess.Popen(
            ["mutter", "--wayland", "--headless", "--virtual-monitor", "1280x800", "--no-x11",
             "--wayland-display", "zorvane-test"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(os.path.join(runtime, "zorvane-test")):
                break
            time.sleep(0.1)
        self.env["WAYLAND_DISPLAY"] = "zorvane-test"
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.session = self.call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                                 "CreateSession").unpack()[0]
        self.call(self.session, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
        self.key(0xFFE1)  # a Shift, so that the seat has its keyboard before any window

    def call(self, path, interface, method, arguments=None):
        return self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method,
                                  arguments, None, Gio.DBusCallFlags.NONE, -1, None)

    def key(self, keysym):
        for pressed in (True, False):
            self.call(self.session, "org.gnome.Mutter.RemoteDesktop.Session",
                      "NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, pressed)))

    def box(self, title):
        return subprocess.Popen([ZORVANE, "Go on?", title, "36"], env=self.env)

    def stop(self):
        self.process.terminate()
        self.process.wait()


def answer_of(box):
    """The box's answer by now, or "none" while it waits (then closed)."""
    if box.poll() is None:
        box.kill()
        box.wait()
        return "none"
    return str(box.returncode)


def typing_as_it_appears(mutter):
    box = None
    started = time.monotonic()
    for character in SENTENCE:
        if box is None and time.monotonic() - started > 1:
            box = mutter.box("Deploy")
        mutter.key(ord(character))
        time.sleep(0.11)
    return answer_of(box)


def answered_after_a_pause(mutter):
    box = mutter.box("Asked")
    time.sleep(2.0)  # mapped and focused well before: the first key counts
    mutter.key(ord("n"))
    try:
        return str(box.wait(timeout=3))
    except subprocess.TimeoutExpired:
        return answer_of(box)


with tempfile.TemporaryDirectory() as runtime:
    os.chmod(runtime, 0o700)
    mutter = Mutter(runtime)
    try:
        for run in range(1, RUNS + 1):
            check(f"mutter Wayland, typing as a box appears ({run}): no answer", "none",
                  typing_as_it_appears(mutter))
        check("mutter Wayland, n after a pause: No", "7", answered_after_a_pause(mutter))
    finally:
        mutter.stop()
finish()
