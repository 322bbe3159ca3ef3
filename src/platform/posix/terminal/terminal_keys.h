#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::posix {

// What a terminal sends, read as the DEC/ECMA-48 parser of terminal
// emulators reads it, byte by byte; only whole key presses come out.
// Replies to queries, control strings, mouse reports, focus reports and
// pasted text are read whole and never come out as keys.

enum class Key {
  Next,
  Previous,
  Press,
  Escape,
  Letter,  // `letter` holds the character, lower case
  Up,
  Down,
  PageUp,
  PageDown,
  Home,
  End,
  Control,  // Ctrl and a key, as the keyboard protocol reports it; `letter` holds its C0 byte
  KeyboardProtocol,  // the terminal's answer that it has the keyboard protocol
  DeviceAttributes,  // its answer to the attributes query, which every terminal gives
};

struct KeyPress {
  Key key;
  wchar_t letter = 0;
};

enum class ReadState : unsigned char {
  Ground,
  Escape,               // after a lone ESC
  EscapeIntermediate,   // ESC and bytes 0x20-0x2F: an escape sequence, no key
  Csi,                  // ESC [ and its parameters
  LinuxFunctionKey,     // ESC [ [: the Linux console's F1-F5
  Ss3,                  // ESC O and its parameters
  ControlString,        // OSC, DCS, APC, PM or SOS, up to ST or BEL
  ControlStringEscape,  // an ESC inside one: ST when a backslash follows
  MouseBytes,           // the three raw bytes of an X10 mouse report
  Paste,                // bracketed paste, up to ESC [ 201 ~
};

// Everything the reader keeps between reads; it owns no more than a
// sequence's parameters, however long a control string or paste runs.
struct KeyReader {
  ReadState state = ReadState::Ground;
  std::string pending;  // a sequence's parameters, or a character's first bytes
  bool overlong = false;
  int mouseBytesLeft = 0;
  std::size_t pasteEndMatched = 0;
  bool lateEscape = false;  // the clock made the last lone ESC the Escape key
  bool lateString = false;  // a control string begun by the rest of such a key
};

// Reads `bytes` and appends the key presses they complete to `keys`.
void ReadKeys(KeyReader& reader, std::string_view bytes, std::vector<KeyPress>& keys);

// How long to wait for more bytes before calling ReadQuiet, in ms; -1 for
// as long as it takes.
int QuietWait(const KeyReader& reader);

// No byte came within QuietWait: a lone ESC is the Escape key; the rest of
// a key whose ESC came that late is no longer looked for.
void ReadQuiet(KeyReader& reader, std::vector<KeyPress>& keys);

}  // namespace zorvane::posix
