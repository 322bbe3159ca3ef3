#pragma once

namespace zorvane::posix {

// One box at a time on a terminal (make -j2, xargs -P2): waits for an
// advisory lock on the terminal's own device, which the lock's descriptor
// holds until it is closed. /dev/tty cannot carry it: every terminal
// shares that one file. Waits with the caller's signal mask, so an ending
// signal ends a waiting box at once. -1, and no wait, where the device
// cannot be found.
int LockTerminal(int fd);

}  // namespace zorvane::posix
