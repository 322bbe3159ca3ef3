#include "platform/posix/terminal/terminal_io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include "platform/posix/write_all.h"

namespace zorvane::posix {
namespace {

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

}  // namespace

std::optional<Terminal> OpenTerminal() {
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Terminal terminal{fd, {-1, {}}, {}};
  if (!WaitForForeground(fd) || tcgetattr(fd, &terminal.saved) != 0) {
    close(fd);
    return std::nullopt;
  }
  if (Ignored(SIGTSTP)) {
    terminal.signals = WatchSignals({SIGWINCH, SIGCONT});
  } else {
    terminal.signals = WatchSignals({SIGWINCH, SIGCONT, SIGTSTP});
  }
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
  StopWatching(terminal.signals);
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
  CloseTerminal(terminal);
  EndBySignal(signal);
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

}  // namespace zorvane::posix
