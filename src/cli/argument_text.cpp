#include "cli/argument_text.h"

namespace zorvane {

std::string_view ArgumentText(Arguments arguments, int index) {
  if (index < 0 || index >= arguments.count || !arguments.values[index]) return {};
  return arguments.values[index];
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(std::string_view(" \0", 2));
  return text.substr(first, last - first + 1);
}

std::string_view LeftText(std::string_view text, int count) {
  if (count <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(count));
}

}  // namespace zorvane
