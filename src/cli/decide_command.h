#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane {

inline constexpr int MaxArgumentLength = 250;
inline constexpr std::string_view DefaultTitle = "Zorvane";
inline constexpr std::int32_t DefaultStyle = 1;  // OK/Cancel
// Button set, icon, default button and system-modal bits; nothing else
// reaches the box.
inline constexpr std::int32_t StyleMask = 0x1377;

struct BoxRequest {
  std::string text;
  std::string title;
  std::int32_t style;
};

struct Decision {
  bool showUsage;
  BoxRequest box;  // meaningful only when showUsage is false
};

// Everything the tool decides from its argument vector (index 0 is the
// program and is never read), with no platform call.
Decision DecideCommand(const std::vector<std::string>& arguments);

}  // namespace zorvane
