#include "platform/posix/terminal/terminal_lease.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/alternate_screen.h"
#include "platform/posix/terminal/controlling_terminal.h"
#include "platform/posix/terminal/fault_restore.h"
#include "platform/posix/terminal/screen_facts.h"
#include "platform/posix/terminal/terminal_lock.h"
#include "platform/posix/terminal/terminfo.h"

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
// Below the output there is no screen to enter: PlaceBox makes the room.
constexpr std::string_view EnterBelow = "\x1b[?25l\x1b[?2004h";
// Does the terminal have the keyboard protocol that sends Escape as a
// sequence of its own? The attributes query after it is answered by every
// terminal, so an answer to it without one to the first means no.
constexpr std::string_view Queries = "\x1b[?u\x1b[c";
constexpr std::string_view PushKeyboardProtocol = "\x1b[>1u";  // disambiguate escape codes
constexpr std::string_view PopKeyboardProtocol = "\x1b[<u";
// The screen is erased before the main one comes back, so a terminal
// that ignores the alternate screen against its terminfo entry keeps no
// frame over the caller's output; the cursor goes back where it was.
constexpr std::string_view LeaveScreen =
    "\x1b[?2004l\x1b[m\x1b[2J\x1b[?25h\x1b[?1049l\x1b"
    "8";
// Below the output: the place of its next line, saved and restored by the
// terminal itself (ESC 7, ESC 8).
constexpr std::string_view SavePlace = "\x1b\x37";
constexpr std::string_view RestorePlace = "\x1b\x38";
constexpr std::string_view EraseBelow = "\x1b[J";
// How long after the query its answer may still come, over a slow link.
constexpr long ReplyWaitMilliseconds = 1000;

long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::string CursorUp(int rows) {
  return "\x1b[" + std::to_string(rows) + "A";
}

// Below the output: the box's rows erased and the cursor back on the
// output's next line, moved up by what the output scrolled since.
constexpr std::string_view EndPasteAndLooks = "\x1b[?2004l\x1b[m";
constexpr std::string_view ShowCursor = "\x1b[?25h";

std::string LeaveBelow(const Terminal& terminal) {
  std::string bytes(EndPasteAndLooks);
  if (terminal.room > 0) {
    bytes += MoveTo(terminal.roomTop, 0) + std::string(EraseBelow) + std::string(RestorePlace);
  }
  if (terminal.scrolled > 0) bytes += CursorUp(terminal.scrolled);
  return bytes + std::string(ShowCursor);
}

// The longest give-back, which the fault handler must hold whole: below
// the output, with a row and a move up of as many digits as an int has,
// after the keyboard protocol is popped.
constexpr std::size_t CursorSequence = 3 + 11;  // ESC [, a signed int's digits, the final
constexpr std::size_t LongestBelow = EndPasteAndLooks.size() + CursorSequence + EraseBelow.size() +
                                     RestorePlace.size() + CursorSequence + ShowCursor.size();
static_assert(PopKeyboardProtocol.size() + std::max(LongestBelow, LeaveScreen.size()) <=
                  FaultGiveBackRoom,
              "the fault handler holds every give-back whole");

std::string GiveBackBytes(const Terminal& terminal) {
  return std::string(terminal.keyboardProtocol ? PopKeyboardProtocol : "") +
         (terminal.below ? LeaveBelow(terminal) : std::string(LeaveScreen));
}

bool InForeground(int fd) {
  const pid_t foreground = tcgetpgrp(fd);
  return foreground < 0 || foreground == getpgrp();
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

// From the background the terminal is the foreground job's: its shell set
// its own mode when this job stopped, and no byte may land on its screen.
void GiveBack(Terminal& terminal, KeyReader& reader) {
  if (!terminal.held) return;
  if (InForeground(terminal.fd)) {
    SettleReplies(terminal, reader);
    WriteAll(terminal.fd, GiveBackBytes(terminal));
    tcsetattr(terminal.fd, TCSANOW, &terminal.saved);
  }
  StopRestoringOnFault();
  terminal.held = false;
  terminal.room = terminal.scrolled = 0;
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
  WriteAll(terminal.fd, terminal.below ? EnterBelow : ReenterScreen);
}

// The terminal taken again once this process is back in the foreground.
// The continue that brought it back is dropped: read later, it would
// enter the screen a second time, and editors' terminals save the cursor
// again over the caller's.
LeaseOutcome RetakeInForeground(Terminal& terminal) {
  if (!WaitForForeground(terminal.fd, terminal.signals.savedMask)) return LeaseOutcome::Lost;
  DiscardPending(SIGCONT);
  TakeTerminal(terminal);
  return LeaseOutcome::Redraw;
}

// SIGTSTP from outside, or the suspend key: the terminal given back, the
// box (or, for the key, the whole job) stopped until continued.
LeaseOutcome StopForSignal(Terminal& terminal, KeyReader& reader) {
  StopAfterGivingBack(terminal, reader, false);
  return RetakeInForeground(terminal);
}

LeaseOutcome StopForKey(Terminal& terminal, KeyReader& reader) {
  StopAfterGivingBack(terminal, reader, true);
  return RetakeInForeground(terminal);
}

// Continued while the job is in the background (SIGSTOP, then SIGCONT from
// outside): the terminal is left alone until `fg`.
LeaseOutcome LeaveUntilForeground(Terminal& terminal, KeyReader& reader) {
  GiveBack(terminal, reader);
  return RetakeInForeground(terminal);
}

}  // namespace

