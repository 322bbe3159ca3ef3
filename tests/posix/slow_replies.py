#!/usr/bin/python3
"""The terminal box on a pty whose replies come late, as over a slow link:
the attributes reply is read by the box, however late within a second of
the query, and never reaches the next program; without a reply the box
ends within that second; a person who answers after it never waits."""
import os
import pty
import select
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from checks import check, finish  # noqa: E402

ZORVANE = os.environ["ZORVANE_BIN"]
QUERY = b"\x1b[c"
REPLY = b"\x1b[?62;22c"

# After the box, whatever is left unread on the terminal, as the next
# program would read it.
SCRIPT = """
"$ZORVANE_BIN" Slow T 1
echo "status=$?"
stty raw -echo
sleep 1
dd bs=64 count=1 iflag=nonblock 2>/dev/null | od -An -c | tr -s ' '
echo "end"
"""


def run(reply_after, answer_after):
    """Starts the box; once its query is out, answers with Return after
    answer_after s and replies after reply_after s (None: never). Returns
    the script's output after the box and how long the box took."""
    pid, master = pty.fork()
    if pid == 0:
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(TERM="xterm", LC_ALL="C")
        os.execve("/bin/sh", ["sh", "-c", SCRIPT], env)
    output = b""
    queried = None
    ended = None  # when the box's status came
    events = sorted(e for e in [(answer_after, b"\r"), (reply_after, REPLY)] if e[0] is not None)
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        now = time.monotonic()
        while queried is not None and events and now >= queried + events[0][0]:
            os.write(master, events.pop(0)[1])
        ready, _, _ = select.select([master], [], [], 0.02)
        if ready:
            try:
                chunk = os.read(master, 4096)
            except OSError:
                break
            if not chunk:
                break
            output += chunk
            if queried is None and QUERY in output:
                queried = time.monotonic()
            if ended is None and b"status=" in output:
                ended = time.monotonic()
        if b"end" in output.split(b"status=")[-1]:
            break
    os.waitpid(pid, 0)
    os.close(master)
    after = output.split(b"status=")[-1].decode(errors="replace")
    status = after.split()[0] if after.split() else "none"
    left = after.split("\n", 1)[1].replace("end", "").strip() if "\n" in after else ""
    took = ended - queried if queried and ended else -1
    return status, left, took


status, left, took = run(reply_after=0.5, answer_after=0.0)
check("a reply 0.5 s late: the answer stands", "1", status)
check("and the reply reaches no later program", "", left)
status, left, took = run(reply_after=None, answer_after=0.0)
check("no reply at all: the answer stands", "1", status)
check("and the box ends within about a second of its query", True, 0.8 < took < 1.6)
status, left, took = run(reply_after=None, answer_after=1.3)
check("answered after that second: no wait", True, 1.2 < took < 1.7)
finish()
