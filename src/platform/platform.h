#pragma once

// The few things the tool needs from the system it runs on; each platform
// directory implements them and nothing else.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/bounded_text.h"

namespace zorvane::platform {

// Writes each piece to standard output as it stands. Errors are ignored:
// a failed piece is dropped and the next one is still tried.
void WriteStandardOutput(const std::string_view* pieces, std::size_t count);

// Shows the modal box and returns the code of the pressed button, or 0
// when no box could be shown.
int ShowMessageBox(const BoundedText& text, const BoundedText& title, std::int32_t style);

// Ends the process through the C runtime's normal exit processing.
[[noreturn]] void EndProcess(int status);

}  // namespace zorvane::platform
