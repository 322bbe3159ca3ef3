#pragma once

// Keys and clicks meant for another window: what reaches the box in the
// first moments after it takes the focus answers nothing.
#include <gtk/gtk.h>

#include <vector>

namespace zorvane::posix {

struct DeafTime {
  gint64 focusedAt = 0;          // when the box last took the focus (monotonic µs)
  std::vector<guint> held;       // keys and mouse buttons pressed since, not swallowed
  std::vector<guint> swallowed;  // those pressed too early, until released
};

// Whether to drop `event`: a press in the deaf time after the box takes the
// focus, with its repeats and the rest of its click, and the release of a
// key or button whose press the box did not take (pressed too early, or
// before the box had the focus). Focus changes start the deaf time.
bool Swallowed(DeafTime& state, const GdkEvent* event);

}  // namespace zorvane::posix
