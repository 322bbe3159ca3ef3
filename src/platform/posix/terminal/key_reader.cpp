#include "platform/posix/terminal/key_reader.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <type_traits>

#include "platform/posix/box/characters.h"

namespace zorvane::posix {
namespace {

constexpr wchar_t Esc = 0x1b, Bel = 0x07, Can = 0x18, Sub = 0x1a, Del = 0x7f;
constexpr wchar_t C1Csi = 0x9b, C1Ss3 = 0x8f, C1St = 0x9c;
// Bytes that decode to no character: dropped, and they end any sequence.
constexpr wchar_t Broken = 0x110000;

// A key split by 150 ms, as over a slow link, is still that key; a person
// pressing Escape still sees the box answer at once.
constexpr int EscapeWaitMilliseconds = 300;
// A string, paste or sequence still open after a second of quiet was cut
// off or typed by a person; the rest of a key whose ESC came late is
// looked for as long.
constexpr int OpenWaitMilliseconds = 1000;

bool IsC1(wchar_t c) {
  return c >= 0x80 && c <= 0x9f;
}

bool IsFinal(wchar_t c) {
  return c >= 0x40 && c <= 0x7e;
}

bool IsIntermediate(wchar_t c) {
  return c >= 0x20 && c < 0x30;
}

bool IsMarker(wchar_t c) {
  return c >= 0x3c && c < 0x40;
}

bool IsNumberByte(wchar_t c) {
  return (c >= '0' && c <= '9') || c == ';' || c == ':';
}

void Emit(std::vector<Input>& inputs, Key key, wchar_t letter = 0) {
  inputs.push_back(KeyPress{key, letter});
}

void ToGround(KeyReader& reader) {
  reader.state = ReadState::Ground;
  reader.sequence = {};
}

void Enter(KeyReader& reader, ReadState state, Origin origin = Origin::Typed) {
  ToGround(reader);
  reader.state = state;
  reader.sequence.origin = origin;
}

// A digit, ";" or ":" of a sequence's numbers, taken as it comes.
void TakeNumberByte(Sequence& sequence, wchar_t c) {
  if (sequence.count == 0) sequence.count = 1;
  if (c == ';') {
    sequence.subParameter = false;
    if (sequence.count == MostNumbers) sequence.overlong = true;
    sequence.count = std::min(sequence.count + 1, MostNumbers);
  } else if (c == ':') {
    sequence.subParameter = true;
  } else if (!sequence.subParameter && !sequence.overlong) {
    unsigned long& number = sequence.numbers[sequence.count - 1];
    number = number * 10 + static_cast<unsigned long>(c - '0');
    if (number > 0x10ffff) sequence.overlong = true;
  }
}

// The next unit of input: an ASCII byte, a character of the locale, a C1
// control (a lone byte 0x80-0x9F that is no character, or U+0080-U+009F),
// or Broken. False while a character's bytes are still coming.
bool Decode(PartialCharacter& partial, unsigned char byte, wchar_t& unit) {
  if (partial.length == 0 && byte < 0x80) {
    unit = byte;
    return true;
  }
  partial.bytes[partial.length++] = static_cast<char>(byte);
  const Character decoded = DecodeAt(std::string_view(partial.bytes.data(), partial.length));
  const bool incomplete = decoded.decoding == Decoding::Incomplete;
  if (incomplete && partial.length < partial.bytes.size()) return false;
  const std::size_t had = partial.length;
  partial.length = 0;
  if (decoded.decoding != Decoding::Whole) {
    // A broken character is dropped; a byte that broke it off is read
    // again on its own.
    if (had > 1) return Decode(partial, byte, unit);
    unit = IsC1(byte) ? byte : Broken;
    return true;
  }
  const bool loneHighControl =
      had == 1 && IsC1(byte) && std::iswcntrl(static_cast<wint_t>(decoded.code));
  unit = loneHighControl ? static_cast<wchar_t>(byte) : decoded.code;
  return true;
}

void ReadUnit(KeyReader& reader, wchar_t c, std::vector<Input>& inputs);
void ReadByte(KeyReader& reader, unsigned char byte, std::vector<Input>& inputs);

// CSI, SS3 and the control strings, as 8-bit controls; ST and the rest
// begin nothing.
void StartC1(KeyReader& reader, wchar_t c) {
  ToGround(reader);
  switch (c) {
    case C1Csi: return Enter(reader, ReadState::CsiEntry, Origin::EightBit);
    case C1Ss3: return Enter(reader, ReadState::Ss3, Origin::EightBit);
    case 0x90:  // DCS
    case 0x98:  // SOS
    case 0x9d:  // OSC
    case 0x9e:  // PM
    case 0x9f:  // APC
      return Enter(reader, ReadState::ControlString, Origin::EightBit);
    default: return;
  }
}

void Ground(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (c == Esc) return Enter(reader, ReadState::Escape);
  if (IsC1(c)) return StartC1(reader, c);
  if (const std::optional<KeyPress> key = PlainKey(c)) return inputs.push_back(*key);
  // Other control bytes are Ctrl inputs (Ctrl-Z, which the box's mode leaves
  // to the box); the box acts on those the terminal's mode names.
  if (c > 0 && c < 0x20) inputs.push_back(ControlChord{c});
}

// What every sequence does with a control, checked before its own part:
// CAN and SUB cancel it, and so does a C1 control, which begins nothing
// (as libvterm reads it: a string begun there could hide a sequence that
// other readers see); ESC begins anew; other C0 controls and DEL are
// carried out (here: ignored) and the sequence goes on, as ECMA-48 has it.
bool Interrupts(KeyReader& reader, wchar_t c) {
  if (c == Can || c == Sub || IsC1(c)) {
    ToGround(reader);
  } else if (c == Esc) {
    Enter(reader, ReadState::Escape);
  } else {
    return c < 0x20 || c == Del;
  }
  return true;
}

void AfterEscape(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (c == Can || c == Sub) return ToGround(reader);
  const bool alt = reader.state == ReadState::EscapeEscape;
  if (c == Esc) {
    // ESC ESC is Alt and what follows (urxvt's Alt+Up is ESC ESC [ A); a
    // third makes the first a key of its own.
    if (alt) Emit(inputs, Key::Escape);
    reader.state = ReadState::EscapeEscape;
    return;
  }
  if (c == '\t' && !alt && reader.escTabIsBackTab) {
    ToGround(reader);
    return Emit(inputs, Key::Previous);
  }
  if (const std::optional<KeyPress> key = PlainKey(c); key && c < 0x20) {
    // ESC and Tab, Return or LF begin no sequence: a chord, as ESC and a
    // letter is (Alt+Return in most terminals, Escape then Return in
    // xterm), so Escape where the box has an answer for it.
    ToGround(reader);
    return Emit(inputs, Key::Chord, c);
  }
  if (c < 0x20 || c == Del || c == Broken || IsC1(c)) return;  // carried out; the ESC waits
  const Origin origin = alt ? Origin::Alt : Origin::Typed;
  switch (c) {
    case '[': return Enter(reader, ReadState::CsiEntry, origin);
    case 'O': return Enter(reader, ReadState::Ss3, origin);
    case 'P':
    case ']':
    case 'X':
    case '^':
    case '_':
      Enter(reader, ReadState::ControlString);
      reader.sequence.introducer = c;
      return;
    default:
      // ESC and a key that begins no sequence: Escape where the box has
      // an answer for it, else that key.
      ToGround(reader);
      Emit(inputs, Key::Chord, c);
      return;
  }
}

constexpr unsigned long Shift = 1, Alt = 2, Ctrl = 4;

// The modifier parameter at `at` as bits over 1: Shift 1, Alt 2, Ctrl 4,
// others 8 on. Caps Lock (64) and Num Lock (128) change no key: left out.
unsigned long Modifiers(const Sequence& sequence, std::size_t at) {
  if (sequence.count <= at || sequence.numbers[at] == 0) return 0;
  return (sequence.numbers[at] - 1) & 0x3f;
}

// The first number, 1 where none is given, as the keys' defaults have it.
unsigned long FirstNumber(const Sequence& sequence) {
  return sequence.numbers[0] == 0 ? 1 : sequence.numbers[0];
}

struct Named {
  unsigned long number;
  char final;
  Key key;
};

constexpr Named CsiKeys[] = {
    {1, 'A', Key::Up},       {1, 'B', Key::Down}, {1, 'C', Key::Next}, {1, 'D', Key::Previous},
    {1, 'Z', Key::Previous}, {1, 'H', Key::Home}, {1, 'F', Key::End},  {1, '~', Key::Home},
    {7, '~', Key::Home},     {4, '~', Key::End},  {8, '~', Key::End},  {5, '~', Key::PageUp},
    {6, '~', Key::PageDown}};

// A cursor, page, Home or End key; with a modifier besides the locks, none.
void NamedKey(unsigned long number, wchar_t final, std::vector<Input>& inputs) {
  for (const Named& named : CsiKeys) {
    if (static_cast<wchar_t>(named.final) == final && named.number == number)
      return Emit(inputs, named.key);
  }
}

// The keypad's inputs under the keyboard protocol, as what they send
// without it.
std::optional<KeyPress> KeypadKey(unsigned long code) {
  constexpr unsigned long First = 57399;  // KP_0
  constexpr std::wstring_view Characters = L"0123456789./*-+\r=,";
  constexpr Key Moves[] = {Key::Previous, Key::Next,     Key::Up,   Key::Down,
                           Key::PageUp,   Key::PageDown, Key::Home, Key::End};
  if (code < First) return std::nullopt;
  const unsigned long at = code - First;
  if (at < Characters.size()) return PlainKey(Characters[at]);
  if (at - Characters.size() < std::size(Moves)) return KeyPress{Moves[at - Characters.size()]};
  return std::nullopt;
}

bool IsCharacter(unsigned long code) {
  return code > 0x20 && code != Del && !std::iswcntrl(static_cast<wint_t>(code));
}

// A key the terminal reports by its character code and modifiers (the
// keyboard protocol, xterm's modifyOtherKeys): each acts as what the
// terminal would send for it without them.
void CodedKey(unsigned long code, unsigned long modifiers, std::vector<Input>& inputs) {
  const unsigned long withoutShift = modifiers & ~Shift;
  if (modifiers == 0) {
    if (const std::optional<KeyPress> keypad = KeypadKey(code)) return inputs.push_back(*keypad);
  }
  if (code == 27 && withoutShift == 0) return Emit(inputs, Key::Escape);
  if (code == 9 && withoutShift == 0) return Emit(inputs, modifiers ? Key::Previous : Key::Next);
  if (code == 13 && withoutShift == 0) return Emit(inputs, Key::Press);
  if (withoutShift == Ctrl && code >= 0x40 && code < 0x80) {
    // Ctrl+I, Ctrl+M, Ctrl+J and Ctrl+[ are Tab, Return and Escape.
    const wchar_t control = static_cast<wchar_t>(code & 0x1f);
    if (control == Esc) return Emit(inputs, Key::Escape);
    if (const std::optional<KeyPress> plain = PlainKey(control)) return inputs.push_back(*plain);
    return inputs.push_back(ControlChord{control});
  }
  // Shift and a character is that character (Y is y); Alt and one, that
  // character too, where the terminal tells Alt apart.
  if ((modifiers == Shift || withoutShift == Alt) && IsCharacter(code))
    return Emit(inputs, Key::Letter, LowerCase(static_cast<wchar_t>(code)));
}

// A whole CSI, decided by its markers, its final byte and its first number.
void DispatchCsi(KeyReader& reader, wchar_t final, std::vector<Input>& inputs) {
  const Sequence sequence = reader.sequence;
  ToGround(reader);
  // Replies whatever their length: xterm's attributes have 12 numbers.
  if (sequence.marker == '?' && sequence.intermediate == 0) {
    if (final == 'u') inputs.push_back(Report::KeyboardProtocol);
    if (final == 'c') inputs.push_back(Report::DeviceAttributes);
    return;
  }
  if (sequence.overlong) return;
  const bool plain = sequence.marker == 0 && sequence.intermediate == 0;
  if (final == 'M' && plain && sequence.count == 0) {  // X10 mouse: three coordinates follow
    reader.state = ReadState::MouseBytes;
    reader.sequence.mouseCharactersLeft = 3;
    return;
  }
  if (final == '~' && plain && sequence.count == 1 && sequence.numbers[0] == 200 &&
      !sequence.subParameter) {
    reader.state = ReadState::Paste;
    return;
  }
  // Other replies; a key with Alt from ESC ESC, ignored as modified keys are.
  if (!plain || sequence.origin == Origin::Alt) return;
  if (final == 'u' && sequence.count <= 2)
    return CodedKey(sequence.numbers[0], Modifiers(sequence, 1), inputs);
  // xterm's modifyOtherKeys 2 (formatOtherKeys 0): CSI 27 ; modifiers ; code ~.
  if (final == '~' && sequence.count == 3 && sequence.numbers[0] == 27)
    return CodedKey(sequence.numbers[2], Modifiers(sequence, 1), inputs);
  if (sequence.count <= 2 && Modifiers(sequence, 1) == 0)
    NamedKey(FirstNumber(sequence), final, inputs);
}

// Markers come first, then numbers, then intermediates, then the final
// byte; a byte out of that order ends the sequence there, as libvterm
// reads it, and so does a character outside ASCII.
void InCsi(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (Interrupts(reader, c)) return;
  Sequence& sequence = reader.sequence;
  const ReadState state = reader.state;
  // rxvt ends a key with Shift in $ (CSI 7 $ is Shift+Home), where an
  // intermediate would leave the sequence open: no key, and it ends there.
  const bool rxvtShiftKey =
      c == '$' && state == ReadState::CsiParameters && sequence.count == 1 && sequence.marker == 0;
  if (state == ReadState::CsiEntry && c == '[' && sequence.marker == 0) {
    reader.state = ReadState::LinuxFunctionKey;
  } else if (IsFinal(c)) {
    DispatchCsi(reader, c, inputs);
  } else if (state == ReadState::CsiEntry && IsMarker(c)) {
    if (sequence.marker == 0) sequence.marker = static_cast<char>(c);
  } else if (state != ReadState::CsiIntermediates && IsNumberByte(c)) {
    reader.state = ReadState::CsiParameters;
    TakeNumberByte(sequence, c);
  } else if (IsIntermediate(c) && !rxvtShiftKey) {
    reader.state = ReadState::CsiIntermediates;
    if (sequence.intermediate == 0) sequence.intermediate = static_cast<char>(c);
  } else {
    ToGround(reader);
  }
}

// SS3's final bytes: the cursor inputs, F1-F4 and the keypad in application
// mode, which acts as the inputs it is marked with.
constexpr std::wstring_view Ss3Finals = L"ABCDHFEPQRSMIXjklmnopqrstuvwxy";

void Ss3Key(wchar_t final, std::vector<Input>& inputs) {
  constexpr std::wstring_view Keypad = L"*+,-./0123456789";
  if (final == 'M') return Emit(inputs, Key::Press);
  if (final == 'I') return Emit(inputs, Key::Next);
  if (final == 'X') return Emit(inputs, Key::Letter, L'=');
  if (final >= 'j' && final <= 'y')
    return Emit(inputs, Key::Letter, Keypad[static_cast<std::size_t>(final - 'j')]);
  NamedKey(1, final, inputs);
}

// ESC O read as Alt+Shift+O, or as O after a late Escape, then `c`.
void OWasAKey(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  const bool late = reader.sequence.origin == Origin::Late;
  ToGround(reader);
  Emit(inputs, late ? Key::Letter : Key::Chord, late ? L'o' : L'O');
  ReadUnit(reader, c, inputs);
}

// SS3 is a single shift, not a sequence: what follows that is no ending
// is read as at the start.
void InSs3(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  const Origin origin = reader.sequence.origin;
  if (Ss3Finals.find(c) != std::wstring_view::npos) {
    ToGround(reader);
    if (origin != Origin::Alt) Ss3Key(c, inputs);
    return;
  }
  if (c == Can || c == Sub) return ToGround(reader);
  if (IsC1(c)) return StartC1(reader, c);
  if (origin == Origin::EightBit) {
    if (Interrupts(reader, c)) return;
  } else if ((c < 0x20 || c == Del) && c != Esc) {
    // Carried out, as after a lone ESC, and the SS3 ending is still awaited.
    if (const std::optional<KeyPress> key = PlainKey(c)) inputs.push_back(*key);
    return;
  } else if (IsFinal(c) && origin != Origin::Late) {
    // ESC O and a final byte that arrive together are one key, one the box
    // does not know (urxvt's Ctrl+arrows, ESC O a to d) included: no key.
    return ToGround(reader);
  } else if (!(c >= '0' && c <= '9') && c != ';') {
    return OWasAKey(reader, c, inputs);
  }
  if (IsFinal(c)) return ToGround(reader);
  if (c >= 0x20 && c < 0x40) {
    reader.state = ReadState::Ss3Parameters;
    return;
  }
  ToGround(reader);
}

void InSs3Parameters(KeyReader& reader, wchar_t c) {
  if (IsC1(c)) return StartC1(reader, c);  // as after SS3 itself
  if (Interrupts(reader, c)) return;
  if (c < 0x20 || c >= 0x40) ToGround(reader);  // a final byte: a modified F1-F4, no key here
}

void InString(KeyReader& reader, wchar_t c) {
  if (c == Bel || c == Can || c == Sub || c == C1St) return ToGround(reader);
  if (c == Esc) {
    reader.state = ReadState::ControlStringEscape;
    return;
  }
  reader.sequence.introducer = 0;  // something inside: this was no Alt chord
}

void AfterStringEscape(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (c == '\\') return ToGround(reader);
  // An ESC that is not the start of ST ends the string and starts anew.
  Enter(reader, ReadState::Escape);
  AfterEscape(reader, c, inputs);
}

// Up to CSI 201 ~, as ESC [ or as the 8-bit CSI.
void InPaste(KeyReader& reader, wchar_t c) {
  constexpr std::wstring_view EndParameters = L"201~";
  std::size_t& matched =
      reader.sequence.pasteEndMatched;  // 1 after ESC, 2 after CSI, then each byte
  if (c == Esc) {
    matched = 1;
  } else if (c == C1Csi || (matched == 1 && c == '[')) {
    matched = 2;
  } else if (matched >= 2 && c == EndParameters[matched - 2]) {
    if (++matched == EndParameters.size() + 2) ToGround(reader);
  } else {
    matched = 0;
  }
}

// Replies come as CSI, OSC or APC; a person's O after Escape is a letter
// unless a key's SS3 ending follows, and P, X and ^ always are.
void AfterLateEscape(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (c == '[') return Enter(reader, ReadState::CsiEntry, Origin::Late);
  if (c == 'O') return Enter(reader, ReadState::Ss3, Origin::Late);
  if (c == ']' || c == '_') return Enter(reader, ReadState::ControlString, Origin::Late);
  ToGround(reader);
  Ground(reader, c, inputs);
}

// The X10 report's button and coordinates: a byte each, or a UTF-8
// character each where mode 1005 is on; a lead byte that no continuation
// follows was a coordinate of its own.
void MouseByte(KeyReader& reader, unsigned char byte, std::vector<Input>& inputs) {
  if (byte < 0x20) {  // every coordinate is 32 or more: this was no report
    ToGround(reader);
    return ReadByte(reader, byte, inputs);
  }
  if (reader.sequence.mouseContinuationsLeft > 0) {
    const bool continuation = (byte & 0xc0) == 0x80;
    reader.sequence.mouseContinuationsLeft =
        continuation ? reader.sequence.mouseContinuationsLeft - 1 : 0;
    if (continuation || reader.sequence.mouseCharactersLeft == 0) {
      if (reader.sequence.mouseCharactersLeft == 0 && reader.sequence.mouseContinuationsLeft == 0)
        ToGround(reader);
      if (!continuation) ReadByte(reader, byte, inputs);
      return;
    }
  }
  --reader.sequence.mouseCharactersLeft;
  reader.sequence.mouseContinuationsLeft = byte >= 0xc2 && byte <= 0xdf ? 1 : 0;
  if (reader.sequence.mouseCharactersLeft == 0 && reader.sequence.mouseContinuationsLeft == 0)
    ToGround(reader);
}

void ReadUnit(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  switch (reader.state) {
    case ReadState::Ground: return Ground(reader, c, inputs);
    case ReadState::Escape:
    case ReadState::EscapeEscape: return AfterEscape(reader, c, inputs);
    case ReadState::CsiEntry:
    case ReadState::CsiParameters:
    case ReadState::CsiIntermediates: return InCsi(reader, c, inputs);
    case ReadState::LinuxFunctionKey:
      // To other readers CSI [ is whole: a C1 control after it begins anew.
      if (IsC1(c)) return StartC1(reader, c);
      if (!Interrupts(reader, c)) ToGround(reader);
      return;
    case ReadState::Ss3: return InSs3(reader, c, inputs);
    case ReadState::Ss3Parameters: return InSs3Parameters(reader, c);
    case ReadState::ControlString: return InString(reader, c);
    case ReadState::ControlStringEscape: return AfterStringEscape(reader, c, inputs);
    case ReadState::Paste: return InPaste(reader, c);
    case ReadState::LateRest: return AfterLateEscape(reader, c, inputs);
    case ReadState::MouseBytes: return;  // read as bytes, by ReadByte
  }
}

void ReadByte(KeyReader& reader, unsigned char byte, std::vector<Input>& inputs) {
  if (reader.state == ReadState::MouseBytes) return MouseByte(reader, byte, inputs);
  wchar_t unit = 0;
  if (Decode(reader.character, byte, unit)) ReadUnit(reader, unit, inputs);
}

// A terminal writes each key's bytes at once. A read that ends in a bare
// 8-bit CSI or SS3 ends a key of its own (xterm's Alt+Escape and
// Alt+Ctrl+O), and so does one that ends in CSI M with no coordinates after
// it (st's Ctrl+Delete): neither is a key here, and the next byte begins
// the next key.
bool EndsWholeUnknownKey(const KeyReader& reader, std::string_view bytes) {
  const Sequence& sequence = reader.sequence;
  const auto last = static_cast<unsigned char>(bytes.back());
  const bool bareC1 = (reader.state == ReadState::CsiEntry || reader.state == ReadState::Ss3) &&
                      sequence.origin == Origin::EightBit && (last == C1Csi || last == C1Ss3);
  const bool bareMouse =
      reader.state == ReadState::MouseBytes && sequence.mouseCharactersLeft == 3 && last == 'M';
  return bareC1 || bareMouse;
}

}  // namespace

std::optional<KeyPress> PlainKey(wchar_t character) {
  if (character == '\t') return KeyPress{Key::Next};
  if (character == '\r' || character == '\n' || character == ' ') return KeyPress{Key::Press};
  const auto wide = static_cast<wint_t>(static_cast<std::make_unsigned_t<wchar_t>>(character));
  if (character < 0x20 || character == Del || IsC1(character) || character >= Broken ||
      std::iswcntrl(wide) || std::iswspace(wide))
    return std::nullopt;
  return KeyPress{Key::Letter, LowerCase(character)};
}

void ReadInputs(KeyReader& reader, std::string_view bytes, std::vector<Input>& inputs) {
  // A read that begins with ESC while a lone ESC (or urxvt's Alt+Escape,
  // ESC ESC) waits: they came apart, so the first was a key of its own.
  const bool escapeWaits =
      reader.state == ReadState::Escape || reader.state == ReadState::EscapeEscape;
  if (!bytes.empty() && bytes.front() == '\x1b' && escapeWaits) {
    Emit(inputs, Key::Escape);
    ToGround(reader);
  }
  for (char byte : bytes) ReadByte(reader, static_cast<unsigned char>(byte), inputs);
  if (!bytes.empty() && EndsWholeUnknownKey(reader, bytes)) ToGround(reader);
}

int QuietWait(const KeyReader& reader) {
  switch (reader.state) {
    case ReadState::Ground: return -1;
    case ReadState::Escape:
    case ReadState::EscapeEscape:
    case ReadState::ControlStringEscape:
    case ReadState::Ss3: return EscapeWaitMilliseconds;
    default: return OpenWaitMilliseconds;
  }
}

void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs) {
  const ReadState state = reader.state;
  const Sequence sequence = reader.sequence;
  ToGround(reader);
  switch (state) {
    case ReadState::Escape:
    case ReadState::EscapeEscape:
      Emit(inputs, Key::Escape);
      reader.state = ReadState::LateRest;
      return;
    case ReadState::ControlStringEscape: return Emit(inputs, Key::Escape);
    case ReadState::Ss3:
      if (sequence.origin == Origin::Late) return Emit(inputs, Key::Letter, L'o');
      if (sequence.origin != Origin::EightBit) Emit(inputs, Key::Chord, L'O');
      return;
    case ReadState::ControlString:
      // ESC and the introducer alone: Alt and that key, typed by a person.
      if (sequence.introducer != 0) Emit(inputs, Key::Chord, sequence.introducer);
      return;
    default: return;
  }
}

}  // namespace zorvane::posix
