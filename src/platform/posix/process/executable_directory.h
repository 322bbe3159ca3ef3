#pragma once

#include <initializer_list>
#include <string>

namespace zorvane::posix {

// The folder this binary was started from, empty where it cannot be told;
// the GTK helper and the message catalogue are found relative to it.
std::string ExecutableDirectory();

// The first of `relatives` (each from that folder, beginning with "/")
// that `access` allows in `mode`; "" where none does.
std::string BesideExecutable(std::initializer_list<std::string> relatives, int mode);

}  // namespace zorvane::posix
