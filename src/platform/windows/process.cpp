#include <windows.h>

#include "cli/decide_command.h"
#include "cli/run_command.h"
#include "platform/platform.h"

// The process starts here, not in the toolchain's start-up code: the tool
// needs only its argument vector and an exit, and that code would bring
// five times the tool's own size (TLS, pseudo-relocations, constructors,
// unwind tables) and a score of imports with it.
namespace {

struct StartupInfo {
  int newMode;  // the heap's new-handler mode; 0, as a C program's is
};

}  // namespace

// msvcrt's own: fills the vector, expanding wildcards where `expand` is
// nonzero, and sets up the runtime's heap and environment. No header of the
// toolchain declares it, so its name is ours to write.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" __declspec(dllimport) int __cdecl __getmainargs(int* count, char*** values,
                                                           char*** environment, int expand,
                                                           StartupInfo* startup);

namespace {

zorvane::Arguments MainArguments(int expand) {
  int count = 0;
  char** values = nullptr;
  char** environment = nullptr;
  StartupInfo startup{0};
  __getmainargs(&count, &values, &environment, expand, &startup);
  return {count, values};
}

}  // namespace

// Windows calls the entry point with no arguments and the stack 4-byte
// aligned, which is all this build assumes (-mpreferred-stack-boundary=2).
// "/?" and "-?" are wildcards too, which a matching file name would replace:
// the usage switch is read as typed, everything else after expansion.
extern "C" [[noreturn]] void __stdcall ZorvaneStart() {
  if (zorvane::AsksForUsage(MainArguments(0))) zorvane::ShowUsage();
  zorvane::RunCommand(MainArguments(1));
}

// The tool throws nothing, but string_view's bounds checks name the
// library's throw helper, and the library's own would bring in the whole
// exception runtime. A failed check is a bug: the process dies by an
// illegal instruction, never with a status a script could take for a button.
namespace std {
void __throw_out_of_range_fmt(const char*, ...) {
  __builtin_trap();
}
}  // namespace std

namespace zorvane::platform {

void EndProcess(int status) {
  exit(status);
}

}  // namespace zorvane::platform
