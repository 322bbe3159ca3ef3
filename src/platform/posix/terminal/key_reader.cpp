#include "platform/posix/terminal/key_reader.h"

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
constexpr std::size_t LongestParameters = 32;

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

void Emit(std::vector<Input>& inputs, Key key, wchar_t letter = 0) {
  inputs.push_back(KeyPress{key, letter});
}

void ToGround(KeyReader& reader) {
  reader.state = ReadState::Ground;
  reader.parameters.clear();
  reader.overlong = false;
  reader.alt = false;
  reader.late = false;
  reader.eightBit = false;
  reader.introducer = 0;
  reader.mouseCharactersLeft = 0;
  reader.mouseContinuationsLeft = 0;
  reader.pasteEndMatched = 0;
  reader.csiPart = CsiPart::Markers;
}

void Enter(KeyReader& reader, ReadState state) {
  ToGround(reader);
  reader.state = state;
}

void Collect(KeyReader& reader, wchar_t c) {
  if (reader.parameters.size() < LongestParameters) {
    reader.parameters += static_cast<char>(c);
  } else {
    reader.overlong = true;
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
    case C1Csi: reader.state = ReadState::Csi; break;
    case C1Ss3: reader.state = ReadState::Ss3; break;
    case 0x90:  // DCS
    case 0x98:  // SOS
    case 0x9d:  // OSC
    case 0x9e:  // PM
    case 0x9f:  // APC
      reader.state = ReadState::ControlString;
      break;
    default: return;
  }
  reader.eightBit = true;
}

void Ground(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (c == Esc) return Enter(reader, ReadState::Escape);
  if (IsC1(c)) return StartC1(reader, c);
  if (const std::optional<KeyPress> key = PlainKey(c)) return inputs.push_back(*key);
  // Other control bytes are Ctrl inputs (Ctrl-Z, which the box's mode leaves
  // to the box); the box acts on those the terminal's mode names.
  if (c > 0 && c < 0x20) inputs.push_back(ControlChord{c});
}

// What every sequence does with a control: CAN and SUB cancel it, and so
// does a C1 control, which begins nothing (as libvterm reads it: a string
// begun there could hide a sequence that other readers see); ESC begins
// anew; other C0 controls and DEL are carried out (here: ignored) and the
// sequence goes on, as ECMA-48 has it.
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
  if (c == Esc) {
    // ESC ESC is Alt and what follows (urxvt's Alt+Up is ESC ESC [ A); a
    // third makes the first a key of its own.
    if (reader.alt) Emit(inputs, Key::Escape);
    reader.alt = true;
    return;
  }
  if (const std::optional<KeyPress> key = PlainKey(c); key && c < 0x20) {
    // ESC and Tab, Return or LF begin no sequence: a chord, as ESC and a
    // letter is (Alt+Return in most terminals, Escape then Return in
    // xterm), so Escape where the box has an answer for it.
    ToGround(reader);
    return Emit(inputs, Key::Chord, c);
  }
  if (c < 0x20 || c == Del || c == Broken || IsC1(c)) return;  // carried out; the ESC waits
  const bool alt = reader.alt;
  switch (c) {
    case '[': Enter(reader, ReadState::Csi); break;
    case 'O': Enter(reader, ReadState::Ss3); break;
    case 'P':
    case ']':
    case 'X':
    case '^':
    case '_':
      Enter(reader, ReadState::ControlString);
      reader.introducer = c;
      return;
    default:
      // ESC and a key that begins no sequence: Escape where the box has
      // an answer for it, else that key.
      ToGround(reader);
      Emit(inputs, Key::Chord, c);
      return;
  }
  reader.alt = alt;
}

// Whole numbers between ";" (a ":" starts a sub-parameter, which is
// dropped); none where a byte is no digit (a marker: a reply or a report).
std::vector<unsigned long> Numbers(std::string_view parameters) {
  std::vector<unsigned long> numbers(1, 0);
  bool skipping = false;
  for (char byte : parameters) {
    if (byte == ';') {
      numbers.push_back(0);
      skipping = false;
    } else if (byte == ':') {
      skipping = true;
    } else if (byte >= '0' && byte <= '9' && !skipping) {
      numbers.back() = numbers.back() * 10 + static_cast<unsigned long>(byte - '0');
      if (numbers.back() > 0x10ffff) return {};
    } else if (byte < '0' || byte > '9') {
      return {};
    }
  }
  return numbers;
}

constexpr unsigned long Shift = 1, Alt = 2, Ctrl = 4;

// The modifier parameter at `at` as bits over 1: Shift 1, Alt 2, Ctrl 4,
// others 8 on. Caps Lock (64) and Num Lock (128) change no key: left out.
unsigned long Modifiers(const std::vector<unsigned long>& numbers, std::size_t at) {
  if (numbers.size() <= at || numbers[at] == 0) return 0;
  return (numbers[at] - 1) & 0x3f;
}

struct Named {
  unsigned long number;  // the first parameter, 1 where none is given
  char final;
  Key key;
};

