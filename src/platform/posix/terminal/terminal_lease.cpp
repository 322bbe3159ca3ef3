#include "platform/posix/terminal/terminal_lease.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/controlling_terminal.h"
#include "platform/posix/terminal/fault_restore.h"

namespace zorvane::posix {
namespace {

// Cursor saved, the alternate screen, no cursor shown, pastes bracketed so
// that pasted text is never read as keys.
constexpr std::string_view EnterScreen =
    "\x1b"
    "7\x1b[?1049h\x1b[?25l\x1b[?2004h";
// The same for a box still on its screen after a stop from outside: the
// cursor was saved only on the way in.
constexpr std::string_view ReenterScreen = "\x1b[?1049h\x1b[?25l\x1b[?2004h";
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
    "\x1b[?2004l\x1b[m\x1b[2J\x1b[?25h\x1b[?1049l\x1b"
    "8";
// How long after the query its answer may still come, over a slow link.
constexpr long ReplyWaitMilliseconds = 1000;

long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::string GiveBackBytes(const Terminal& terminal) {
  return std::string(terminal.keyboardProtocol ? PopKeyboardProtocol : "") +
         std::string(LeaveScreen);
}

// Reads what the terminal still sends until it has answered the attributes
// query or the second is over; what else comes is dropped.
void SettleReplies(Terminal& terminal, KeyReader& reader) {
  while (terminal.queriedAt >= 0 && !terminal.replied) {
    const long left = terminal.queriedAt + ReplyWaitMilliseconds - Now();
    pollfd watched{terminal.fd, POLLIN, 0};
    if (left <= 0 || poll(&watched, 1, static_cast<int>(left)) <= 0) return;
    char bytes[256];
    const ssize_t length = read(terminal.fd, bytes, sizeof bytes);
    if (length <= 0) return;
    std::vector<Input> inputs;
    ReadInputs(reader, std::string_view(bytes, static_cast<std::size_t>(length)), inputs);
    for (const Input& input : inputs) {
      const Report* report = std::get_if<Report>(&input);
      terminal.replied |= report && *report == Report::DeviceAttributes;
    }
  }
}

void GiveBack(Terminal& terminal, KeyReader& reader) {
  if (!terminal.held) return;
  SettleReplies(terminal, reader);
  WriteAll(terminal.fd, GiveBackBytes(terminal));
  tcsetattr(terminal.fd, TCSANOW, &terminal.saved);
  StopRestoringOnFault();
  terminal.held = false;
}

void SetRawMode(const Terminal& terminal) {
  termios raw = terminal.saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  // Every byte as the terminal sent it: no CR or NL translation, no
  // stripped eighth bit, no parity marks, no flow control.
  raw.c_iflag &= static_cast<tcflag_t>(~(ICRNL | INLCR | IGNCR | ISTRIP | PARMRK | INPCK | IXON));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  // The suspend key comes as a byte, so that the terminal is given back
  // before the job stops: stopped by the line discipline, the shell would
  // print its prompt onto the box's screen, which is then erased.
  raw.c_cc[VSUSP] = _POSIX_VDISABLE;
  tcsetattr(terminal.fd, TCSANOW, &raw);
}

bool InForeground(int fd) {
  const pid_t foreground = tcgetpgrp(fd);
  return foreground < 0 || foreground == getpgrp();
}

// Until this process is in the terminal's foreground, it does what any
// program that touches the terminal from the background does: it sets the
// terminal's mode, the kernel stops its group with SIGTTOU, and `fg`
// continues it (`bg` stops it again). Meanwhile the caller's signal mask
// holds, so an ending signal ends it at once, even while stopped. False
// where it cannot stop: an orphaned group (EIO), SIGTTOU ignored or blocked.
bool WaitForForeground(int fd, const sigset_t& callerMask) {
  while (!InForeground(fd)) {
    termios mode{};
    if (tcgetattr(fd, &mode) != 0) return false;
    sigset_t watched;
    sigprocmask(SIG_SETMASK, &callerMask, &watched);
    const bool set = tcsetattr(fd, TCSANOW, &mode) == 0;
    sigprocmask(SIG_SETMASK, &watched, nullptr);
    if (!set || !InForeground(fd)) return false;
  }
  return true;
}

// Gives the terminal back and stops by Ctrl-Z's own signal, so the shell
// reports the job as stopped. For a SIGTSTP from outside, the signal is
// raised first and waits, blocked, while the terminal is given back: the
// rest of the job may have stopped already, and a `fg` typed meanwhile
// discards it, so the box is never left stopped after the job was
// continued. For the suspend key, the whole job is stopped once the
// terminal is back, as the line discipline would have stopped it.
void StopAfterGivingBack(Terminal& terminal, KeyReader& reader, bool wholeJob) {
  std::signal(SIGTSTP, SIG_DFL);
  if (!wholeJob) raise(SIGTSTP);
  GiveBack(terminal, reader);
  if (wholeJob) kill(0, SIGTSTP);
  LetThrough(SIGTSTP);  // stops here, unless continued already
}

// Writes to the held terminal and arms the fault handler with what gives
// back all that is now pushed.
void WriteHeld(const Terminal& terminal, std::string_view bytes) {
  WriteAll(terminal.fd, bytes);
  RestoreOnFault(terminal.fd, terminal.saved, GiveBackBytes(terminal));
}

// Raw mode, screen and cursor again after a stop from outside (SIGSTOP):
// whoever ran meanwhile may have changed them. The keyboard protocol is
// still pushed: the terminal keeps it while the box is held.
void Retake(Terminal& terminal) {
  SetRawMode(terminal);
  WriteAll(terminal.fd, ReenterScreen);
}

}  // namespace

std::optional<Terminal> OpenTerminal() {
  const int fd = OpenControllingTerminal();
  if (fd < 0) return std::nullopt;
  Terminal terminal{fd, {-1, {}}, {}};
  sigset_t callerMask;
  sigprocmask(SIG_BLOCK, nullptr, &callerMask);
  if (!WaitForForeground(fd, callerMask) || tcgetattr(fd, &terminal.saved) != 0) {
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
  SetRawMode(terminal);
  tcflush(terminal.fd, TCIFLUSH);
  std::string bytes(EnterScreen);
  if (terminal.queriedAt < 0) {
    bytes += Queries;
    terminal.queriedAt = Now();
  }
  if (terminal.keyboardProtocol) bytes += PushKeyboardProtocol;
  terminal.held = true;
  WriteHeld(terminal, bytes);
}

void UseKeyboardProtocol(Terminal& terminal) {
  if (terminal.keyboardProtocol || !terminal.held) return;
  terminal.keyboardProtocol = true;
  WriteHeld(terminal, PushKeyboardProtocol);
}

void CloseTerminal(Terminal& terminal, KeyReader& reader) {
  GiveBack(terminal, reader);
  close(terminal.fd);
  StopWatching(terminal.signals);
}

namespace {

// Ctrl-Z, or a continue while the box is not in the foreground: the
// terminal given back (and the job stopped, for Ctrl-Z) until the box is
// in the foreground again.
SignalOutcome Suspend(Terminal& terminal, KeyReader& reader, int signal, bool wholeJob) {
  if (signal == SIGTSTP) {
    StopAfterGivingBack(terminal, reader, wholeJob);
  } else {
    GiveBack(terminal, reader);
  }
  if (!WaitForForeground(terminal.fd, terminal.signals.savedMask)) return SignalOutcome::Lost;
  TakeTerminal(terminal);
  return SignalOutcome::Redraw;
}

}  // namespace

SignalOutcome HandleSignal(Terminal& terminal, int signal, KeyReader& reader) {
  if (signal == SIGWINCH) return SignalOutcome::Redraw;
  if (signal == SIGCONT && terminal.held && InForeground(terminal.fd)) {
    Retake(terminal);
    return SignalOutcome::Redraw;
  }
  if (signal == SIGTSTP || signal == SIGCONT) return Suspend(terminal, reader, signal, false);
  CloseTerminal(terminal, reader);
  EndBySignal(signal);
}

LineKeys LineKeysOf(const Terminal& terminal) {
  if (!(terminal.saved.c_lflag & ISIG)) return {};
  const auto key = [&terminal](int index) -> wchar_t {
    const cc_t character = terminal.saved.c_cc[index];
    return character == _POSIX_VDISABLE ? 0 : character;
  };
  return {key(VINTR), key(VQUIT), key(VSUSP)};
}

std::optional<SignalOutcome> CarryOut(Terminal& terminal, KeyReader& reader, Effect effect) {
  switch (effect) {
    case Effect::UseKeyboardProtocol: UseKeyboardProtocol(terminal); break;
    case Effect::RepliesIn: terminal.replied = true; break;
    case Effect::Interrupt: kill(0, SIGINT); break;
    case Effect::Quit: kill(0, SIGQUIT); break;
    case Effect::Suspend:
      // Where the caller ignores SIGTSTP the box stays, as it did under the
      // line discipline; the rest of the job stops all the same.
      if (!Ignored(SIGTSTP)) return Suspend(terminal, reader, SIGTSTP, true);
      kill(0, SIGTSTP);
      break;
  }
  return std::nullopt;
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

}  // namespace zorvane::posix
