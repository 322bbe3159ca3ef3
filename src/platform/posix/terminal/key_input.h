#pragma once

// What the terminal box takes from the terminal: key presses, Ctrl chords
// and the two replies it asks for.
#include <optional>
#include <variant>

namespace zorvane::posix {

enum class Key {
  Next,
  Previous,
  Press,
  Escape,
  Letter,  // `letter` holds the character, lower case
  Chord,   // ESC and a key that begins no sequence: `letter` holds that key's character
  Up,
  Down,
  PageUp,
  PageDown,
  Home,
  End,
};

struct KeyPress {
  Key key;
  wchar_t letter = 0;
};

// The terminal's answers to the box's queries.
enum class Report : unsigned char {
  KeyboardProtocol,  // it has the keyboard protocol
  DeviceAttributes,  // its attributes, which every terminal gives: all answers are in
};

// Ctrl and a key, as a C0 byte or as the keyboard protocol reports it.
struct ControlChord {
  wchar_t byte;
};

using Input = std::variant<KeyPress, Report, ControlChord>;

// The key a character stands for where it comes alone: Tab, Return, Space
// and letters; Escape and other control characters stand for nothing here.
std::optional<KeyPress> PlainKey(wchar_t character);

}  // namespace zorvane::posix
