#pragma once

#include <string_view>

namespace zorvane {

// The argument vector as the process gets it.
struct Arguments {
  int count;
  const char* const* values;
};

// Argument `index`; one that was not given reads as empty.
std::string_view ArgumentText(Arguments arguments, int index);

// Only the space byte is trimmed in front; behind, spaces and NULs.
// Tabs and every other byte are the user's text.
std::string_view TrimSpaces(std::string_view text);

// The first min(count, length) bytes; a count of 0 or less gives "".
std::string_view LeftText(std::string_view text, int count);

}  // namespace zorvane
