#pragma once
// Small pieces shared by the benchmark drivers: a monotonic clock, the
// median, and starting a command.

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

inline double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Measures each command `runs` times, interleaved, so that a change in
// the machine's load touches all of them alike, and in a rotating order
// (A B C, B C A, C A B ...), since whichever comes first in a round was
// measured up to a fifth faster; returns the samples per command.
template <typename Measure>
std::vector<std::vector<double>> MeasureInterleaved(int runs,
                                                    const std::vector<std::string>& commands,
                                                    Measure measure) {
  std::vector<std::vector<double>> samples(commands.size());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t step = 0; step < commands.size(); ++step) {
      const std::size_t i = (static_cast<std::size_t>(run) + step) % commands.size();
      samples[i].push_back(measure(commands[i]));
    }
  }
  return samples;
}

// Runs a command given as words separated by single spaces, with no shell
// in between, so that only the command itself is measured.
[[noreturn]] inline void ExecWords(const std::string& command) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start <= command.size()) {
    const std::size_t end = std::min(command.find(' ', start), command.size());
    if (end > start) words.push_back(command.substr(start, end - start));
    start = end + 1;
  }
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}
