#pragma once

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace zorvane::posix {

// Writes until every byte is taken; stops at an error or a write that
// takes nothing, so a dead or full output never makes it spin.
inline bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace zorvane::posix
