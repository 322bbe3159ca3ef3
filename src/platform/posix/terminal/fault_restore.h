#pragma once

#include <termios.h>

#include <cstddef>
#include <string_view>

namespace zorvane::posix {

// While the box holds the terminal, a crash or a sent SIGABRT, SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGTRAP or SIGSYS first gives the terminal back
// (these cannot wait for the signal descriptor: a real fault is delivered
// at once), then ends the process by that signal, with a core where the
// caller allows one. `giveBack` is written as it stands; it must fit in
// FaultGiveBackRoom bytes, which the lease's longest give-back does by a
// compile-time check.
inline constexpr std::size_t FaultGiveBackRoom = 128;
void RestoreOnFault(int fd, const termios& saved, std::string_view giveBack);

// The caller's own actions for those signals back.
void StopRestoringOnFault();

}  // namespace zorvane::posix
