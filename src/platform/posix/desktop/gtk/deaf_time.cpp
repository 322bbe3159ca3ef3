#include "platform/posix/desktop/gtk/deaf_time.h"

#include <algorithm>

namespace zorvane::posix {
namespace {

// Keys and clicks that reach the box this soon after it takes the focus
// were meant for the window the user was typing in: nobody has read the
// box yet. Short enough that a person who reads the box never meets it.
constexpr std::int64_t FirstDeafMicroseconds = 300000;
// A key or click swallowed keeps the box deaf this long after it: someone
// typing elsewhere rarely pauses longer between keys, someone who turns to
// read the box always does.
constexpr std::int64_t TypingPauseMicroseconds = 600000;

bool Holds(const std::vector<InputId>& inputs, InputId input) {
  return std::find(inputs.begin(), inputs.end(), input) != inputs.end();
}

bool TakeFrom(std::vector<InputId>& inputs, InputId input) {
  const auto found = std::find(inputs.begin(), inputs.end(), input);
  if (found == inputs.end()) return false;
  inputs.erase(found);
  return true;
}

bool Deaf(const DeafTime& state, std::int64_t now) {
  return state.deafUntil != 0 && now < state.deafUntil;
}

}  // namespace

void TookFocus(DeafTime& state, std::int64_t now) {
  if (state.deafUntil == 0) state.deafUntil = now + FirstDeafMicroseconds;
}

void LostFocus(DeafTime& state) {
  state.held.clear();
}

void SawKeyPress(DeafTime& state, InputId key, bool repeat) {
  if (!repeat) {
    TakeFrom(state.swallowed, key);
  } else if (!Holds(state.held, key) && !Holds(state.swallowed, key)) {
    state.swallowed.push_back(key);
  }
}

bool Swallowed(DeafTime& state, InputAction action, InputId input, std::int64_t now) {
  const bool deaf = Deaf(state, now);
  switch (action) {
    case InputAction::Press:
      if (deaf || Holds(state.swallowed, input)) {
        if (deaf) state.deafUntil = now + TypingPauseMicroseconds;
        if (!Holds(state.swallowed, input)) state.swallowed.push_back(input);
        return true;
      }
      if (!Holds(state.held, input)) state.held.push_back(input);
      return false;
    case InputAction::MultiClick: return deaf || Holds(state.swallowed, input);
    case InputAction::Release:
      if (TakeFrom(state.held, input)) return false;
      TakeFrom(state.swallowed, input);
      return true;
  }
  return false;
}

}  // namespace zorvane::posix
