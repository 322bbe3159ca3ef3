#include "platform/posix/terminal_box.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/signalfd.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "platform/posix/terminal_drawing.h"
#include "platform/posix/write_all.h"

namespace zorvane::posix {
namespace {

// Signals arrive through a descriptor beside the keys, so the terminal is
// restored in ordinary code before the signal is let through.
constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

struct Terminal {
  int fd;
  int signals;
  termios saved;
  sigset_t savedMask;
};

enum class Key { None, Next, Previous, Press, Escape, Letter };

struct KeyPress {
  Key key;
  char letter;
};

std::optional<Terminal> OpenTerminal() {
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Terminal terminal{fd, -1, {}, {}};
  if (tcgetattr(fd, &terminal.saved) != 0) {
    close(fd);
    return std::nullopt;
  }
  sigset_t mask;
  sigemptyset(&mask);
  for (int signal : EndingSignals) sigaddset(&mask, signal);
  sigaddset(&mask, SIGWINCH);
  sigprocmask(SIG_BLOCK, &mask, &terminal.savedMask);
  terminal.signals = signalfd(-1, &mask, SFD_CLOEXEC);
  termios raw = terminal.saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw.c_iflag &= static_cast<tcflag_t>(~(ICRNL | IXON));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(fd, TCSANOW, &raw);
  WriteAll(fd, "\x1b[?1049h\x1b[?25l");  // own screen, no cursor
  return terminal;
}

void RestoreTerminal(const Terminal& terminal) {
  WriteAll(terminal.fd, "\x1b[?25h\x1b[?1049l");
  tcsetattr(terminal.fd, TCSANOW, &terminal.saved);
  close(terminal.fd);
  if (terminal.signals >= 0) close(terminal.signals);
  sigprocmask(SIG_SETMASK, &terminal.savedMask, nullptr);
}

// Ends the process by the signal itself, so the caller sees an interrupt.
[[noreturn]] void EndBySignal(const Terminal& terminal, int signal) {
  RestoreTerminal(terminal);
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  raise(signal);
  sigprocmask(SIG_UNBLOCK, &only, nullptr);
  _exit(128 + signal);
}

Screen MeasureScreen(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {};
  return {size.ws_row, size.ws_col};
}

// Takes one key off the front of `input`, which may hold several.
KeyPress TakeKey(std::string& input) {
  static constexpr struct {
    std::string_view bytes;
    Key key;
  } Sequences[] = {{"\x1b[C", Key::Next},     {"\x1bOC", Key::Next},     {"\t", Key::Next},
                   {"\x1b[D", Key::Previous}, {"\x1bOD", Key::Previous}, {"\x1b[Z", Key::Previous},
                   {"\r", Key::Press},        {"\n", Key::Press},        {" ", Key::Press}};
  for (const auto& sequence : Sequences) {
    if (input.compare(0, sequence.bytes.size(), sequence.bytes) == 0) {
      input.erase(0, sequence.bytes.size());
      return {sequence.key, 0};
    }
  }
  const char first = input[0];
  if (first == '\x1b') {  // a lone ESC, or a sequence this box has no use for
    const bool lone = input.size() == 1;
    const std::size_t end = input.find_first_of("ABCDEFGHPQRSZ~", 1);
    input.erase(0, lone || end == std::string::npos ? 1 : end + 1);
    return {lone ? Key::Escape : Key::None, 0};
  }
  input.erase(0, 1);
  if (first > ' ' && first < 0x7f) {
    return {Key::Letter, LowerAscii(first)};
  }
  return {Key::None, 0};
}

// Appends what the terminal sent. An ESC that ends the input is waited on
// briefly: alone it is the Escape key, else the start of a key sequence.
bool ReadInput(int fd, std::string& input) {
  char bytes[64];
  const ssize_t length = read(fd, bytes, sizeof bytes);
  if (length <= 0) return false;
  input.append(bytes, static_cast<std::size_t>(length));
  pollfd more{fd, POLLIN, 0};
  if (input.back() == '\x1b' && poll(&more, 1, 30) > 0) return ReadInput(fd, input);
  return true;
}

}  // namespace

std::optional<int> ShowTerminalBox(const std::string& text, const std::string& title,
                                   const BoxLayout& layout) {
  const std::optional<Terminal> opened = OpenTerminal();
  if (!opened) return std::nullopt;
  const Terminal& terminal = *opened;
  const std::size_t count = layout.buttons.size();
  std::size_t focus = layout.defaultButton;
  std::optional<int> answer;
  bool lost = false;
  std::string input;
  while (!answer && !lost) {
    WriteAll(terminal.fd, DrawBox(text, title, layout, focus, MeasureScreen(terminal.fd)));
    pollfd watched[2] = {{terminal.fd, POLLIN, 0}, {terminal.signals, POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) continue;
    if (watched[1].revents & POLLIN) {
      signalfd_siginfo info{};
      if (read(terminal.signals, &info, sizeof info) == sizeof info && info.ssi_signo != SIGWINCH) {
        EndBySignal(terminal, static_cast<int>(info.ssi_signo));
      }
      continue;
    }
    if (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) lost = true;
    if (!(watched[0].revents & POLLIN)) continue;
    if (!ReadInput(terminal.fd, input)) lost = true;
    while (!answer && !input.empty()) {
      const KeyPress press = TakeKey(input);
      if (press.key == Key::Next) focus = (focus + 1) % count;
      if (press.key == Key::Previous) focus = (focus + count - 1) % count;
      if (press.key == Key::Press) answer = layout.buttons[focus].code;
      if (press.key == Key::Escape && layout.escapeCode != 0) answer = layout.escapeCode;
      for (const ButtonSpec& button : layout.buttons) {
        if (press.key == Key::Letter && AccessKey(button) == press.letter) answer = button.code;
      }
    }
  }
  RestoreTerminal(terminal);
  return answer.value_or(0);
}

}  // namespace zorvane::posix
