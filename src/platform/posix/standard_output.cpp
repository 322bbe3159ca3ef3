#include <csignal>

#include "platform/platform.h"
#include "platform/posix/process/write_all.h"

namespace zorvane::platform {

void WriteStandardOutput(const std::string_view* pieces, std::size_t count) {
  // A reader that went away must not kill the process: the usage screen
  // still ends with status 0.
  std::signal(SIGPIPE, SIG_IGN);
  for (std::size_t i = 0; i < count; ++i) posix::WriteAll(STDOUT_FILENO, pieces[i]);
}

}  // namespace zorvane::platform
