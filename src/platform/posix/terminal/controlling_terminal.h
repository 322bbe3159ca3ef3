#pragma once

#include <fcntl.h>

namespace zorvane::posix {

// The process's controlling terminal, whatever its standard streams are;
// -1 where it has none. Never made the controlling terminal of a process
// that has none, and closed across an exec.
inline int OpenControllingTerminal() {
  return open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
}

}  // namespace zorvane::posix
