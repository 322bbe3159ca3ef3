#include "platform/posix/terminal/key_table.h"

#include <cwctype>
#include <iterator>
#include <optional>
#include <string_view>
#include <type_traits>

#include "platform/posix/box/characters.h"

namespace zorvane::posix {
namespace {

constexpr wchar_t Esc = 0x1b, Del = 0x7f;
// Decoded bytes that are no character (sequence_parser.cpp) are above every code point.
constexpr wchar_t NoCharacter = 0x110000;

void Emit(std::vector<Input>& inputs, Key key, wchar_t letter = 0) {
  inputs.push_back(KeyPress{key, letter});
}

// A key the table knows: `key` is empty where the key does nothing here
// (F1-F4, Insert, the keypad's middle).
struct Known {
  std::optional<KeyPress> key;
};

constexpr unsigned long Shift = 1, Alt = 2, Ctrl = 4;

// The modifier parameter at `at` as bits over 1: Shift 1, Alt 2, Ctrl 4,
// others 8 on. Caps Lock (64) and Num Lock (128) change no key: left out.
unsigned long Modifiers(const Parameters& parameters, std::size_t at) {
  if (parameters.count <= at || parameters.numbers[at] == 0) return 0;
  return (parameters.numbers[at] - 1) & 0x3f;
}

// The first number, 1 where none is given, as the keys' defaults have it.
unsigned long FirstNumber(const Parameters& parameters) {
  return parameters.numbers[0] == 0 ? 1 : parameters.numbers[0];
}

// Whether `sent` is the key `bound` stands for, sent without a modifier.
bool SameKey(const Token& sent, const Token& bound) {
  if (sent.piece != bound.piece || sent.code != bound.code) return false;
  if (sent.piece != Piece::Csi) return true;
  const Parameters& a = sent.parameters;
  const Parameters& b = bound.parameters;
  return a.marker == b.marker && a.intermediate == b.intermediate &&
         FirstNumber(a) == FirstNumber(b);
}

std::optional<Known> Bound(const Token& token, const KeyTable& table) {
  for (const Binding& binding : table.terminal) {
    if (!SameKey(token, binding.token)) continue;
    if (!binding.key) return Known{};
    return Known{KeyPress{*binding.key}};
  }
  return std::nullopt;
}

struct Named {
  unsigned long number;
  char final;
  Key key;
};

// xterm's cursor, page, Home and End keys; the VT220's and rxvt's editing
// keys; the Sun function keys of `xterm -kt sun`.
constexpr Named CsiKeys[] = {
    {1, 'A', Key::Up},        {1, 'B', Key::Down},   {1, 'C', Key::Next},  {1, 'D', Key::Previous},
    {1, 'Z', Key::Previous},  {1, 'H', Key::Home},   {1, 'F', Key::End},   {1, '~', Key::Home},
    {7, '~', Key::Home},      {4, '~', Key::End},    {8, '~', Key::End},   {5, '~', Key::PageUp},
    {6, '~', Key::PageDown},  {214, 'z', Key::Home}, {220, 'z', Key::End}, {216, 'z', Key::PageUp},
    {222, 'z', Key::PageDown}};

std::optional<Known> BuiltInCsiKey(unsigned long number, wchar_t final) {
  for (const Named& named : CsiKeys) {
    if (static_cast<wchar_t>(named.final) == final && named.number == number)
      return Known{KeyPress{named.key}};
  }
  return std::nullopt;
}

// SS3's keys: the cursor keys, Home, End, F1-F4, and the keypad in
// application mode: Enter, Tab, = and the operators as themselves, the
// digits as the keys printed under them (PuTTY sends those with Num Lock
// off; xterm with it on, where a digit is no key of the box's anyway).
std::optional<Known> BuiltInSs3Key(wchar_t final) {
  constexpr std::wstring_view Operators = L"*+,-./";  // j to o
  constexpr std::optional<Key> Digits[] = {
      std::nullopt, Key::End,  Key::Down, Key::PageDown, Key::Previous,  // p to t: 0 to 4
      std::nullopt, Key::Next, Key::Home, Key::Up,       Key::PageUp};   // u to y: 5 to 9
  switch (final) {
    case 'A': return Known{KeyPress{Key::Up}};
    case 'B': return Known{KeyPress{Key::Down}};
    case 'C': return Known{KeyPress{Key::Next}};
    case 'D': return Known{KeyPress{Key::Previous}};
    case 'H': return Known{KeyPress{Key::Home}};
    case 'F': return Known{KeyPress{Key::End}};
    case 'M': return Known{KeyPress{Key::Press}};
    case 'I': return Known{KeyPress{Key::Next}};
    case 'X': return Known{KeyPress{Key::Letter, L'='}};
    case 'E':
    case 'P':
    case 'Q':
    case 'R':
    case 'S': return Known{};
    default: break;
  }
  if (final >= 'j' && final <= 'o')
    return Known{KeyPress{Key::Letter, Operators[static_cast<std::size_t>(final - 'j')]}};
  if (final >= 'p' && final <= 'y') {
    const std::optional<Key> digit = Digits[final - 'p'];
    return Known{digit ? std::optional(KeyPress{*digit}) : std::nullopt};
  }
  return std::nullopt;
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

void Push(const std::optional<Known>& known, std::vector<Input>& inputs) {
  if (known && known->key) inputs.push_back(*known->key);
}

// A whole CSI: a reply the box asked for, a key by its code, or a named key.
void CsiKeysOf(const Token& token, const KeyTable& table, std::vector<Input>& inputs) {
  const Parameters& parameters = token.parameters;
  // Replies whatever their length: xterm's attributes have 12 numbers.
  if (parameters.marker == '?' && parameters.intermediate == 0) {
    if (token.code == 'u') inputs.push_back(Report::KeyboardProtocol);
    if (token.code == 'c') inputs.push_back(Report::DeviceAttributes);
    return;
  }
  if (parameters.overlong || parameters.marker != 0 || parameters.intermediate != 0) return;
  if (token.code == 'u' && parameters.count <= 2)
    return CodedKey(parameters.numbers[0], Modifiers(parameters, 1), inputs);
  // xterm's modifyOtherKeys 2 (formatOtherKeys 0): CSI 27 ; modifiers ; code ~.
  if (token.code == '~' && parameters.count == 3 && parameters.numbers[0] == 27)
    return CodedKey(parameters.numbers[2], Modifiers(parameters, 1), inputs);
  // A key with a modifier besides the locks is no key here.
  if (parameters.count > 2 || Modifiers(parameters, 1) != 0) return;
  std::optional<Known> known = Bound(token, table);
  if (!known) known = BuiltInCsiKey(FirstNumber(parameters), token.code);
  Push(known, inputs);
}

void Ss3KeysOf(const Token& token, const KeyTable& table, std::vector<Input>& inputs) {
  if (token.parameters.count > 0) return;  // a modified F1-F4
  std::optional<Known> known = Bound(token, table);
  if (!known) known = BuiltInSs3Key(token.code);
  if (!known && token.via == Via::Late) {
    // No key's ending: a person's O and what they typed next.
    Emit(inputs, Key::Letter, L'o');
    if (const std::optional<KeyPress> key = PlainKey(token.code)) inputs.push_back(*key);
    return;
  }
  Push(known, inputs);
}

bool IsPress(const std::vector<Input>& keys) {
  const KeyPress* key = keys.size() == 1 ? std::get_if<KeyPress>(&keys[0]) : nullptr;
  return key && key->key == Key::Press;
}

void SequenceKeysOf(const Token& token, const KeyTable& table, std::vector<Input>& inputs) {
  std::vector<Input> keys;
  if (token.piece == Piece::Csi) {
    CsiKeysOf(token, table, keys);
  } else {
    Ss3KeysOf(token, table, keys);
  }
  // urxvt's Alt and a key (ESC ESC and its sequence): Alt+Return, or
  // Alt+Enter on the keypad, as where Alt is ESC alone; other keys with
  // Alt are none.
  if (token.via == Via::AltEscape) {
    if (IsPress(keys)) Emit(inputs, Key::Chord, L'\r');
    return;
  }
  inputs.insert(inputs.end(), keys.begin(), keys.end());
}

std::optional<Key> CapabilityKey(std::string_view capability) {
  constexpr std::pair<std::string_view, std::optional<Key>> Keys[] = {
      {"kcuu1", Key::Up},    {"kcud1", Key::Down},   {"kcub1", Key::Previous},
      {"kcuf1", Key::Next},  {"khome", Key::Home},   {"kend", Key::End},
      {"kpp", Key::PageUp},  {"knp", Key::PageDown}, {"kcbt", Key::Previous},
      {"kent", Key::Press},  {"ka1", Key::Home},     {"ka3", Key::PageUp},
      {"kb2", std::nullopt}, {"kc1", Key::End},      {"kc3", Key::PageDown}};
  for (const auto& [name, key] : Keys) {
    if (name == capability) return key;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyPress> PlainKey(wchar_t character) {
  if (character == '\t') return KeyPress{Key::Next};
  if (character == '\r' || character == '\n' || character == ' ') return KeyPress{Key::Press};
  const auto wide = static_cast<wint_t>(static_cast<std::make_unsigned_t<wchar_t>>(character));
  if (character < 0x20 || character == Del || (character >= 0x80 && character <= 0x9f) ||
      character >= NoCharacter || std::iswcntrl(wide) || std::iswspace(wide))
    return std::nullopt;
  return KeyPress{Key::Letter, LowerCase(character)};
}

const std::vector<std::string>& KeyCapabilities() {
  static const std::vector<std::string> names = {"kcuu1", "kcud1", "kcub1", "kcuf1", "khome",
                                                 "kend",  "kpp",   "knp",   "kcbt",  "kent",
                                                 "ka1",   "ka3",   "kb2",   "kc1",   "kc3"};
  return names;
}

KeyTable TableOf(const std::vector<KeyString>& strings) {
  KeyTable table;
  for (const auto& [capability, bytes] : strings) {
    const std::vector<Token> tokens = ParseWhole(bytes.c_str());
    if (tokens.size() != 1 || tokens[0].piece == Piece::Character) continue;
    const Token& token = tokens[0];
    // CR is Return and Tab is Tab on every keyboard: no entry takes them.
    constexpr std::wstring_view Untaken = L"\r\t";
    if (token.piece == Piece::Control && Untaken.find(token.code) != Untaken.npos) continue;
    table.terminal.push_back(Binding{token, CapabilityKey(capability)});
  }
  return table;
}

void KeysOf(const Token& token, const KeyTable& table, std::vector<Input>& inputs) {
  switch (token.piece) {
    case Piece::Character:
      if (const std::optional<KeyPress> key = PlainKey(token.code)) inputs.push_back(*key);
      return;
    case Piece::Control:
      if (const std::optional<Known> bound = Bound(token, table)) return Push(bound, inputs);
      if (token.code == Esc) return Emit(inputs, Key::Escape);
      if (const std::optional<KeyPress> key = PlainKey(token.code)) return inputs.push_back(*key);
      if (token.code > 0 && token.code < 0x20) inputs.push_back(ControlChord{token.code});
      return;
    case Piece::EscChord:
      // ESC O, then no SS3 ending, after Escape was pressed: a person's O.
      if (token.via == Via::Late) return Emit(inputs, Key::Letter, LowerCase(token.code));
      if (const std::optional<Known> bound = Bound(token, table)) return Push(bound, inputs);
      // Escape where the box has an answer for it, else that key.
      return Emit(inputs, Key::Chord, token.code);
    case Piece::Csi:
    case Piece::Ss3: return SequenceKeysOf(token, table, inputs);
    case Piece::LinuxKey: return;  // F1-F5
  }
}

}  // namespace zorvane::posix
