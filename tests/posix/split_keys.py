#!/usr/bin/python3
"""The terminal box on a pty whose bytes come apart, as over a serial line
or ssh: a key means the same however its bytes arrive, and mouse reports a
program left on are never keys, however many come at once."""
import os
import pty
import select
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import check, finish  # noqa: E402

ZORVANE = os.environ["ZORVANE_BIN"]


def answer(style, writes):
    """A box of `style` on a fresh pty; once it is drawn, each of `writes`
    goes to the terminal 50 ms after the one before. Returns its status."""
    pid, master = pty.fork()
    if pid == 0:
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(TERM="xterm", LC_ALL="C.UTF-8")
        os.execve(ZORVANE, [ZORVANE, "Go on?", "Split", str(style)], env)
    output = b""
    deadline = time.monotonic() + 10
    while b"<" not in output and time.monotonic() < deadline:
        if select.select([master], [], [], 0.05)[0]:
            output += os.read(master, 4096)
    os.write(master, b"\x1b[?62;22c")  # the attributes reply the box asks for
    for chunk in writes:
        time.sleep(0.05)
        os.write(master, chunk)
    while time.monotonic() < deadline:
        if not select.select([master], [], [], 0.05)[0]:
            continue
        try:
            if not os.read(master, 4096):
                break
        except OSError:
            break
    _, status = os.waitpid(pid, 0)
    os.close(master)
    return os.waitstatus_to_exitcode(status)


FLOOD = b"x" + b"\x1b[MCyn" * 50
CASES = [
    ("8-bit Up in two writes, then i on Abort/Retry/Ignore: Ignore", 2, [b"\x9b", b"A", b"i"], 5),
    ("8-bit Right in two writes, then Escape on Cancel/Try Again/Continue: Cancel", 6,
     [b"\x9b", b"C", b"\x1b"], 2),
    ("a mouse click in two writes, then n: No", 4, [b"\x1b[M", b" !!", b"n"], 7),
    ("x and 50 mouse reports at once, then n: No", 4, [FLOOD, b"n"], 7),
]
for name, style, writes, expected in CASES:
    check(name, expected, answer(style, writes))
finish()
