#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane {

// A copy of argument `index`; one that was not given reads as empty.
std::string ArgumentText(const std::vector<std::string>& arguments, int index);

// Only the space byte is trimmed in front; behind, spaces and NULs.
// Tabs and every other byte are the user's text.
std::string TrimSpaces(std::string_view text);

// The first min(count, length) bytes; a count of 0 or less gives "".
std::string LeftText(std::string_view text, int count);

}  // namespace zorvane
