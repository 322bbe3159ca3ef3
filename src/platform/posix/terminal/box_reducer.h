#pragma once

// The terminal box's reducer: what one input does to the box, and what the
// terminal must be made to do about it, as values the loop carries out.
#include <optional>
#include <vector>

#include "platform/posix/box/box_style.h"
#include "platform/posix/terminal/box_geometry.h"
#include "platform/posix/terminal/box_paint.h"
#include "platform/posix/terminal/key_reader.h"

namespace zorvane::posix {

struct BoxState {
  BoxView view;
  std::optional<int> answer;
};

// The caller's interrupt, quit and suspend characters, which the box acts
// on as the line discipline would have; 0 where one is off.
struct LineKeys {
  wchar_t interrupt = 0;
  wchar_t quit = 0;
  wchar_t suspend = 0;
};

enum class Effect : unsigned char {
  UseKeyboardProtocol,  // the terminal has it: turn it on
  RepliesIn,            // the terminal has answered the box's queries
  Interrupt,            // SIGINT for the job
  Quit,                 // SIGQUIT for the job
  Suspend,              // the terminal given back and the job stopped
};

struct Reduced {
  BoxState state;
  std::vector<Effect> effects;
};

BoxState StartState(const BoxStyle& style);

// One input applied. Nothing after the answer counts but the terminal's
// replies, which still must be read for the terminal to be left as found.
// Scrolling stays inside the text as `box` shows it.
Reduced Reduce(const BoxState& state, const BoxStyle& style, const BoxGeometry& box,
               const LineKeys& keys, const Input& input);

// The view inside a box measured anew (the screen changed size).
BoxView Clamped(BoxView view, const BoxGeometry& box);

}  // namespace zorvane::posix
