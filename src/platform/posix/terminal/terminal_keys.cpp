#include "platform/posix/terminal/terminal_keys.h"

#include <cwchar>
#include <cwctype>

namespace zorvane::posix {
namespace {

constexpr char Esc = '\x1b';
constexpr unsigned char Bel = 0x07, Can = 0x18, Sub = 0x1a, Del = 0x7f;
constexpr std::size_t LongestParameters = 32;
constexpr std::string_view PasteEnd = "\x1b[201~";

// A key split by 150 ms, as over a slow link, is still that key; a person
// pressing Escape still sees the box answer at once.
constexpr int EscapeWaitMilliseconds = 300;
// How long after such an Escape the rest of a key ("[" or "O" and on) is
// still read as the rest of a key rather than as letters.
constexpr int LateRestMilliseconds = 1000;

struct Named {
  std::string_view parameters;
  char final;
  Key key;
};

constexpr Named CsiKeys[] = {
    {"", 'A', Key::Up},       {"", 'B', Key::Down}, {"", 'C', Key::Next}, {"", 'D', Key::Previous},
    {"", 'Z', Key::Previous}, {"", 'H', Key::Home}, {"", 'F', Key::End},  {"1", '~', Key::Home},
    {"7", '~', Key::Home},    {"4", '~', Key::End}, {"8", '~', Key::End}, {"5", '~', Key::PageUp},
    {"6", '~', Key::PageDown}};

void Emit(std::vector<KeyPress>& keys, Key key, wchar_t letter = 0) {
  keys.push_back({key, letter});
}

void ToGround(KeyReader& reader) {
  reader.state = ReadState::Ground;
  reader.pending.clear();
  reader.overlong = false;
  reader.lateString = false;
}

// OSC, DCS, APC, PM and SOS.
bool IsStringIntroducer(unsigned char byte) {
  return byte == ']' || byte == 'P' || byte == '_' || byte == '^' || byte == 'X';
}

void StartSequence(KeyReader& reader, ReadState state) {
  ToGround(reader);
  reader.state = state;
}

bool IsFinal(unsigned char byte) {
  return byte >= 0x40 && byte <= 0x7e;
}

void Collect(KeyReader& reader, unsigned char byte) {
  if (reader.pending.size() < LongestParameters) {
    reader.pending += static_cast<char>(byte);
  } else {
    reader.overlong = true;
  }
}

// Whole numbers between ";" (a ":" starts a sub-parameter, which is dropped).
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
    }
  }
  return numbers;
}

// The keyboard protocol's "CSI code ; modifiers u": Escape unambiguous,
// Tab, Alt and a letter, Ctrl and a letter.
void KeyboardProtocolKey(std::string_view parameters, std::vector<KeyPress>& keys) {
  const std::vector<unsigned long> numbers = Numbers(parameters);
  if (numbers.empty() || numbers.size() > 2) return;
  const unsigned long code = numbers[0];
  // Bits over 1: Shift 1, Alt 2, Ctrl 4, others 8 on; Caps and Num Lock play no part.
  const unsigned long modifiers =
      (numbers.size() == 2 && numbers[1] > 0 ? numbers[1] - 1 : 0) & 0x3f;
  constexpr unsigned long Shift = 1, Alt = 2, Ctrl = 4;
  if (code == 27 && modifiers == 0) return Emit(keys, Key::Escape);
  if (code == 9 && (modifiers & ~Shift) == 0)
    return Emit(keys, modifiers ? Key::Previous : Key::Next);
  if (code == 13 && modifiers == 0) return Emit(keys, Key::Press);
  if ((modifiers & ~Shift) == Ctrl && code >= 0x40 && code < 0x80)
    return Emit(keys, Key::Control, static_cast<wchar_t>(code & 0x1f));
  if ((modifiers & ~Shift) == Alt && code > 0x20 && code != Del &&
      !std::iswcntrl(static_cast<wint_t>(code)))
    return Emit(keys, Key::Letter, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(code))));
}

