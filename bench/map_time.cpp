// map_time RUNS COMMAND...: starts each command RUNS times,
// interleaved, and waits for the MapNotify of its first top-level window
// (no polling; Wine's unmanaged windows are override-redirect, so those
// count too); prints the median time from exec to mapped in ms, the
// median peak RSS in KiB and the median of each round's ratio to the first
// command, then ends the command. The ratio is taken within a round, so
// that a change in the machine's pace between rounds touches both times
// of a ratio alike.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "bench_common.h"

namespace {

struct Sample {
  double mappedMs;
  double peakKib;
};

bool WaitForMap(Display* display, double deadline) {
  const int fd = ConnectionNumber(display);
  while (NowMs() < deadline) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return true;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval wait{0, 100000};
    select(fd + 1, &readable, nullptr, nullptr, &wait);
  }
  return false;
}

Sample RunOnce(Display* display, const std::string& command) {
  XSync(display, True);  // forget events of earlier runs
  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) ExecWords(command);
  const bool mapped = WaitForMap(display, start + 30000);
  const double mappedMs = NowMs() - start;
  kill(child, SIGTERM);
  rusage usage{};
  int status = 0;
  wait4(child, &status, 0, &usage);
  return {mapped ? mappedMs : -1, static_cast<double>(usage.ru_maxrss)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  const int runs = std::atoi(argv[1]);
  std::vector<std::string> commands(argv + 2, argv + argc);
  std::vector<std::vector<double>> peaks(commands.size());
  const auto times = MeasureInterleaved(runs, commands, [&](const std::string& command) {
    const Sample sample = RunOnce(display, command);
    peaks[static_cast<std::size_t>(&command - commands.data())].push_back(sample.peakKib);
    return sample.mappedMs;
  });
  for (std::size_t i = 0; i < commands.size(); ++i) {
    std::vector<double> ratios;
    for (std::size_t run = 0; run < times[i].size(); ++run)
      ratios.push_back(times[i][run] / times[0][run]);
    std::printf("%.1f\t%.0f\t%.3f\t%s\n", Median(times[i]), Median(peaks[i]), Median(ratios),
                commands[i].c_str());
  }
}