std::optional<Terminal> OpenTerminal() {
  const int fd = OpenControllingTerminal();
  if (fd < 0) return std::nullopt;
  Terminal terminal{fd, {-1, {}}, {}};
  sigset_t callerMask;
  sigprocmask(SIG_BLOCK, nullptr, &callerMask);
  if (WaitForForeground(fd, callerMask)) terminal.lock = LockTerminal(fd);
  // Another box may have held the terminal meanwhile: the foreground again.
  if (!WaitForForeground(fd, callerMask) || tcgetattr(fd, &terminal.saved) != 0) {
    if (terminal.lock >= 0) close(terminal.lock);
    close(fd);
    return std::nullopt;
  }
  const TerminfoEntry terminfo = ReadTerminfo(fd);
  terminal.below = !HasAlternateScreen(ReadScreenFacts(terminfo));
  terminal.keys = TableOf(terminfo.keys);
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
  std::string bytes(terminal.below ? EnterBelow : EnterScreen);
  if (terminal.queriedAt < 0) {
    bytes += Queries;
    terminal.queriedAt = Now();
  }
  if (terminal.keyboardProtocol) bytes += PushKeyboardProtocol;
  terminal.held = true;
  WriteHeld(terminal, bytes);
}

int PlaceBox(Terminal& terminal, Screen screen, int rows) {
  if (!terminal.below) return 0;
  rows = std::min(rows, screen.rows);
  std::string bytes;
  if (terminal.room == 0) {
    // As many new lines as the box has rows, scrolling the output up where
    // the screen is too short for them, and back up to the output's next
    // line, whose place is saved for the end.
    bytes = std::string(static_cast<std::size_t>(rows), '\n') + "\r" + CursorUp(rows) +
            std::string(SavePlace);
    terminal.room = rows;
  } else if (rows > terminal.room) {
    // A taller box after a resize: the output scrolls up further, and the
    // saved place stays behind by as much.
    const int more = rows - terminal.room;
    bytes = MoveTo(screen.rows - 1, 0) + std::string(static_cast<std::size_t>(more), '\n');
    terminal.scrolled += more;
    terminal.room = rows;
  }
  terminal.room = std::min(terminal.room, screen.rows);
  terminal.roomTop = screen.rows - terminal.room;
  WriteHeld(terminal, bytes);
  return terminal.roomTop;
}

void TakeReport(Terminal& terminal, Report report) {
  if (report == Report::DeviceAttributes) {
    terminal.replied = true;
  } else if (!terminal.keyboardProtocol && terminal.held) {
    terminal.keyboardProtocol = true;
    WriteHeld(terminal, PushKeyboardProtocol);
  }
}

void CloseTerminal(Terminal& terminal, KeyReader& reader) {
  GiveBack(terminal, reader);
  close(terminal.fd);
  if (terminal.lock >= 0) close(terminal.lock);  // after the mode is back: the next box saves it
  StopWatching(terminal.signals);
}

LeaseOutcome HandleSignal(Terminal& terminal, int signal, KeyReader& reader) {
  if (signal == SIGWINCH) return LeaseOutcome::Redraw;
  if (signal == SIGCONT && terminal.held && InForeground(terminal.fd)) {
    Retake(terminal);
    return LeaseOutcome::Redraw;
  }
  if (signal == SIGTSTP) return StopForSignal(terminal, reader);
  if (signal == SIGCONT) return LeaveUntilForeground(terminal, reader);
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

LeaseOutcome CarryOut(Terminal& terminal, KeyReader& reader, Effect effect) {
  switch (effect) {
    case Effect::Interrupt: kill(0, SIGINT); break;
    case Effect::Quit: kill(0, SIGQUIT); break;
    case Effect::Suspend:
      // Where the caller ignores SIGTSTP the box stays, as it did under the
      // line discipline; the rest of the job stops all the same.
      if (!Ignored(SIGTSTP)) return StopForKey(terminal, reader);
      kill(0, SIGTSTP);
      break;
  }
  return LeaseOutcome::Unchanged;
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

}  // namespace zorvane::posix
