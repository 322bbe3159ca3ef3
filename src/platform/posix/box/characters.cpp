#include "platform/posix/box/characters.h"

#include <cwchar>
#include <cwctype>

namespace zorvane::posix {

Character DecodeAt(std::string_view text, std::size_t at) {
  if (at >= text.size()) return {0, 1, Decoding::Incomplete};
  std::mbstate_t state{};
  wchar_t code = 0;
  const std::size_t length = std::mbrtowc(&code, text.data() + at, text.size() - at, &state);
  if (length == static_cast<std::size_t>(-2)) return {0, 1, Decoding::Incomplete};
  if (length == static_cast<std::size_t>(-1)) return {0, 1, Decoding::Broken};
  return {code, length == 0 ? 1 : length, Decoding::Whole};  // 0: the NUL character
}

wchar_t LowerCase(wchar_t character) {
  return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(character)));
}

std::wstring Lowered(std::string_view text) {
  std::wstring lowered;
  for (std::size_t at = 0; at < text.size();) {
    const Character character = DecodeAt(text, at);
    if (character.decoding != Decoding::Whole) return {};
    lowered += LowerCase(character.code);
    at += character.length;
  }
  return lowered;
}

}  // namespace zorvane::posix