constexpr Named CsiKeys[] = {
    {1, 'A', Key::Up},       {1, 'B', Key::Down}, {1, 'C', Key::Next}, {1, 'D', Key::Previous},
    {1, 'Z', Key::Previous}, {1, 'H', Key::Home}, {1, 'F', Key::End},  {1, '~', Key::Home},
    {7, '~', Key::Home},     {4, '~', Key::End},  {8, '~', Key::End},  {5, '~', Key::PageUp},
    {6, '~', Key::PageDown}};

// A cursor, page, Home or End key; with a modifier besides the locks, none.
void NamedKey(const std::vector<unsigned long>& numbers, wchar_t final,
              std::vector<Input>& inputs) {
  if (numbers.empty() || numbers.size() > 2 || Modifiers(numbers, 1) != 0) return;
  const unsigned long number = numbers[0] == 0 ? 1 : numbers[0];
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

void DispatchCsi(KeyReader& reader, wchar_t final, std::vector<Input>& inputs) {
  const std::string parameters = reader.parameters;
  const bool whole = !reader.overlong, alt = reader.alt;
  ToGround(reader);
  if (!whole) return;
  if (final == 'M' && parameters.empty()) {  // X10 mouse: three coordinates follow
    reader.state = ReadState::MouseBytes;
    reader.mouseCharactersLeft = 3;
    return;
  }
  if (final == '~' && parameters == "200") {
    reader.state = ReadState::Paste;
    return;
  }
  const bool reply = !parameters.empty() && parameters[0] == '?';
  if (final == 'u' && reply) return inputs.push_back(Report::KeyboardProtocol);
  if (final == 'c' && reply) return inputs.push_back(Report::DeviceAttributes);
  if (alt) return;  // a key with Alt: ignored, as modified inputs are
  const std::vector<unsigned long> numbers = Numbers(parameters);
  if (final == 'u' && !numbers.empty() && numbers.size() <= 2)
    return CodedKey(numbers[0], Modifiers(numbers, 1), inputs);
  // xterm's modifyOtherKeys 2 (formatOtherKeys 0): CSI 27 ; modifiers ; code ~.
  if (final == '~' && numbers.size() == 3 && numbers[0] == 27)
    return CodedKey(numbers[2], Modifiers(numbers, 1), inputs);
  NamedKey(numbers, final, inputs);
}

// A CSI's bytes come in order: private markers (< = > ?), then numbers
// with ; and :, then intermediates (0x20-0x2F). A byte out of that order
// ends the sequence there, as libvterm reads it.
bool FitsCsi(KeyReader& reader, wchar_t c) {
  const CsiPart part = c >= 0x20 && c < 0x30   ? CsiPart::Intermediates
                       : c >= 0x3c && c < 0x40 ? CsiPart::Markers
                                               : CsiPart::Numbers;
  if (part < reader.csiPart) return false;
  reader.csiPart = part;
  return true;
}

void InCsi(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  if (Interrupts(reader, c)) return;
  if (c == '[' && reader.parameters.empty() && !reader.overlong) {
    reader.state = ReadState::LinuxFunctionKey;
  } else if (IsFinal(c)) {
    DispatchCsi(reader, c, inputs);
  } else if (c >= 0x20 && c < 0x40 && FitsCsi(reader, c)) {
    Collect(reader, c);
  } else {
    ToGround(reader);  // nor does any sequence hold a character outside ASCII
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
  NamedKey({1}, final, inputs);
}

void InSs3(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  const bool bare = reader.parameters.empty() && !reader.overlong;
  if (bare && Ss3Finals.find(c) != std::wstring_view::npos) {
    const bool alt = reader.alt;
    ToGround(reader);
    if (!alt) Ss3Key(c, inputs);
    return;
  }
  if (c == Can || c == Sub) return ToGround(reader);
  // SS3 is a single shift, not a sequence: what follows that is no ending
  // is read as at the start.
  if (IsC1(c)) return StartC1(reader, c);
  if (bare && !reader.eightBit && (c < 0x20 || c == Del) && c != Esc) {
    // Carried out, as after a lone ESC, and the SS3 ending is still awaited.
    if (const std::optional<KeyPress> key = PlainKey(c)) inputs.push_back(*key);
    return;
  }
  if (bare && !reader.late && !reader.eightBit && IsFinal(c)) {
    // ESC O and a final byte that arrive together are one key, one the box
    // does not know (urxvt's Ctrl+arrows, ESC O a to d) included: no key.
    return ToGround(reader);
  }
  if (bare && !reader.eightBit && !(c >= '0' && c <= '9') && c != ';') {
    // ESC O and a key that ends no SS3: Alt+Shift+O (or, after a late
    // Escape, O), then that key.
    const bool late = reader.late;
    ToGround(reader);
    Emit(inputs, late ? Key::Letter : Key::Chord, late ? L'o' : L'O');
    return ReadUnit(reader, c, inputs);
  }
  if (Interrupts(reader, c)) return;
  if (IsFinal(c)) return ToGround(reader);  // a modified F1-F4: no key here
  if (c >= 0x20 && c < 0x40) return Collect(reader, c);
  ToGround(reader);
}

void InString(KeyReader& reader, wchar_t c) {
  if (c == Bel || c == Can || c == Sub || c == C1St) return ToGround(reader);
  if (c == Esc) {
    reader.state = ReadState::ControlStringEscape;
    return;
  }
  reader.introducer = 0;  // something inside: this was no Alt chord
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
  std::size_t& matched = reader.pasteEndMatched;  // 1 after ESC, 2 after CSI, then each byte
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
  if (c == '[' || c == 'O') {
    Enter(reader, c == '[' ? ReadState::Csi : ReadState::Ss3);
  } else if (c == ']' || c == '_') {
    Enter(reader, ReadState::ControlString);
  } else {
    ToGround(reader);
    return Ground(reader, c, inputs);
  }
  reader.late = true;
}

// The X10 report's button and coordinates: a byte each, or a UTF-8
// character each where mode 1005 is on; a lead byte that no continuation
// follows was a coordinate of its own.
void MouseByte(KeyReader& reader, unsigned char byte, std::vector<Input>& inputs) {
  if (byte < 0x20) {  // every coordinate is 32 or more: this was no report
    ToGround(reader);
    return ReadByte(reader, byte, inputs);
  }
  if (reader.mouseContinuationsLeft > 0) {
    const bool continuation = (byte & 0xc0) == 0x80;
    reader.mouseContinuationsLeft = continuation ? reader.mouseContinuationsLeft - 1 : 0;
    if (continuation || reader.mouseCharactersLeft == 0) {
      if (reader.mouseCharactersLeft == 0 && reader.mouseContinuationsLeft == 0) ToGround(reader);
      if (!continuation) ReadByte(reader, byte, inputs);
      return;
    }
  }
  --reader.mouseCharactersLeft;
  reader.mouseContinuationsLeft = byte >= 0xc2 && byte <= 0xdf ? 1 : 0;
  if (reader.mouseCharactersLeft == 0 && reader.mouseContinuationsLeft == 0) ToGround(reader);
}

void ReadUnit(KeyReader& reader, wchar_t c, std::vector<Input>& inputs) {
  switch (reader.state) {
    case ReadState::Ground: return Ground(reader, c, inputs);
    case ReadState::Escape: return AfterEscape(reader, c, inputs);
    case ReadState::Csi: return InCsi(reader, c, inputs);
    case ReadState::LinuxFunctionKey:
      // To other readers CSI [ is whole: a C1 control after it begins anew.
      if (IsC1(c)) return StartC1(reader, c);
      if (!Interrupts(reader, c)) ToGround(reader);
      return;
    case ReadState::Ss3: return InSs3(reader, c, inputs);
    case ReadState::ControlString: return InString(reader, c);
    case ReadState::ControlStringEscape: return AfterStringEscape(reader, c, inputs);
    case ReadState::Paste: return InPaste(reader, c);
    case ReadState::LateRest: return AfterLateEscape(reader, c, inputs);
    case ReadState::MouseBytes: return;  // read as bytes
  }
}

void ReadByte(KeyReader& reader, unsigned char byte, std::vector<Input>& inputs) {
  if (reader.state == ReadState::MouseBytes) return MouseByte(reader, byte, inputs);
  wchar_t unit = 0;
  if (Decode(reader.character, byte, unit)) ReadUnit(reader, unit, inputs);
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
  // A read that begins with ESC while a lone ESC waits: the two came
  // apart, so the first was a key of its own.
  if (!bytes.empty() && bytes.front() == '\x1b' && reader.state == ReadState::Escape) {
    Emit(inputs, Key::Escape);
    ToGround(reader);
  }
  for (char byte : bytes) ReadByte(reader, static_cast<unsigned char>(byte), inputs);
}

int QuietWait(const KeyReader& reader) {
  switch (reader.state) {
    case ReadState::Ground: return -1;
    case ReadState::Escape:
    case ReadState::ControlStringEscape: return EscapeWaitMilliseconds;
    case ReadState::Ss3:
      return reader.parameters.empty() ? EscapeWaitMilliseconds : OpenWaitMilliseconds;
    default: return OpenWaitMilliseconds;
  }
}

void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs) {
  const ReadState state = reader.state;
  const bool late = reader.late, eightBit = reader.eightBit;
  const bool bare = reader.parameters.empty() && !reader.overlong;
  const wchar_t introducer = reader.introducer;
  ToGround(reader);
  switch (state) {
    case ReadState::Escape:
      Emit(inputs, Key::Escape);
      reader.state = ReadState::LateRest;
      return;
    case ReadState::ControlStringEscape: return Emit(inputs, Key::Escape);
    case ReadState::Ss3:
      if (bare && !eightBit) Emit(inputs, late ? Key::Letter : Key::Chord, late ? L'o' : L'O');
      return;
    case ReadState::ControlString:
      // ESC and the introducer alone: Alt and that key, typed by a person.
      if (introducer != 0) Emit(inputs, Key::Chord, introducer);
      return;
    default: return;
  }
}

}  // namespace zorvane::posix
