#pragma once

#include <cstdint>
#include <string_view>

#include "cli/argument_text.h"
#include "text/bounded_text.h"

namespace zorvane {

inline constexpr int MaxArgumentLength = static_cast<int>(BoundedText::Capacity);  // 250
inline constexpr std::string_view DefaultTitle = "Zorvane";
inline constexpr std::int32_t DefaultStyle = 1;  // OK/Cancel
// Button set, icon, default button and system-modal bits; nothing else
// reaches the box.
inline constexpr std::int32_t StyleMask = 0x1377;

struct BoxRequest {
  BoundedText text;
  BoundedText title;
  std::int32_t style;
};

struct Decision {
  bool showUsage;
  BoxRequest box;  // meaningful only when showUsage is false
};

// Whether the first argument, trimmed and cut as the text is, is "-?" or
// "/?". Where the runtime expands wildcards, "/?" is itself a pattern (any
// one-character name in the drive's root), so the caller asks this of the
// arguments as typed, before expansion.
bool AsksForUsage(Arguments arguments);

// Everything the tool decides from its argument vector (index 0 is the
// program and is never read), with no platform call.
Decision DecideCommand(Arguments arguments);

}  // namespace zorvane
