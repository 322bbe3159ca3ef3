#pragma once

// What this process learns of its terminal's screen, for HasAlternateScreen.
#include "platform/posix/terminal/alternate_screen.h"

namespace zorvane::posix {

// The facts for this process's terminal: its terminfo entry, GNU screen's
// variable, and tmux asked for its option.
ScreenFacts ReadScreenFacts(const TerminfoEntry& terminfo);

}  // namespace zorvane::posix
