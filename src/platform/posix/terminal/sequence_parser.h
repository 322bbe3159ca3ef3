#pragma once

// What a terminal sends, cut into whole pieces as the DEC/ECMA-48 parser of
// a terminal emulator cuts it (the VT500 state machine): characters,
// controls, ESC chords, control sequences and single shifts. Control
// strings, mouse reports and pastes are read whole and give no piece. A
// piece is decided by its bytes alone, never by where a read ended; what
// a piece means is the key table's (key_table.h), and what an unfinished
// one means once the input goes quiet is the key reader's (key_reader.h).
//
// The grammar, with what input adds to the VT500's:
//
//   piece     := character | control | ESC chord | sequence
//   chord     := ESC (printable | Tab | CR | LF)       Alt and a key
//   sequence  := introducer body
//   introducer:= C1 | ESC Fe | ESC ESC Fe              Fe is hoisted to its C1 (ESC [ is CSI);
//                                                      ESC ESC is urxvt's Alt
//   CSI body  := markers numbers intermediates final   rxvt's Shift keys end at $ (CSI 7 $)
//              | "[" byte                              the Linux console's F1-F5
//              | "M" byte byte byte                    an X10 mouse report, read whole
//              | "200~" text CSI "201~"                a bracketed paste, read whole
//   SS3 body  := numbers final                         a modified F1-F4 has numbers
//   string    := (DCS | OSC | SOS | PM | APC) text (ST | BEL)
//
// Inside a sequence CAN, SUB and C1 controls cancel it and ESC begins
// anew; other C0 controls and DEL are carried out, which for input is:
// ignored. After a lone ESC they and C1 controls are ignored and the ESC
// waits on. SS3 and CSI [ are whole to other readers (libvterm takes SS3 as
// a control of its own, CSI [ as a sequence), so a C1 control after them
// begins anew.
#include <array>
#include <cstddef>
#include <variant>
#include <vector>

namespace zorvane::posix {

// How a sequence's introducer came.
enum class Via : unsigned char {
  Escape,     // ESC and its byte
  AltEscape,  // ESC ESC and its byte: Alt and a key in urxvt
  C1,         // the 8-bit control, which no person types
  Late,       // after an ESC that the quiet already made the Escape key
};

enum class Piece : unsigned char {
  Character,  // a character of the locale that is no control
  Control,    // a C0 control or DEL
  EscChord,   // ESC and a key that begins no sequence
  Csi,        // a control sequence
  Ss3,        // a single shift and its final byte
  LinuxKey,   // CSI [ and a byte
};

constexpr std::size_t MostNumbers = 4;

// A sequence's markers, numbers and intermediates, parsed as they come.
struct Parameters {
  char marker = 0;        // the first private marker (< = > ?)
  char intermediate = 0;  // the first intermediate byte
  std::array<unsigned long, MostNumbers> numbers{};
  std::size_t count = 0;      // numbers begun
  bool subParameter = false;  // after ":" up to the next ";": dropped
  bool overlong = false;      // too many numbers or too large a one
};

struct Token {
  Piece piece = Piece::Character;
  wchar_t code = 0;  // the character, the control, the chord's key or the final byte
  Via via = Via::Escape;
  Parameters parameters{};
};

// Where in a piece the parser is, each with what that part keeps.
struct Ground {};
struct AfterEscape {
  Via via;  // Escape: ESC; AltEscape: ESC ESC; Late: looking for the rest of a late key
};
struct InCsi {
  enum class Part : unsigned char { Entry, Numbers, Intermediates };
  Via via;
  Part part = Part::Entry;
  Parameters parameters{};
};
struct InLinuxKey {};
struct InSs3 {
  Via via;
  bool numbers = false;
  Parameters parameters{};
};
struct InString {
  wchar_t introducer = 0;  // ESC's byte while the string is empty: it may be Alt and that key
  bool afterEscape = false;
};
struct InMouse {
  int charactersLeft = 3;
  int continuationsLeft = 0;  // of a UTF-8 coordinate (mode 1005)
};
struct InPaste {
  std::size_t endMatched = 0;  // 1 after ESC, 2 after CSI, then each byte of "201~"
};
using ParseState =
    std::variant<Ground, AfterEscape, InCsi, InLinuxKey, InSs3, InString, InMouse, InPaste>;

// A multibyte character's first bytes, kept apart from the piece's.
struct PartialCharacter {
  std::array<char, 8> bytes{};
  std::size_t length = 0;
};

// Everything the parser keeps between bytes: a fixed size, however long a
// control string or paste runs.
struct Parser {
  ParseState state = Ground{};
  PartialCharacter character;
};

// Reads one byte and appends the pieces it completes.
void ParseByte(Parser& parser, unsigned char byte, std::vector<Token>& tokens);

// Begins what the rest of a key after a late ESC would be ([, O, ], _).
void LookForLateRest(Parser& parser);

// The pieces of `bytes` on their own, from the ground state: how a key's
// string in a terminfo entry is read.
std::vector<Token> ParseWhole(const char* bytes);

}  // namespace zorvane::posix
