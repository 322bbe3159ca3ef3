#pragma once

#include <array>
#include <cstddef>
#include <optional>
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

// One state per part of what a terminal sends, as a terminal's own parser
// has them.
enum class ReadState : unsigned char {
  Ground,
  Escape,               // after ESC
  EscapeEscape,         // after ESC ESC: Alt and the key that follows
  CsiEntry,             // ESC [ or CSI, and its private markers
  CsiParameters,        // its numbers
  CsiIntermediates,     // its intermediate bytes
  LinuxFunctionKey,     // ESC [ [: the Linux console's F1-F5
  Ss3,                  // ESC O or SS3
  Ss3Parameters,        // a modified F1-F4's numbers
  ControlString,        // OSC, DCS, APC, PM or SOS, up to ST or BEL
  ControlStringEscape,  // an ESC inside one: ST when a backslash follows
  MouseBytes,           // the three coordinates of an X10 mouse report
  Paste,                // bracketed paste, up to CSI 201 ~
  LateRest,             // after an ESC the clock made Escape: the rest of its key
};

// How the sequence being read began.
enum class Origin : unsigned char {
  Typed,     // ESC
  Alt,       // ESC ESC: urxvt's Alt and a key
  Late,      // an ESC already answered as Escape
  EightBit,  // a C1 control, which no person types
};

constexpr std::size_t MostNumbers = 4;

// What the reader has of the sequence being read, parsed as its bytes
// come; reset whole when it ends.
struct Sequence {
  Origin origin = Origin::Typed;
  char marker = 0;        // the first private marker (< = > ?)
  char intermediate = 0;  // the first intermediate byte
  std::array<unsigned long, MostNumbers> numbers{};
  std::size_t count = 0;      // numbers begun
  bool subParameter = false;  // after ":" up to the next ";": dropped
  bool overlong = false;      // too many numbers or too large a one: no key
  wchar_t introducer = 0;     // the byte after ESC that began a string, while it is empty
  int mouseCharactersLeft = 0;
  int mouseContinuationsLeft = 0;
  std::size_t pasteEndMatched = 0;
};

// A multibyte character's first bytes, kept apart from the sequence's.
struct PartialCharacter {
  std::array<char, 8> bytes{};
  std::size_t length = 0;
};

// Everything the reader keeps between reads: a fixed size, however long a
// control string or paste runs.
struct KeyReader {
  // The terminal's Back-Tab is ESC Tab (its terminfo entry's kcbt, as on
  // the Linux console), not Alt+Tab.
  bool escTabIsBackTab = false;
  ReadState state = ReadState::Ground;
  Sequence sequence;
  PartialCharacter character;
};

// Reads `bytes`, one read's worth, and appends the inputs they complete. A
// terminal writes a key's bytes at once, so a read that ends a key the box
// cannot place (a bare 8-bit CSI, CSI M) ends it there.
void ReadInputs(KeyReader& reader, std::string_view bytes, std::vector<Input>& inputs);

// How long to wait for more bytes before calling ReadQuiet, in ms; -1 for
// as long as it takes.
int QuietWait(const KeyReader& reader);

// No byte came within QuietWait: a lone ESC is the Escape key, a sequence
// or string left open ends there.
void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs);

}  // namespace zorvane::posix
