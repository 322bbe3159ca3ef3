#pragma once

// All that is known about a button, parsed once from its label: both
// boxes, the prompt and the GTK helper read it from here.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::posix {

struct Button {
  std::string marked;  // "_" before the access key, as GTK and the helper take it; OK and
                       // Cancel have none, as on Windows
  std::string label;   // as shown, without the "_"
  std::size_t keyAt;   // where the access key's character starts in `label`; npos without
  wchar_t letter;      // that character in lower case, which presses the button; 0 without
  int code;            // what the process exits with when it is pressed
};

// A button from its marked label, read in the current locale's encoding.
Button MakeButton(std::string_view marked, int code);

// The button that `letter` (any case) presses: the first one whose access
// letter it is.
std::optional<std::size_t> ButtonOfLetter(const std::vector<Button>& buttons, wchar_t letter);

}  // namespace zorvane::posix
