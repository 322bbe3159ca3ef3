#include "platform/posix/terminal/terminal_io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/posix/terminal/fault_restore.h"
#include "platform/posix/write_all.h"

namespace zorvane::posix {
namespace {

// Cursor saved, the alternate screen, no cursor shown.
constexpr std::string_view EnterScreen =
    "\x1b"
    "7\x1b[?1049h\x1b[?25l";
// Does the terminal have the keyboard protocol that sends Escape as a
// sequence of its own? The attributes query after it is answered by every
// terminal, so an answer to it without one to the first means no.
constexpr std::string_view Queries = "\x1b[?u\x1b[c";
constexpr std::string_view PushKeyboardProtocol = "\x1b[>1u";  // disambiguate escape codes
constexpr std::string_view PopKeyboardProtocol = "\x1b[<u";
// The screen is erased before the main one comes back, so a terminal
// without an alternate screen keeps no frame over the caller's output,
// and the cursor goes back where it was.
constexpr std::string_view LeaveScreen =
    "\x1b[m\x1b[2J\x1b[?25h\x1b[?1049l\x1b"
    "8";

std::string GiveBackBytes(const Terminal& terminal) {
  return std::string(terminal.keyboardProtocol ? PopKeyboardProtocol : "") +
         std::string(LeaveScreen);
}

void GiveBack(Terminal& terminal) {
  if (!terminal.held) return;
  WriteAll(terminal.fd, GiveBackBytes(terminal));
  tcsetattr(terminal.fd, TCSANOW, &terminal.saved);
  StopRestoringOnFault();
  terminal.held = false;
}

// The parent of `pid`, from /proc; 0 where it cannot be read.
pid_t ParentOf(pid_t pid) {
  char path[32];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  FILE* file = std::fopen(path, "re");
  if (!file) return 0;
  char line[512] = {};
  const std::size_t length = std::fread(line, 1, sizeof line - 1, file);
  std::fclose(file);
  line[length] = '\0';
  const char* after = std::strrchr(line, ')');  // the command name may hold anything
  int parent = 0;
  if (!after || std::sscanf(after + 1, " %*c %d", &parent) != 1) return 0;
  return parent;
}

// The terminal is taken only from a caller that started the box in a
// process group of its own with no job control in front, as `timeout` in a
// script does: the foreground group is an ancestor's, and not the session
// leader's, whose group is an interactive shell's own. A job the user sent
// to the background, or the foreground of another job, is never taken.
bool MayTakeForeground(int fd, pid_t foreground) {
  const pid_t session = tcgetsid(fd);
  if (session < 0 || foreground == session) return false;
  for (pid_t pid = getppid(); pid > 1 && pid != session; pid = ParentOf(pid)) {
    if (getpgid(pid) == foreground) return true;
  }
  return false;
}

// Sets the terminal's foreground group; SIGTTOU is held off meanwhile,
// since a background process may not set it otherwise.
bool SetForeground(int fd, pid_t group) {
  sigset_t ttou, saved;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  sigprocmask(SIG_BLOCK, &ttou, &saved);
  const bool set = tcsetpgrp(fd, group) == 0;
  sigprocmask(SIG_SETMASK, &saved, nullptr);
  return set;
}

bool TakeForeground(Terminal& terminal, pid_t foreground) {
  if (!SetForeground(terminal.fd, getpgrp())) return false;
  if (terminal.lentBy < 0) terminal.lentBy = foreground;
  return true;
}

void HandBackForeground(Terminal& terminal) {
  if (terminal.lentBy < 0) return;
  SetForeground(terminal.fd, terminal.lentBy);
  terminal.lentBy = -1;
}

// An ending signal that came while the box waited; 0 for none.
int PendingEndingSignal(const Terminal& terminal) {
  for (int signal = TakeSignal(terminal.signals); signal != 0;
       signal = TakeSignal(terminal.signals)) {
    if (signal != SIGWINCH && signal != SIGCONT && signal != SIGTSTP) return signal;
  }
  return 0;
}

// Until this process is in the terminal's foreground: a background job
// asks to be stopped, as shells do. 0 once there; an ending signal that
// came meanwhile; -1 where stopping cannot help (SIGTTIN ignored, an
// orphaned group), rather than draw over somebody else's screen.
int WaitForForeground(Terminal& terminal) {
  for (int tries = 0; tries < 10; ++tries) {
    const pid_t foreground = tcgetpgrp(terminal.fd);
    if (foreground < 0 || foreground == getpgrp()) return 0;
    if (MayTakeForeground(terminal.fd, foreground) && TakeForeground(terminal, foreground))
      return 0;
    if (const int signal = PendingEndingSignal(terminal)) return signal;
    kill(0, SIGTTIN);
  }
  return -1;
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
  if (WaitForForeground(terminal) != 0 || tcgetattr(fd, &terminal.saved) != 0) {
    HandBackForeground(terminal);
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

void TakeTerminal(Terminal& terminal) {
  termios raw = terminal.saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  // Every byte as the terminal sent it: no CR or NL translation, no
  // stripped eighth bit, no parity marks, no flow control.
  raw.c_iflag &= static_cast<tcflag_t>(~(ICRNL | INLCR | IGNCR | ISTRIP | PARMRK | INPCK | IXON));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(terminal.fd, TCSANOW, &raw);
  tcflush(terminal.fd, TCIFLUSH);
  // After a stop from outside the box may still be on its screen; the
  // cursor was saved only on the way in.
  std::string bytes(terminal.held ? EnterScreen.substr(2) : EnterScreen);
  if (!terminal.queried) bytes += Queries;
  if (terminal.keyboardProtocol) bytes += PushKeyboardProtocol;
  terminal.queried = true;
  terminal.held = true;
  WriteAll(terminal.fd, bytes);
  RestoreOnFault(terminal.fd, terminal.saved, GiveBackBytes(terminal));
}

void UseKeyboardProtocol(Terminal& terminal) {
  if (terminal.keyboardProtocol || !terminal.held) return;
  terminal.keyboardProtocol = true;
  WriteAll(terminal.fd, PushKeyboardProtocol);
  RestoreOnFault(terminal.fd, terminal.saved, GiveBackBytes(terminal));
}

void CloseTerminal(Terminal& terminal) {
  GiveBack(terminal);
  HandBackForeground(terminal);
  close(terminal.fd);
  StopWatching(terminal.signals);
}

SignalOutcome HandleSignal(Terminal& terminal, int signal) {
  if (signal == SIGWINCH) return SignalOutcome::Redraw;
  if (signal == SIGTSTP) {
    GiveBack(terminal);
    HandBackForeground(terminal);
    StopHere();
  }
  if (signal == SIGTSTP || signal == SIGCONT) {
    const int waited = WaitForForeground(terminal);
    if (waited > 0) signal = waited;
    if (waited < 0) return SignalOutcome::Lost;
    if (waited == 0) {
      TakeTerminal(terminal);
      return SignalOutcome::Redraw;
    }
  }
  CloseTerminal(terminal);
  EndBySignal(signal);
}

void RaiseControls(const Terminal& terminal, const std::string& controls) {
  if (!(terminal.saved.c_lflag & ISIG)) return;
  for (const char control : controls) {
    for (const auto& [index, signal] :
         {std::pair{VINTR, SIGINT}, std::pair{VQUIT, SIGQUIT}, std::pair{VSUSP, SIGTSTP}}) {
      const cc_t key = terminal.saved.c_cc[index];
      if (key != _POSIX_VDISABLE && key == static_cast<cc_t>(control)) kill(0, signal);
    }
  }
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

}  // namespace zorvane::posix