// A named key of CSI or SS3 (which share their final bytes), if any.
void NamedKey(std::string_view parameters, unsigned char final, std::vector<KeyPress>& keys) {
  for (const Named& named : CsiKeys) {
    if (named.final == static_cast<char>(final) && named.parameters == parameters)
      return Emit(keys, named.key);
  }
}

void DispatchCsi(KeyReader& reader, unsigned char final, std::vector<KeyPress>& keys) {
  const std::string parameters = reader.overlong ? std::string() : reader.pending;
  const bool overlong = reader.overlong;
  ToGround(reader);
  if (overlong) return;
  if (final == 'M' && parameters.empty()) {  // X10 mouse: three raw bytes follow
    reader.state = ReadState::MouseBytes;
    reader.mouseBytesLeft = 3;
    return;
  }
  if (final == '~' && parameters == "200") {
    reader.state = ReadState::Paste;
    reader.pasteEndMatched = 0;
    return;
  }
  if (final == 'u') {
    if (!parameters.empty() && parameters[0] == '?') return Emit(keys, Key::KeyboardProtocol);
    if (!parameters.empty() && parameters[0] >= '0' && parameters[0] <= '9')
      KeyboardProtocolKey(parameters, keys);
    return;
  }
  if (final == 'c' && !parameters.empty() && parameters[0] == '?')
    return Emit(keys, Key::DeviceAttributes);
  NamedKey(parameters, final, keys);
}

void Ground(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys);

void Character(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  reader.pending += static_cast<char>(byte);
  std::mbstate_t state{};
  wchar_t character = 0;
  const std::size_t length =
      std::mbrtowc(&character, reader.pending.data(), reader.pending.size(), &state);
  if (length == static_cast<std::size_t>(-2)) return;  // more bytes to come
  const bool started = reader.pending.size() > 1;
  reader.pending.clear();
  if (length == static_cast<std::size_t>(-1)) {
    // A broken character: its bytes are dropped, and a byte that broke it
    // off is read again on its own.
    if (started) Ground(reader, byte, keys);
    return;
  }
  if (std::iswcntrl(static_cast<wint_t>(character)) ||
      std::iswspace(static_cast<wint_t>(character)))
    return;
  Emit(keys, Key::Letter, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character))));
}

void Ground(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (!reader.pending.empty() && (byte < 0x20 || byte == Del)) reader.pending.clear();
  if (!reader.pending.empty() || (byte > 0x20 && byte != Del)) return Character(reader, byte, keys);
  switch (byte) {
    case Esc: return StartSequence(reader, ReadState::Escape);
    case '\t': return Emit(keys, Key::Next);
    case '\r':
    case '\n':
    case ' ': return Emit(keys, Key::Press);
    default: return;  // other control bytes: the terminal's own business
  }
}

void AfterEscape(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (IsStringIntroducer(byte)) {
    const bool late = reader.lateString;
    StartSequence(reader, ReadState::ControlString);
    reader.lateString = late;
    return;
  }
  switch (byte) {
    case '[': return StartSequence(reader, ReadState::Csi);
    case 'O': return StartSequence(reader, ReadState::Ss3);
    case Esc: return Emit(keys, Key::Escape);  // the first is Escape, the second starts anew
    default: break;
  }
  if (byte < 0x20 || byte == Del) {
    Emit(keys, Key::Escape);
    ToGround(reader);
    return Ground(reader, byte, keys);
  }
  if (byte < 0x30) return StartSequence(reader, ReadState::EscapeIntermediate);
  // ESC and a key together is that key with Alt, which presses a button
  // by its letter as Alt+Y does on Windows.
  ToGround(reader);
  Ground(reader, byte, keys);
}

// A control byte breaks a sequence off: what came before is dropped, and
// the byte is read on its own. ESC starts a new one; CAN and SUB cancel.
bool BreaksOff(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (byte >= 0x20 && byte < 0x80 && byte != Del) return false;
  if (byte == Del) return true;  // ignored inside a sequence
  ToGround(reader);
  if (byte == Esc) {
    reader.state = ReadState::Escape;
  } else if (byte != Can && byte != Sub) {
    Ground(reader, byte, keys);
  }
  return true;
}

