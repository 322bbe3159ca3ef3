#include "cli/usage_lines.h"

namespace zorvane {

std::vector<std::string_view> UsagePieces() {
  std::vector<std::string_view> pieces;
  for (std::string_view line : UsageLines) {
    if (!line.empty()) pieces.push_back(line);
    pieces.push_back("\r\n");
  }
  return pieces;
}

}  // namespace zorvane
