#include "platform/posix/terminal/terminal_keys.h"

#include <cwchar>
#include <cwctype>
#include <string_view>

namespace zorvane::posix {
namespace {

constexpr char Esc = '\x1b';

struct Named {
  std::string_view body;  // what follows "ESC [" or "ESC O"
  Key key;
};

constexpr Named Sequences[] = {{"A", Key::Up},       {"B", Key::Down},     {"C", Key::Next},
                               {"D", Key::Previous}, {"Z", Key::Previous}, {"H", Key::Home},
                               {"F", Key::End},      {"1~", Key::Home},    {"7~", Key::Home},
                               {"4~", Key::End},     {"8~", Key::End},     {"5~", Key::PageUp},
                               {"6~", Key::PageDown}};

Key Lookup(std::string_view body) {
  for (const Named& named : Sequences) {
    if (named.body == body) return named.key;
  }
  return Key::None;
}

// "ESC [" parameters and intermediates, then one final byte (ECMA-48).
KeyPress TakeControlSequence(std::string& input) {
  for (std::size_t end = 2; end < input.size(); ++end) {
    const auto byte = static_cast<unsigned char>(input[end]);
    if (byte >= 0x40 && byte <= 0x7e) {
      const Key key = Lookup(std::string_view(input).substr(2, end - 1));
      input.erase(0, end + 1);
      return {key, 0};
    }
    if (byte < 0x20 || byte > 0x7e) {  // broken off: drop what came before
      input.erase(0, end);
      return {Key::None, 0};
    }
  }
  return {Key::Incomplete, 0};
}

KeyPress TakeEscape(std::string& input, bool quiet) {
  if (input.size() == 1) {
    if (!quiet) return {Key::Incomplete, 0};
    input.erase(0, 1);
    return {Key::Escape, 0};
  }
  if (input[1] == '[') return TakeControlSequence(input);
  if (input[1] == 'O') {  // SS3: exactly one more byte
    if (input.size() < 3) return {Key::Incomplete, 0};
    const Key key = Lookup(std::string_view(input).substr(2, 1));
    input.erase(0, 3);
    return {key, 0};
  }
  // ESC and a key together is that key with Alt, which presses a button
  // by its letter as Alt+Y does on Windows.
  input.erase(0, 1);
  return TakeKey(input, quiet);
}

KeyPress TakeCharacter(std::string& input, bool quiet) {
  std::mbstate_t state{};
  wchar_t character = 0;
  const std::size_t length = std::mbrtowc(&character, input.data(), input.size(), &state);
  if (length == static_cast<std::size_t>(-2) && !quiet) return {Key::Incomplete, 0};
  if (length == static_cast<std::size_t>(-1) || length == static_cast<std::size_t>(-2) ||
      length == 0) {
    input.erase(0, 1);
    return {Key::None, 0};
  }
  input.erase(0, length);
  if (std::iswcntrl(static_cast<wint_t>(character)) ||
      std::iswspace(static_cast<wint_t>(character)))
    return {Key::None, 0};
  return {Key::Letter, static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)))};
}

}  // namespace

wchar_t LetterAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  std::mbstate_t state{};
  wchar_t character = 0;
  const std::size_t length = std::mbrtowc(&character, text.data() + at, text.size() - at, &state);
  if (length == 0 || length > text.size() - at) return 0;
  return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
}

std::size_t CharacterLength(std::string_view text, std::size_t at) {
  if (at >= text.size()) return 1;
  std::mbstate_t state{};
  const std::size_t length = std::mbrlen(text.data() + at, text.size() - at, &state);
  return length == 0 || length > text.size() - at ? 1 : length;
}

wchar_t AccessLetter(const BoxButton& button) {
  const std::size_t key = AccessKeyAt(button.label);
  return key == std::string_view::npos ? 0 : LetterAt(button.label, key);
}

bool WaitsForQuiet(const std::string& input) {
  return input.size() == 1 && input[0] == Esc;
}

KeyPress TakeKey(std::string& input, bool quiet) {
  if (input.empty()) return {Key::None, 0};
  switch (input[0]) {
    case Esc: return TakeEscape(input, quiet);
    case '\t': input.erase(0, 1); return {Key::Next, 0};
    case '\r':
    case '\n':
    case ' ': input.erase(0, 1); return {Key::Press, 0};
    default: return TakeCharacter(input, quiet);
  }
}

}  // namespace zorvane::posix
