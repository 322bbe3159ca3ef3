// The size floor for zorvane.exe: the same message box from an entry point
// of its own, with no start-up code, built the same way and carrying the
// same resources.
#include <windows.h>

#include <cstdlib>

extern "C" [[noreturn]] void __stdcall BareStart() {
  exit(MessageBoxA(nullptr, "Hello_there", "Zt", MB_YESNO));
}
