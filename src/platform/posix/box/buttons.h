#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

// Which letter presses which button, for every box: the letter after "_"
// in the shown label, decoded in the current locale and compared in lower
// case. Where two buttons share a letter, the first one takes it.

// The character at `at` in `text`, lower case; 0 where none decodes.
wchar_t LetterAt(std::string_view text, std::size_t at);

// How many bytes the character at `at` in `text` takes; at least 1.
std::size_t CharacterLength(std::string_view text, std::size_t at);

// The letter that presses `button`; 0 where it has none.
wchar_t AccessLetter(const BoxButton& button);

// The button that `letter` (any case) presses, if any.
std::optional<std::size_t> ButtonOfLetter(const BoxStyle& style, wchar_t letter);

}  // namespace zorvane::posix
