#pragma once

#include <optional>
#include <string>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

// A box drawn on the controlling terminal (/dev/tty, never stdout or
// stderr); on a terminal that takes no escape sequences, a line prompt.
// Declines when there is no terminal.
std::optional<int> ShowTerminalBox(const std::string& text, const std::string& title,
                                   const BoxStyle& style);

}  // namespace zorvane::posix
