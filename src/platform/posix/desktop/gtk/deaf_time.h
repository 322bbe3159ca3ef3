#pragma once

// Keys and clicks meant for another window: what reaches the box in the
// first moments after it takes the focus answers nothing.
#include <gtk/gtk.h>

#include <vector>

namespace zorvane::posix {

struct DeafTime {
  gint64 focusedAt = 0;          // when the box first took the focus (monotonic µs); 0 before
  std::vector<guint> held;       // keys and mouse buttons pressed since, not swallowed
  std::vector<guint> swallowed;  // those pressed too early, or down before, until released
};

// The box took the focus. The first time, the deaf time starts; when the
// user comes back to the box later, what they do on it is meant for it.
void TookFocus(DeafTime& state);

// A key press as the X server marks it (`repeat`: made by auto-repeat).
// The repeat of a press the box never took is a key held down since before
// the box had the focus: it answers nothing until released. A fresh press
// of a key whose release went to another window counts again.
void SawKeyPress(DeafTime& state, guint key, bool repeat);

// Whether to drop `event`: a press in the deaf time after the box first
// takes the focus, with its repeats and the rest of its click, a key held
// since before, and the release of a key or button whose press the box
// did not take.
bool Swallowed(DeafTime& state, const GdkEvent* event);

}  // namespace zorvane::posix
