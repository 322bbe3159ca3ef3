#pragma once

#include <optional>
#include <string>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

// The GTK dialog, from a module loaded only now, so that the usage screen
// and the terminal box never load a GUI library. Declines without a
// display, without the module or when GTK cannot start.
std::optional<int> ShowGtkBox(const std::string& text, const std::string& title,
                              const BoxLayout& layout);

}  // namespace zorvane::posix
