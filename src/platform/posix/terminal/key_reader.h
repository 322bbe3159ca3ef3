#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorvane::posix {

// What a terminal sends, read as the DEC/ECMA-48 parser of terminal
// emulators reads it, byte by byte; only whole key presses, Ctrl chords and
// the two replies the box asks for come out. Other replies, control
// strings, mouse reports, focus reports and pasted text are read whole and
// never come out at all.

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

enum class ReadState : unsigned char {
  Ground,
  Escape,               // after ESC
  Csi,                  // ESC [ or CSI, and its parameters
  LinuxFunctionKey,     // ESC [ [: the Linux console's F1-F5
  Ss3,                  // ESC O or SS3, and its parameters
  ControlString,        // OSC, DCS, APC, PM or SOS, up to ST or BEL
  ControlStringEscape,  // an ESC inside one: ST when a backslash follows
  MouseBytes,           // the three coordinates of an X10 mouse report
  Paste,                // bracketed paste, up to CSI 201 ~
  LateRest,             // after an ESC the clock made Escape: the rest of its key
};

// Where a CSI's bytes have got to: they come in this order.
enum class CsiPart : unsigned char { Markers, Numbers, Intermediates };

// A multibyte character's first bytes, kept apart from the sequence's.
struct PartialCharacter {
  std::array<char, 8> bytes{};
  std::size_t length = 0;
};

// Everything the reader keeps between reads; it owns no more than a
// sequence's parameters, however long a control string or paste runs.
struct KeyReader {
  ReadState state = ReadState::Ground;
  std::string parameters;  // a sequence's parameter and intermediate bytes
  CsiPart csiPart = CsiPart::Markers;
  bool overlong = false;
  bool alt = false;        // ESC ESC: the key that follows comes with Alt
  bool late = false;       // this sequence's ESC already answered as Escape
  bool eightBit = false;   // begun by a C1 control, which no person types
  wchar_t introducer = 0;  // the byte after ESC that began a string, while it is empty
  int mouseCharactersLeft = 0;
  int mouseContinuationsLeft = 0;
  std::size_t pasteEndMatched = 0;
  PartialCharacter character;
};

// Reads `bytes`, one read's worth, and appends the inputs they complete.
void ReadInputs(KeyReader& reader, std::string_view bytes, std::vector<Input>& inputs);

// How long to wait for more bytes before calling ReadQuiet, in ms; -1 for
// as long as it takes.
int QuietWait(const KeyReader& reader);

// No byte came within QuietWait: a lone ESC is the Escape key, a sequence
// or string left open ends there.
void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs);

}  // namespace zorvane::posix
