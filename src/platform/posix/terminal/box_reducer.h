#pragma once

// The terminal box's reducer: what one input does to the box, and what the
// terminal must be made to do about it, as values the loop carries out.
#include <cstddef>
#include <optional>
#include <vector>

#include "platform/posix/box/box_style.h"
#include "platform/posix/terminal/box_geometry.h"
#include "platform/posix/terminal/key_reader.h"

namespace zorvane::posix {

// What the user has moved: the focused button and the first text line shown.
struct BoxView {
  std::size_t focus = 0;
  std::size_t scroll = 0;
};

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
  Interrupt,  // SIGINT for the job
  Quit,       // SIGQUIT for the job
  Suspend,    // the terminal given back and the job stopped
};

struct Reduced {
  BoxState state;
  std::vector<Effect> effects;
};

BoxState StartState(const BoxStyle& style);

// One key press or control chord applied; nothing after the answer counts.
// The terminal's replies are the lease's, not the box's: they change
// nothing here. Scrolling stays inside the text as `box` shows it.
Reduced Reduce(const BoxState& state, const BoxStyle& style, const BoxGeometry& box,
               const LineKeys& keys, const Input& input);

// The view kept inside the text as `box` shows it: after every key, and
// for a box measured anew (the screen changed size). The one place a
// scroll position is bounded.
BoxView Clamped(BoxView view, const BoxGeometry& box);

}  // namespace zorvane::posix
