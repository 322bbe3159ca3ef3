// pty_time RUNS COMMAND...: runs each command RUNS times,
// interleaved, on a fresh 80x24 pseudo-terminal, and prints the median
// time in ms from exec to the last byte of its first screen (the output
// then stays quiet for 300 ms), then ends the command.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "pty_common.h"

namespace {

double RunOnce(const std::string& command) {
  int master = -1;
  const double start = NowMs();
  const pid_t child = StartOnTerminal(command, master);
  double lastByte = -1;
  char buffer[8192];
  for (;;) {
    pollfd output{master, POLLIN, 0};
    if (poll(&output, 1, lastByte < 0 ? 10000 : 300) <= 0) break;
    if (read(master, buffer, sizeof buffer) <= 0) break;
    lastByte = NowMs();
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  close(master);
  return lastByte < 0 ? -1 : lastByte - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> commands(argv + 2, argv + argc);
  const auto times = MeasureInterleaved(runs, commands, RunOnce);
  for (std::size_t i = 0; i < commands.size(); ++i) {
    std::printf("%.2f\t%s\n", Median(times[i]), commands[i].c_str());
  }
}
