#pragma once

#include <optional>
#include <string>

#include "platform/posix/box/box_style.h"
#include "platform/posix/box/unanswered.h"

namespace zorvane::posix {

struct DesktopOutcome {
  std::optional<int> answer;  // the pressed button's code; none where no box answered
  NoAnswer noAnswer;          // why none did: none shown here, or one shown that went away
};

// The GTK dialog on an X display, or on a Wayland one where there is no X,
// shown by a child process that hands the pressed button's code back
// through a pipe: only a code handed back is an answer, so nothing that
// ends the toolkit (a lost display, a crash, a kill) can pass for one.
// No box is shown without a display, when the child could not be made, or
// when GTK cannot start here; what the helper writes on its standard error
// before it could show one (the loader's words where GTK is missing) says
// why.
DesktopOutcome ShowDesktopBox(const std::string& text, const std::string& title,
                              const BoxStyle& style);

}  // namespace zorvane::posix
