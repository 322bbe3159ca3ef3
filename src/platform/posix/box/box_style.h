#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/box/icons.h"

namespace zorvane::posix {

struct BoxButton {
  std::string label;  // "_" before the access key; OK and Cancel have none, as on Windows
  int code;           // what the process exits with when it is pressed
};

// The keys the line prompt names, in the labels' language.
struct KeyNames {
  std::string enter = "Return";
  std::string escape = "Esc";
};

struct BoxStyle {
  std::vector<BoxButton> buttons;  // left to right
  BoxIcon icon;
  std::size_t defaultButton;
  int escapeCode;  // Escape and the close box; 0 when they do nothing
  bool systemModal;
  KeyNames keyNames = {};
  std::string severity = {};  // the icon's kind in words, for screen readers; "" without one
};

// What a style word means, as the Windows message box reads it, with
// English labels. No style for button set 7, which Windows refuses.
std::optional<BoxStyle> ReadStyle(std::int32_t style);

// The label as shown, without the "_" that marks the access key.
std::string PlainLabel(std::string_view label);

// Where the access key's character starts in `label`, or npos where it
// has none. The caller decodes the character in the label's encoding.
std::size_t AccessKeyAt(std::string_view label);

}  // namespace zorvane::posix
