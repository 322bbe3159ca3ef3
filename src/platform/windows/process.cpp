#include <cstdlib>

#include "platform/platform.h"

// Asks the C runtime's start-up (__getmainargs) to expand wildcards in the
// arguments before main sees them.
extern "C" {
int _dowildcard = -1;
}

// Reached only when memory runs out. libstdc++'s own handler would print a
// demangled type name to stderr and bring a demangler and printf along,
// a fifth of the executable; the tool never writes to stderr.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx

namespace zorvane::platform {

void EndProcess(int status) {
  std::exit(status);
}

}  // namespace zorvane::platform
