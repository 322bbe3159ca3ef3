// startup RUNS COMMAND...: runs each command RUNS times, interleaved
// (A B C A B C ...), with stdout to a pipe that is read to the end, and
// prints each one's median wall time in ms and its ratio to the first.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "bench_common.h"

namespace {

double TimeOnce(const std::string& command) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    ExecWords(command);
  }
  close(pipeFds[1]);
  char buffer[4096];
  while (read(pipeFds[0], buffer, sizeof buffer) > 0) {
  }
  close(pipeFds[0]);
  waitpid(child, nullptr, 0);
  return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> commands(argv + 2, argv + argc);
  const auto times = MeasureInterleaved(runs, commands, TimeOnce);
  const double base = Median(times[0]);
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const double median = Median(times[i]);
    std::printf("%.3f\t%.2f\t%s\n", median, median / base, commands[i].c_str());
  }
}
