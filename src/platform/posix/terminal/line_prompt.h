#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

// For terminals that take no escape sequences (TERM dumb or unset): the
// title, the text and one line naming the choices, with no control byte;
// then a line read back. End of input answers 0.
std::optional<int> ShowLinePrompt(const std::string& text, const std::string& title,
                                  const BoxStyle& style);

// The letter typed for each button: its access key; OK and Cancel, which
// have none, take their first letter where no other button has it (their
// English initial where that letter needs an input method: 취소 [C]).
std::vector<wchar_t> PromptLetters(const BoxStyle& style);

// The title, the text lines and the line that names the choices.
std::string PromptText(const std::string& text, const std::string& title, const BoxStyle& style);

// What a line typed at the prompt answers: Return alone the default, a
// button's letter or whole label in either case that button, a lone ESC
// what Escape answers on the box. No value: ask again.
std::optional<int> AnswerOfLine(const std::string& line, const BoxStyle& style);

}  // namespace zorvane::posix
