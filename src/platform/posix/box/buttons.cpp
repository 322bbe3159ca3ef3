#include "platform/posix/box/buttons.h"

#include <cwchar>
#include <cwctype>

namespace zorvane::posix {

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

std::optional<std::size_t> ButtonOfLetter(const BoxStyle& style, wchar_t letter) {
  const auto lower = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(letter)));
  if (lower == 0) return std::nullopt;
  for (std::size_t i = 0; i < style.buttons.size(); ++i) {
    if (AccessLetter(style.buttons[i]) == lower) return i;
  }
  return std::nullopt;
}

}  // namespace zorvane::posix
