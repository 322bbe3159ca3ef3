#include "platform/posix/terminal/terminal_box.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/posix/terminal/line_prompt.h"
#include "platform/posix/terminal/terminal_io.h"
#include "platform/posix/terminal/terminal_keys.h"
#include "platform/posix/write_all.h"

namespace zorvane::posix {
namespace {

// How long a lone ESC waits for the rest of a key before it counts as the
// Escape key: far longer than a terminal takes to send one key's bytes.
constexpr int EscapeWaitMilliseconds = 100;

struct BoxState {
  BoxView view;
  std::size_t page = 1;
  std::string input;
  bool escapeTimedOut = false;  // the last key was a lone ESC, by the clock
  std::optional<int> answer;
};

bool PlainTerminal() {
  const char* term = std::getenv("TERM");
  return !term || !*term || std::strcmp(term, "dumb") == 0;
}

void Apply(const KeyPress& press, const BoxLayout& layout, BoxState& state) {
  const std::size_t count = layout.buttons.size();
  BoxView& view = state.view;
  switch (press.key) {
    case Key::Next: view.focus = (view.focus + 1) % count; break;
    case Key::Previous: view.focus = (view.focus + count - 1) % count; break;
    case Key::Press: state.answer = layout.buttons[view.focus].code; break;
    case Key::Escape:
      if (layout.escapeCode != 0) state.answer = layout.escapeCode;
      break;
    case Key::Up: view.scroll -= view.scroll > 0 ? 1 : 0; break;
    case Key::Down: ++view.scroll; break;
    case Key::PageUp: view.scroll -= std::min(view.scroll, state.page); break;
    case Key::PageDown: view.scroll += state.page; break;
    case Key::Home: view.scroll = 0; break;
    case Key::End: view.scroll = static_cast<std::size_t>(-1) / 2; break;
    case Key::Letter:
      // Where two buttons share a letter, the first one takes it.
      for (const BoxButton& button : layout.buttons) {
        if (AccessLetter(button) == press.letter) {
          state.answer = button.code;
          break;
        }
      }
      break;
    case Key::None:
    case Key::Incomplete: break;
  }
}

void TakeKeys(const BoxLayout& layout, BoxState& state, bool quiet) {
  while (!state.answer && !state.input.empty()) {
    const KeyPress press = TakeKey(state.input, quiet);
    if (press.key == Key::Incomplete) return;
    state.escapeTimedOut = quiet && press.key == Key::Escape;
    Apply(press, layout, state);
  }
}

// Appends what the terminal sent; false when it is gone.
bool ReadInput(int fd, BoxState& state) {
  char bytes[64];
  const ssize_t length = read(fd, bytes, sizeof bytes);
  if (length <= 0) return false;
  // The rest of an arrow key whose ESC came so late that it counted alone
  // must not press a button by its letter.
  if (state.escapeTimedOut && bytes[0] == '[') state.input += '\x1b';
  state.escapeTimedOut = false;
  state.input.append(bytes, static_cast<std::size_t>(length));
  return true;
}

std::optional<int> RunBox(const Terminal& terminal, const std::string& text,
                          const std::string& title, const BoxLayout& layout) {
  BoxState state{};
  state.view.focus = layout.defaultButton;
  for (;;) {
    const BoxPicture picture = DrawBox(text, title, layout, state.view, MeasureScreen(terminal.fd));
    state.view.scroll = picture.scroll;
    state.page = picture.textRows;
    WriteAll(terminal.fd, picture.bytes);
    pollfd watched[2] = {{terminal.fd, POLLIN, 0}, {terminal.signals.fd, POLLIN, 0}};
    const int ready = poll(watched, 2, WaitsForQuiet(state.input) ? EscapeWaitMilliseconds : -1);
    if (ready < 0) continue;
    if (watched[1].revents & POLLIN) {
      const int signal = TakeSignal(terminal.signals);
      if (signal != 0 && !HandleSignal(terminal, signal)) return 0;
      continue;
    }
    if (watched[0].revents & POLLIN) {
      if (!ReadInput(terminal.fd, state)) return 0;
    } else if (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      return 0;
    }
    TakeKeys(layout, state, ready == 0);
    if (state.answer) return state.answer;
  }
}

}  // namespace

std::optional<int> ShowTerminalBox(const std::string& text, const std::string& title,
                                   const BoxLayout& layout) {
  if (PlainTerminal()) return ShowLinePrompt(text, title, layout);
  const std::optional<Terminal> terminal = OpenTerminal();
  if (!terminal) return std::nullopt;
  TakeTerminal(*terminal);
  const std::optional<int> answer = RunBox(*terminal, text, title, layout);
  CloseTerminal(*terminal);
  return answer;
}

}  // namespace zorvane::posix
