#include "platform/posix/box/buttons.h"

#include "platform/posix/box/characters.h"

namespace zorvane::posix {

wchar_t LetterAt(std::string_view text, std::size_t at) {
  const Character character = DecodeAt(text, at);
  return character.decoding == Decoding::Whole ? LowerCase(character.code) : 0;
}

std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return DecodeAt(text, at).length;
}

wchar_t AccessLetter(const BoxButton& button) {
  const std::size_t key = AccessKeyAt(button.label);
  return key == std::string_view::npos ? 0 : LetterAt(button.label, key);
}

std::optional<std::size_t> ButtonOfLetter(const BoxStyle& style, wchar_t letter) {
  const wchar_t lower = LowerCase(letter);
  if (lower == 0) return std::nullopt;
  for (std::size_t i = 0; i < style.buttons.size(); ++i) {
    if (AccessLetter(style.buttons[i]) == lower) return i;
  }
  return std::nullopt;
}

}  // namespace zorvane::posix
