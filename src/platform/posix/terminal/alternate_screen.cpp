#include "platform/posix/terminal/alternate_screen.h"

namespace zorvane::posix {

bool HasAlternateScreen(const ScreenFacts& facts) {
  if (facts.terminfo.known && !facts.terminfo.hasSmcup) return false;
  return !facts.inGnuScreen && !facts.tmuxSaysOff;
}

}  // namespace zorvane::posix
