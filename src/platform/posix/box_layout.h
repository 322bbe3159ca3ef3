#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::posix {

struct ButtonSpec {
  std::string_view label;  // GTK's mnemonic form, "_" before the access key
  int code;                // what the process exits with when it is pressed
  bool hasAccessKey;       // OK and Cancel have none, as on Windows
};

enum class BoxIcon { NoIcon, Error, Question, Warning, Information };

struct BoxLayout {
  std::vector<ButtonSpec> buttons;  // left to right
  BoxIcon icon;
  std::size_t defaultButton;
  int escapeCode;  // Escape and the close box; 0 when they do nothing
  bool systemModal;
};

// What a style word means, as the Windows message box reads it. No layout
// for button set 7, which Windows refuses.
std::optional<BoxLayout> LayOutBox(std::int32_t style);

// The label as shown, without the "_" that marks the access key.
std::string PlainLabel(std::string_view label);

// A-Z to a-z; every other byte as it is.
char LowerAscii(char byte);

// The button's access key in lower case, or 0 where it has none.
char AccessKey(const ButtonSpec& button);

}  // namespace zorvane::posix
