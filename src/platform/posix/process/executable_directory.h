#pragma once

#include <string>

namespace zorvane::posix {

// The folder this binary was started from, empty where it cannot be told;
// the GTK helper and the message catalogue are found relative to it.
std::string ExecutableDirectory();

}  // namespace zorvane::posix
