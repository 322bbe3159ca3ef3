#pragma once

#include <string>
#include <string_view>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

enum class Key {
  None,        // bytes this box has no use for, taken whole
  Incomplete,  // the front of a key whose rest has not arrived yet
  Next,
  Previous,
  Press,
  Escape,
  Letter,
  Up,
  Down,
  PageUp,
  PageDown,
  Home,
  End,
};

struct KeyPress {
  Key key;
  wchar_t letter;  // for Key::Letter: the character, lower case
};

// Takes one key off the front of `input`, which may hold several, and
// leaves an incomplete one in place. Once "ESC [" or "ESC O" has arrived,
// every byte up to the sequence's final byte belongs to it. A lone ESC is
// the Escape key only when `quiet` says no byte followed it in time.
// Letters are decoded in the current locale.
KeyPress TakeKey(std::string& input, bool quiet);

// True while the front of `input` is a lone ESC, the one key whose
// meaning depends on how long the next byte takes.
bool WaitsForQuiet(const std::string& input);

// The character at `at` in `text`, lower case, decoded in the current
// locale; 0 where none decodes.
wchar_t LetterAt(std::string_view text, std::size_t at);

// How many bytes the character at `at` in `text` takes; at least 1.
std::size_t CharacterLength(std::string_view text, std::size_t at);

// The letter that presses `button`, from its shown label; 0 where it has none.
wchar_t AccessLetter(const BoxButton& button);

}  // namespace zorvane::posix