void InCsi(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (BreaksOff(reader, byte, keys)) return;
  if (byte == '[' && reader.pending.empty() && !reader.overlong) {
    reader.state = ReadState::LinuxFunctionKey;
  } else if (IsFinal(byte)) {
    DispatchCsi(reader, byte, keys);
  } else {
    Collect(reader, byte);
  }
}

void InSs3(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (BreaksOff(reader, byte, keys)) return;
  if (IsFinal(byte)) {
    const bool plain = reader.pending.empty() && !reader.overlong;  // no modifier
    ToGround(reader);
    if (plain) NamedKey("", byte, keys);
    return;
  }
  Collect(reader, byte);  // parameters, as in ESC O 2 P (Shift+F1)
}

void InPaste(KeyReader& reader, unsigned char byte) {
  if (static_cast<char>(byte) == PasteEnd[reader.pasteEndMatched]) {
    if (++reader.pasteEndMatched == PasteEnd.size()) ToGround(reader);
  } else {
    reader.pasteEndMatched = static_cast<char>(byte) == Esc ? 1 : 0;
  }
}

void ReadByte(KeyReader& reader, unsigned char byte, std::vector<KeyPress>& keys) {
  if (reader.lateEscape) {
    // The rest of a key or reply whose ESC came so late that it counted
    // alone: read as what follows ESC, never as letters.
    reader.lateEscape = false;
    if (byte == '[' || byte == 'O' || IsStringIntroducer(byte)) {
      StartSequence(reader, ReadState::Escape);
      reader.lateString = IsStringIntroducer(byte);
      return AfterEscape(reader, byte, keys);
    }
  }
  switch (reader.state) {
    case ReadState::Ground: return Ground(reader, byte, keys);
    case ReadState::Escape: return AfterEscape(reader, byte, keys);
    case ReadState::EscapeIntermediate:
      if (BreaksOff(reader, byte, keys)) return;
      if (byte >= 0x30) ToGround(reader);
      return;
    case ReadState::Csi: return InCsi(reader, byte, keys);
    case ReadState::LinuxFunctionKey:
      if (!BreaksOff(reader, byte, keys)) ToGround(reader);
      return;
    case ReadState::Ss3: return InSs3(reader, byte, keys);
    case ReadState::ControlString:
      if (byte == Bel || byte == Can || byte == Sub) ToGround(reader);
      if (byte == Esc) reader.state = ReadState::ControlStringEscape;
      return;
    case ReadState::ControlStringEscape:
      if (byte == '\\') return ToGround(reader);
      // An ESC that is not the start of ST ends the string and starts anew.
      reader.state = ReadState::Escape;
      return AfterEscape(reader, byte, keys);
    case ReadState::MouseBytes:
      if (--reader.mouseBytesLeft <= 0) ToGround(reader);
      return;
    case ReadState::Paste: return InPaste(reader, byte);
  }
}

}  // namespace

void ReadKeys(KeyReader& reader, std::string_view bytes, std::vector<KeyPress>& keys) {
  for (char byte : bytes) ReadByte(reader, static_cast<unsigned char>(byte), keys);
}

int QuietWait(const KeyReader& reader) {
  if (reader.state == ReadState::Escape) return EscapeWaitMilliseconds;
  if (reader.lateEscape || reader.lateString) return LateRestMilliseconds;
  return -1;
}

void ReadQuiet(KeyReader& reader, std::vector<KeyPress>& keys) {
  if (reader.state == ReadState::Escape) {
    ToGround(reader);
    reader.lateEscape = true;
    Emit(keys, Key::Escape);
    return;
  }
  reader.lateEscape = false;
  // A reply comes in one burst; a string begun after a late Escape that
  // then goes quiet was a person typing, whose next keys must count.
  if (reader.lateString) ToGround(reader);
}

}  // namespace zorvane::posix
