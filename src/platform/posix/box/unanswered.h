#pragma once

// Why no box answered, and the one line on standard error that says so:
// with status 0 for all of these, the line is how a caller learns which.
#include <string>

namespace zorvane::posix {

enum class Unanswered : unsigned char {
  NoDisplay,       // no display to show the desktop box on
  NotInstalled,    // the desktop box's program is not beside the tool
  CouldNotStart,   // it could not start; `detail` says why (the loader's words)
  DisplayRefused,  // it could not open the display named in `detail`
  WindowClosed,    // shown, then another program closed its window
  DisplayLost,     // shown, then its display went away
  Ended,           // the program that drew it ended; `detail` says how
};

struct NoAnswer {
  Unanswered why = Unanswered::NoDisplay;
  std::string detail = {};
  bool shown = false;  // the box was on the screen: it went away unanswered
};

// "zorvane: ..." and a line end: why no box could be shown, where no
// terminal could show one either, or why the shown box went away.
std::string NoAnswerLine(const NoAnswer& noAnswer);

}  // namespace zorvane::posix
