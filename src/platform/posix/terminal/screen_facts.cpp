#include "platform/posix/terminal/screen_facts.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

extern char** environ;

namespace zorvane::posix {
namespace {

// "off" from `tmux show-options`, within half a second; anything else (no
// answer, another tmux, an error) leaves the alternate screen on.
bool TmuxOptionOff() {
  const char* pane = std::getenv("TMUX_PANE");
  if (!std::getenv("TMUX") || !pane) return false;
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const char* arguments[] = {"tmux", "show-options",     "-Awqv", "-t",
                             pane,   "alternate-screen", nullptr};
  pid_t child = -1;
  const int spawned =
      posix_spawnp(&child, "tmux", &actions, nullptr, const_cast<char* const*>(arguments), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(channel[1]);
  std::string said;
  pollfd watched{channel[0], POLLIN, 0};
  char bytes[16];
  while (spawned == 0 && said.size() < 16 && poll(&watched, 1, 500) > 0) {
    const ssize_t length = read(channel[0], bytes, sizeof bytes);
    if (length <= 0) break;
    said.append(bytes, static_cast<std::size_t>(length));
  }
  close(channel[0]);
  if (spawned == 0) {
    kill(child, SIGKILL);  // gone already, unless it hangs
    waitpid(child, nullptr, 0);
  }
  return said == "off\n";
}

}  // namespace

ScreenFacts ReadScreenFacts(const TerminfoEntry& terminfo) {
  ScreenFacts facts;
  facts.terminfo = terminfo;
  facts.inGnuScreen = std::getenv("STY") != nullptr;
  facts.tmuxSaysOff = TmuxOptionOff();
  return facts;
}

}  // namespace zorvane::posix
