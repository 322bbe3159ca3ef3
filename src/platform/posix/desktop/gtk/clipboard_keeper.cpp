#include "platform/posix/desktop/gtk/clipboard_keeper.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "platform/posix/process/executable_directory.h"
#include "platform/posix/process/write_all.h"

namespace zorvane::posix {

bool KeepOnClipboard(const std::string& display, const std::string& utf8, unsigned long owner) {
  const std::string from = std::to_string(owner);
  const std::string keeper = BesideExecutable({"/zorvane-clipboard"}, X_OK);
  if (keeper.empty()) return false;
  int text[2];
  if (pipe2(text, O_CLOEXEC) != 0) return false;
  // A box's copy is far smaller than a pipe holds: written whole before
  // the keeper starts, so that nothing here waits for it.
  WriteAll(text[1], utf8);
  close(text[1]);
  const pid_t child = fork();
  if (child == 0) {
    setsid();
    if (chdir("/") != 0) _exit(0);
    dup2(text[0], STDIN_FILENO);
    // It outlives the box by minutes: it holds none of the box's streams,
    // which lead to the tool that waits for the box.
    const int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    close_range(STDERR_FILENO + 1, ~0U, 0);
    std::signal(SIGHUP, SIG_IGN);
    execl(keeper.c_str(), "zorvane-clipboard", display.c_str(), from.c_str(),
          static_cast<char*>(nullptr));
    _exit(0);
  }
  close(text[0]);
  return child > 0;
}

bool IsLocalDisplay(std::string_view name) {
  const std::size_t colon = name.rfind(':');
  if (colon == std::string_view::npos) return false;
  const std::string_view host = name.substr(0, colon);
  return host.empty() || host == "unix";
}

}  // namespace zorvane::posix
