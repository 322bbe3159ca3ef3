#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/box/buttons.h"
#include "platform/posix/box/icons.h"

namespace zorvane::posix {

// The keys the line prompt names, in the labels' language.
struct KeyNames {
  std::string enter = "Return";
  std::string escape = "Esc";
};

struct BoxStyle {
  std::vector<Button> buttons;  // left to right
  BoxIcon icon;
  std::size_t defaultButton;
  int escapeCode;  // Escape and the close box; 0 when they do nothing
  bool systemModal;
  KeyNames keyNames = {};
  std::string severity = {};  // the icon's kind in words, for screen readers; "" without one
};

// What a style word means, as the Windows message box reads it, with
// English labels. No style for button set 7, which Windows refuses.
std::optional<BoxStyle> ReadStyle(std::int32_t word);

}  // namespace zorvane::posix
