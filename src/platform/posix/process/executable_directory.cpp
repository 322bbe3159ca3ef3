#include "platform/posix/process/executable_directory.h"

#include <unistd.h>

#include <climits>

namespace zorvane::posix {

std::string ExecutableDirectory() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string executable(path, static_cast<std::size_t>(length));
  return executable.substr(0, executable.find_last_of('/'));
}

std::string BesideExecutable(std::initializer_list<std::string> relatives, int mode) {
  const std::string directory = ExecutableDirectory();
  if (directory.empty()) return {};
  for (const std::string& relative : relatives) {
    if (access((directory + relative).c_str(), mode) == 0) return directory + relative;
  }
  return {};
}

}  // namespace zorvane::posix
