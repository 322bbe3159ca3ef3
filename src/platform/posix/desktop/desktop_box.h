#pragma once

#include <optional>
#include <string>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

// The GTK dialog on an X display, or on a Wayland one where there is no X,
// shown by a child process that hands the pressed button's code back
// through a pipe: only a code handed back is an answer, so nothing that
// ends the toolkit (a lost display, a crash, a kill) can pass for one; all
// of those answer 0. Declines without a display, when the child could not
// be made, or when GTK cannot start here.
std::optional<int> ShowDesktopBox(const std::string& text, const std::string& title,
                                  const BoxStyle& style);

}  // namespace zorvane::posix
