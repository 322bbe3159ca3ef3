#pragma once
// Starting a command on a fresh 80x24 pseudo-terminal, as an xterm with
// no display, for the terminal benchmarks.

#include <pty.h>

#include <cstdlib>
#include <string>

#include "bench_common.h"

// The command's process; `master` is the terminal's other end.
inline pid_t StartOnTerminal(const std::string& command, int& master) {
  winsize size{24, 80, 0, 0};
  const pid_t child = forkpty(&master, nullptr, nullptr, &size);
  if (child == 0) {
    setenv("TERM", "xterm", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    ExecWords(command);
  }
  return child;
}
