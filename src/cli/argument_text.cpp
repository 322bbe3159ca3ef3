#include "cli/argument_text.h"

namespace zorvane {

std::string ArgumentText(const std::vector<std::string>& arguments, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= arguments.size()) return {};
  return arguments[static_cast<std::size_t>(index)];
}

std::string TrimSpaces(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(std::string_view(" \0", 2));
  return std::string(text.substr(first, last - first + 1));
}

std::string LeftText(std::string_view text, int count) {
  if (count <= 0) return {};
  return std::string(text.substr(0, static_cast<std::size_t>(count)));
}

}  // namespace zorvane
