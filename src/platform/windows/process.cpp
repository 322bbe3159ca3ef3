#include <cstdlib>

#include "platform/platform.h"

// Asks the C runtime's start-up (__getmainargs) to expand wildcards in the
// arguments before main sees them.
extern "C" {
int _dowildcard = -1;
}

// The tool throws nothing, but string_view's bounds checks name the
// library's throw helper; linking the library's own would bring in the
// whole exception runtime, five times the tool itself. A failed check is a
// bug, so it ends the process as an uncaught exception would.
namespace std {
void __throw_out_of_range_fmt(const char*, ...) {
  std::abort();
}
}  // namespace std

namespace zorvane::platform {

void EndProcess(int status) {
  std::exit(status);
}

}  // namespace zorvane::platform
