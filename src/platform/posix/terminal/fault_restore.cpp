#include "platform/posix/terminal/fault_restore.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

namespace zorvane::posix {
namespace {

constexpr int FaultSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS};
constexpr std::size_t FaultCount = sizeof FaultSignals / sizeof FaultSignals[0];

// A signal handler can reach nothing else: this is the one piece of
// process-wide state, set while the terminal is held and read only here.
struct FaultRestore {
  int fd = -1;
  termios saved{};
  char giveBack[FaultGiveBackRoom] = {};
  std::size_t length = 0;
  struct sigaction callers[FaultCount] = {};
};
FaultRestore restore;

// Only async-signal-safe calls. SA_RESETHAND has put the default action
// back and SA_NODEFER lets the signal through again at once, so raising it
// ends the process (a real fault would also recur on return).
void OnFault(int signal) {
  if (restore.fd >= 0) {
    [[maybe_unused]] const ssize_t written = write(restore.fd, restore.giveBack, restore.length);
    tcsetattr(restore.fd, TCSANOW, &restore.saved);
  }
  raise(signal);
}

}  // namespace

void RestoreOnFault(int fd, const termios& saved, std::string_view giveBack) {
  StopRestoringOnFault();
  restore.fd = fd;
  restore.saved = saved;
  restore.length = std::min(giveBack.size(), sizeof restore.giveBack);
  std::memcpy(restore.giveBack, giveBack.data(), restore.length);
  struct sigaction action {};
  action.sa_handler = OnFault;
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < FaultCount; ++i) {
    sigaction(FaultSignals[i], nullptr, &restore.callers[i]);
    if (restore.callers[i].sa_handler == SIG_IGN) continue;  // left ignored, it stays so
    sigaction(FaultSignals[i], &action, nullptr);
  }
}

void StopRestoringOnFault() {
  if (restore.fd < 0) return;
  for (std::size_t i = 0; i < FaultCount; ++i)
    sigaction(FaultSignals[i], &restore.callers[i], nullptr);
  restore.fd = -1;
}

}  // namespace zorvane::posix
