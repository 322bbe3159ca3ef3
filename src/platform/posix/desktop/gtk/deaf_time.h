#pragma once

// Keys and clicks meant for another window: what reaches the box while the
// user is still typing or clicking from before it appeared answers nothing.
// Pure: the helper hands in each input and the monotonic time.
#include <cstdint>
#include <vector>

namespace zorvane::posix {

// A key by its hardware code, or a mouse button (MouseButtonBase and up).
using InputId = unsigned int;
inline constexpr InputId MouseButtonBase = 0x10000;

enum class InputAction : unsigned char {
  Press,       // a key or button pressed
  MultiClick,  // the second or third press of a double or triple click
  Release,
};

struct DeafTime {
  std::int64_t deafUntil = 0;      // monotonic µs; 0 before the box first takes the focus. Once
                                   // passed, the box hears all: coming back, the user means it
  std::vector<InputId> held;       // pressed since on the box, not swallowed
  std::vector<InputId> swallowed;  // pressed while deaf, or down before, until released
};

// The box took the focus. The first time, the deaf time starts; when the
// user comes back to the box later, what they do on it is meant for it.
void TookFocus(DeafTime& state, std::int64_t now);

// The focus left: keys pressed on the box and released elsewhere are
// held no more, so that coming back holding them counts nothing.
void LostFocus(DeafTime& state);

// A key press as the X server marks it (`repeat`: made by auto-repeat).
// The repeat of a press the box never took is a key held down since before
// the box had the focus: it answers nothing until released. A fresh press
// of a key whose release went to another window counts again.
void SawKeyPress(DeafTime& state, InputId key, bool repeat);

// Whether to drop the input: a press while deaf, which keeps the box deaf
// a while longer (keys typed without a pause never answer it; one after a
// pause does), with its repeats and the rest of its click; a key held
// since before; the release of a key or button whose press the box did
// not take.
bool Swallowed(DeafTime& state, InputAction action, InputId input, std::int64_t now);

}  // namespace zorvane::posix
