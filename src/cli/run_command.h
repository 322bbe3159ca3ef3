#pragma once

#include "cli/argument_text.h"

namespace zorvane {

// The process entry: shows the usage screen or the box and ends the
// process with its answer. Never returns.
[[noreturn]] void RunCommand(Arguments arguments);

// Writes the usage screen to standard output and ends with status 0.
[[noreturn]] void ShowUsage();

}  // namespace zorvane
