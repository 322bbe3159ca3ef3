#pragma once

// Bytes as a terminal sends them, a read each, applied to a box in order
// from `start`, with the caller's keys Ctrl-C, Ctrl-\ and Ctrl-Z; each read
// followed by the quiet after it where `quiet`.
#include <string>
#include <vector>

#include "platform/posix/terminal/box_reducer.h"

namespace zorvane::posix {

struct Outcome {
  BoxState state;
  std::vector<Effect> effects;
};

inline std::vector<Input> ReadAll(KeyReader& reader, const std::vector<std::string>& reads,
                                  bool quiet) {
  std::vector<Input> inputs;
  for (const std::string& bytes : reads) {
    ReadInputs(reader, bytes, inputs);
    if (quiet) ReadQuiet(reader, inputs);
  }
  return inputs;
}

inline Outcome ApplyInputs(const BoxStyle& style, const BoxGeometry& box,
                           const std::vector<Input>& inputs, BoxView start = {}) {
  Outcome run{StartState(style), {}};
  if (start.focus || start.scroll) run.state.view = start;
  for (const Input& input : inputs) {
    Reduced next = Reduce(run.state, style, box, {0x03, 0x1c, 0x1a}, input);
    run.state = next.state;
    run.effects.insert(run.effects.end(), next.effects.begin(), next.effects.end());
  }
  return run;
}

inline Outcome ApplyReads(const BoxStyle& style, const BoxGeometry& box, KeyReader reader,
                          const std::vector<std::string>& reads, bool quiet, BoxView start = {}) {
  return ApplyInputs(style, box, ReadAll(reader, reads, quiet), start);
}

}  // namespace zorvane::posix
