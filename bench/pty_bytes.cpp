// pty_bytes KEYS COMMAND...: runs each command on a fresh 80x24
// pseudo-terminal and prints the bytes it writes for its first screen,
// then for each key of KEYS in turn (C-style escapes: \t, \e, \r; keys
// separated by commas), each counted until the output stays quiet for
// 300 ms; tab-separated, the command last.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "pty_common.h"

namespace {

std::size_t BytesUntilQuiet(int master, int firstWaitMs) {
  std::size_t total = 0;
  char buffer[8192];
  for (int wait = firstWaitMs;; wait = 300) {
    pollfd output{master, POLLIN, 0};
    if (poll(&output, 1, wait) <= 0) break;
    const ssize_t length = read(master, buffer, sizeof buffer);
    if (length <= 0) break;
    total += static_cast<std::size_t>(length);
  }
  return total;
}

std::vector<std::string> Keys(const std::string& spelled) {
  std::vector<std::string> keys(1);
  for (std::size_t i = 0; i < spelled.size(); ++i) {
    if (spelled[i] == ',') {
      keys.emplace_back();
    } else if (spelled[i] == '\\' && i + 1 < spelled.size()) {
      const char next = spelled[++i];
      keys.back() += next == 't' ? '\t' : next == 'e' ? '\x1b' : next == 'r' ? '\r' : next;
    } else {
      keys.back() += spelled[i];
    }
  }
  return keys;
}

void Measure(const std::vector<std::string>& keys, const std::string& command) {
  int master = -1;
  const pid_t child = StartOnTerminal(command, master);
  std::printf("%zu", BytesUntilQuiet(master, 10000));
  for (const std::string& key : keys) {
    if (write(master, key.data(), key.size()) != static_cast<ssize_t>(key.size())) break;
    std::printf("\t%zu", BytesUntilQuiet(master, 300));
  }
  std::printf("\t%s\n", command.c_str());
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  close(master);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::vector<std::string> keys = Keys(argv[1]);
  for (int i = 2; i < argc; ++i) Measure(keys, argv[i]);
}
