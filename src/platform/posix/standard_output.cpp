#include <csignal>

#include "platform/platform.h"
#include "platform/posix/write_all.h"

namespace zorvane::platform {

void WriteStandardOutput(const std::vector<std::string_view>& pieces) {
  // A reader that went away must not kill the process: the usage screen
  // still ends with status 0.
  std::signal(SIGPIPE, SIG_IGN);
  for (std::string_view piece : pieces) posix::WriteAll(STDOUT_FILENO, piece);
}

}  // namespace zorvane::platform
