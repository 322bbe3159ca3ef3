#pragma once

#include <cstddef>
#include <string>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

struct Screen {
  int rows = 24;
  int columns = 80;
};

// The whole box as bytes for the terminal: cleared screen, frame with the
// title, the text made safe and wrapped to the screen, and the button row
// with `focus` highlighted, centred on `screen`.
std::string DrawBox(const std::string& text, const std::string& title, const BoxLayout& layout,
                    std::size_t focus, Screen screen);

}  // namespace zorvane::posix
