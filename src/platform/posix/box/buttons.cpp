#include "platform/posix/box/buttons.h"

#include "platform/posix/box/characters.h"

namespace zorvane::posix {

Button MakeButton(std::string_view marked, int code) {
  Button button{std::string(marked), {}, std::string::npos, 0, code};
  for (char byte : marked) {
    if (byte != '_') button.label += byte;
  }
  const std::size_t mark = marked.find('_');
  if (mark == std::string_view::npos || mark + 1 >= marked.size()) return button;
  button.keyAt = mark;  // nothing before the first "_" is dropped
  const Character key = DecodeAt(button.label, mark);
  if (key.decoding == Decoding::Whole) button.letter = LowerCase(key.code);
  return button;
}

std::optional<std::size_t> ButtonOfLetter(const std::vector<Button>& buttons, wchar_t letter) {
  const wchar_t lower = LowerCase(letter);
  if (lower == 0) return std::nullopt;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].letter == lower) return i;
  }
  return std::nullopt;
}

}  // namespace zorvane::posix
