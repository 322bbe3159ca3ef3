#pragma once

#include <sys/types.h>
#include <termios.h>

#include <optional>
#include <string>

#include "platform/posix/ending_signals.h"
#include "platform/posix/terminal/terminal_drawing.h"

namespace zorvane::posix {

struct Terminal {
  int fd;                // the controlling terminal, never stdout or stderr
  SignalWatch signals;   // read beside the keys
  termios saved;         // the caller's mode, restored exactly
  pid_t lentBy = -1;     // the foreground group to hand the terminal back to, if it was taken
  bool held = false;     // in the box's mode and on its screen now
  bool queried = false;  // the attributes query went out
  bool keyboardProtocol = false;  // the protocol that sends Escape unambiguously is on
};

// Opens /dev/tty once this process is in the terminal's foreground and
// takes the signals that must restore the terminal. A background job
// stops until it is brought there, as job control wants. No value without
// a terminal.
std::optional<Terminal> OpenTerminal();

// Raw keys, the box's own screen, no cursor, nothing typed before the box
// could be seen; the first time, the queries for the terminal's keyboard
// protocol and attributes.
void TakeTerminal(Terminal& terminal);

// Turns on the keyboard protocol that the terminal said it has.
void UseKeyboardProtocol(Terminal& terminal);

// The caller's mode, cursor, screen and foreground back; the terminal closed.
void CloseTerminal(Terminal& terminal);

enum class SignalOutcome { Redraw, Lost };

// Acts on a signal taken from `terminal.signals`: a window change needs a
// redraw; Ctrl-Z gives the terminal back, stops, and takes it again once
// continued in the foreground; an ending signal restores the terminal and
// ends the process by that signal, at once even while stopped. Lost when
// the terminal cannot be had again.
SignalOutcome HandleSignal(Terminal& terminal, int signal);

// Ctrl keys that the keyboard protocol reported, sent as the terminal's
// line discipline would have sent them: interrupt, quit and suspend.
void RaiseControls(const Terminal& terminal, const std::string& controls);

Screen MeasureScreen(int fd);

}  // namespace zorvane::posix
