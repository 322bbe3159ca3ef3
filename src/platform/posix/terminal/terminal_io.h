#pragma once

#include <termios.h>

#include <optional>

#include "platform/posix/ending_signals.h"
#include "platform/posix/terminal/terminal_drawing.h"

namespace zorvane::posix {

struct Terminal {
  int fd;               // the controlling terminal, never stdout or stderr
  SignalWatch signals;  // read beside the keys
  termios saved;
};

// Opens /dev/tty once this process is in the terminal's foreground (a
// background job stops until it is brought there, as job control wants)
// and takes the signals that must restore the terminal. Signals the
// caller left ignored stay ignored. No value without a terminal.
std::optional<Terminal> OpenTerminal();

// Raw keys, the box's own screen, no cursor, and nothing typed before the
// box could be seen.
void TakeTerminal(const Terminal& terminal);

// The caller's mode, cursor and screen back, and the terminal closed.
void CloseTerminal(const Terminal& terminal);

// Acts on a signal taken from `terminal.signals`: a window change needs
// only a redraw; Ctrl-Z gives the terminal back, stops, and takes it again
// once continued in the foreground; an ending signal restores the terminal
// and ends the process by that signal. False when the terminal is lost.
bool HandleSignal(const Terminal& terminal, int signal);

Screen MeasureScreen(int fd);

}  // namespace zorvane::posix
