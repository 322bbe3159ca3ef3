#include "platform/posix/desktop/gtk/deaf_time.h"

#include <algorithm>

namespace zorvane::posix {
namespace {

// Keys and clicks that reach the box this soon after it takes the focus
// were meant for the window the user was typing in: nobody has read the
// box yet. Long enough for a key held through the change of focus and a
// fast typist's next key; short enough that a person who reads the box
// never meets it.
constexpr gint64 DeafMicroseconds = 300000;

constexpr guint MouseButtons = 0x10000;

// A key by its hardware code, a mouse button above every key code; 0 for
// other events.
guint InputOf(const GdkEvent* event) {
  switch (event->type) {
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE: return event->key.hardware_keycode;
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE: return MouseButtons + event->button.button;
    default: return 0;
  }
}

bool Holds(const std::vector<guint>& inputs, guint input) {
  return std::find(inputs.begin(), inputs.end(), input) != inputs.end();
}

bool TakeFrom(std::vector<guint>& inputs, guint input) {
  const auto found = std::find(inputs.begin(), inputs.end(), input);
  if (found == inputs.end()) return false;
  inputs.erase(found);
  return true;
}

}  // namespace

void TookFocus(DeafTime& state) {
  if (state.focusedAt == 0) state.focusedAt = g_get_monotonic_time();
}

void SawKeyPress(DeafTime& state, guint key, bool repeat) {
  if (!repeat) {
    TakeFrom(state.swallowed, key);
  } else if (!Holds(state.held, key) && !Holds(state.swallowed, key)) {
    state.swallowed.push_back(key);
  }
}

bool Swallowed(DeafTime& state, const GdkEvent* event) {
  const guint input = InputOf(event);
  const bool deaf =
      state.focusedAt != 0 && g_get_monotonic_time() - state.focusedAt < DeafMicroseconds;
  switch (event->type) {
    case GDK_KEY_PRESS:
    case GDK_BUTTON_PRESS:
      if (deaf || Holds(state.swallowed, input)) {
        if (!Holds(state.swallowed, input)) state.swallowed.push_back(input);
        return true;
      }
      if (!Holds(state.held, input)) state.held.push_back(input);
      return false;
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS: return deaf || Holds(state.swallowed, input);
    case GDK_KEY_RELEASE:
    case GDK_BUTTON_RELEASE:
      if (TakeFrom(state.held, input)) return false;
      TakeFrom(state.swallowed, input);
      return true;
    default: return false;
  }
}

}  // namespace zorvane::posix
