#pragma once

// Whether the terminal has a screen of its own for the box, so that the
// caller's output comes back untouched when the box leaves; where it has
// none, the box is drawn below that output instead.
#include "platform/posix/terminal/terminfo.h"

namespace zorvane::posix {

struct ScreenFacts {
  TerminfoEntry terminfo;
  bool inGnuScreen = false;  // STY is set: GNU screen, whose altscreen is off by default
  bool tmuxSaysOff = false;  // the tmux pane's alternate-screen option is off
};

// From the facts: an unknown terminal is taken to have one, as every
// terminal emulator of today has.
bool HasAlternateScreen(const ScreenFacts& facts);

}  // namespace zorvane::posix
