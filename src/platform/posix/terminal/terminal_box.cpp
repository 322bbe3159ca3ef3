#include "platform/posix/terminal/terminal_box.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/box_paint.h"
#include "platform/posix/terminal/box_reducer.h"
#include "platform/posix/terminal/line_prompt.h"
#include "platform/posix/terminal/terminal_lease.h"

namespace zorvane::posix {
namespace {

bool PlainTerminal() {
  const char* term = std::getenv("TERM");
  return !term || !*term || std::strcmp(term, "dumb") == 0;
}

// What the terminal sent, into the state; false when it is gone.
bool ReadInput(const Terminal& terminal, const BoxStyle& style, BoxState& state) {
  char bytes[256];
  const ssize_t length = read(terminal.fd, bytes, sizeof bytes);
  if (length <= 0) return false;
  TakeBytes(style, state, std::string_view(bytes, static_cast<std::size_t>(length)));
  return true;
}

std::optional<int> RunBox(Terminal& terminal, const std::string& text, const std::string& title,
                          const BoxStyle& style, BoxState& state) {
  std::optional<Frame> shown;  // what the terminal shows; none when it must be drawn whole
  for (;;) {
    const BoxPicture picture = DrawBox(text, title, style, state.view, MeasureScreen(terminal.fd));
    state.view.scroll = picture.scroll;
    state.page = picture.textRows;
    WriteAll(terminal.fd, FrameUpdate(shown ? &*shown : nullptr, picture.frame));
    shown = picture.frame;
    pollfd watched[2] = {{terminal.fd, POLLIN, 0}, {terminal.signals.fd, POLLIN, 0}};
    const int ready = poll(watched, 2, QuietWait(state.reader));
    if (ready < 0) continue;
    if (watched[1].revents & POLLIN) {
      const int signal = TakeSignal(terminal.signals);
      if (signal != 0 && HandleSignal(terminal, signal, state.reader) == SignalOutcome::Lost)
        return 0;
      shown.reset();
      continue;
    }
    if (ready == 0) {
      TakeQuiet(style, state);
    } else if (watched[0].revents & POLLIN) {
      if (!ReadInput(terminal, style, state)) return 0;
    } else if (watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      return 0;
    }
    if (state.keyboardProtocol) UseKeyboardProtocol(terminal);
    terminal.replied |= state.replied;
    const std::optional<SignalOutcome> controlled =
        ActOnControls(terminal, state.controls, state.reader);
    state.controls.clear();
    if (controlled == SignalOutcome::Lost) return 0;
    if (controlled) shown.reset();
    if (state.answer) return state.answer;
  }
}

}  // namespace

std::optional<int> ShowTerminalBox(const std::string& text, const std::string& title,
                                   const BoxStyle& style) {
  if (PlainTerminal()) return ShowLinePrompt(text, title, style);
  std::optional<Terminal> terminal = OpenTerminal();
  if (!terminal) return std::nullopt;
  TakeTerminal(*terminal);
  BoxState state = StartState(style);
  const std::optional<int> answer = RunBox(*terminal, text, title, style, state);
  CloseTerminal(*terminal, state.reader);
  return answer;
}

}  // namespace zorvane::posix
