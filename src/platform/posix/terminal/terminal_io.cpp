#include "platform/posix/terminal/terminal_io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>

#include "platform/posix/write_all.h"

namespace zorvane::posix {
namespace {

// Every signal whose default action ends the process and that can arrive
// from outside; the terminal is restored before it takes effect.
constexpr int EndingSignals[] = {SIGHUP,    SIGINT,  SIGQUIT, SIGPIPE,   SIGALRM,
                                 SIGTERM,   SIGUSR1, SIGUSR2, SIGPOLL,   SIGPROF,
                                 SIGVTALRM, SIGXCPU, SIGXFSZ, SIGSTKFLT, SIGPWR};

bool Ignored(int signal) {
  struct sigaction action {};
  return sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

void AddUnlessIgnored(sigset_t& mask, int signal) {
  if (!Ignored(signal)) sigaddset(&mask, signal);
}

sigset_t WatchedSignals() {
  sigset_t mask;
  sigemptyset(&mask);
  for (int signal : EndingSignals) AddUnlessIgnored(mask, signal);
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) AddUnlessIgnored(mask, signal);
  AddUnlessIgnored(mask, SIGTSTP);
  sigaddset(&mask, SIGWINCH);
  sigaddset(&mask, SIGCONT);
  return mask;
}

// A background job asks to be stopped until it is in the foreground, as
// shells do; where that cannot stop it (SIGTTIN ignored, an orphaned
// group) it gives up rather than draw over somebody else's screen.
bool WaitForForeground(int fd) {
  for (int tries = 0; tries < 10; ++tries) {
    const pid_t foreground = tcgetpgrp(fd);
    if (foreground < 0 || foreground == getpgrp()) return true;
    kill(0, SIGTTIN);
  }
  return false;
}

void GiveBackTerminal(const Terminal& terminal) {
  WriteAll(terminal.fd, "\x1b[0m\x1b[?25h\x1b[?1049l");
  tcsetattr(terminal.fd, TCSANOW, &terminal.saved);
}

// Stops by Ctrl-Z's own signal, so the shell reports the job as stopped.
void StopHere() {
  std::signal(SIGTSTP, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, SIGTSTP);
  raise(SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);  // stops here until continued
  sigprocmask(SIG_BLOCK, &only, nullptr);
}

[[noreturn]] void EndBySignal(const Terminal& terminal, int signal) {
  CloseTerminal(terminal);
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  raise(signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  _exit(128 + signal);
}

}  // namespace

std::optional<Terminal> OpenTerminal() {
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Terminal terminal{fd, -1, {}, {}};
  if (!WaitForForeground(fd) || tcgetattr(fd, &terminal.saved) != 0) {
    close(fd);
    return std::nullopt;
  }
  const sigset_t mask = WatchedSignals();
  sigprocmask(SIG_BLOCK, &mask, &terminal.savedMask);
  terminal.signals = signalfd(-1, &mask, SFD_CLOEXEC);
  return terminal;
}

void TakeTerminal(const Terminal& terminal) {
  termios raw = terminal.saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_iflag &= static_cast<tcflag_t>(~(ICRNL | IXON));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(terminal.fd, TCSANOW, &raw);
  tcflush(terminal.fd, TCIFLUSH);
  WriteAll(terminal.fd, "\x1b[?1049h\x1b[?25l");
}

void CloseTerminal(const Terminal& terminal) {
  GiveBackTerminal(terminal);
  close(terminal.fd);
  if (terminal.signals >= 0) close(terminal.signals);
  sigprocmask(SIG_SETMASK, &terminal.savedMask, nullptr);
}

bool HandleSignal(const Terminal& terminal, int signal) {
  if (signal == SIGWINCH) return true;
  if (signal == SIGTSTP) {
    GiveBackTerminal(terminal);
    StopHere();
  }
  if (signal == SIGTSTP || signal == SIGCONT) {
    if (!WaitForForeground(terminal.fd)) return false;
    TakeTerminal(terminal);
    return true;
  }
  EndBySignal(terminal, signal);
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

}  // namespace zorvane::posix
