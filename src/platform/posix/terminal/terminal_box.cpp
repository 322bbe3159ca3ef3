#include "platform/posix/terminal/terminal_box.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/box_geometry.h"
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

struct BoxContent {
  const std::string& text;
  const std::string& title;
  const BoxStyle& style;
};

// What the terminal sent, or the quiet after it, as inputs; false when the
// terminal is gone.
bool TakeInputs(const Terminal& terminal, const pollfd& watched, int ready, KeyReader& reader,
                std::vector<Input>& inputs) {
  if (ready == 0) {
    ReadQuiet(reader, inputs);
    return true;
  }
  if (watched.revents & POLLIN) {
    char bytes[256];
    const ssize_t length = read(terminal.fd, bytes, sizeof bytes);
    if (length <= 0) return false;
    ReadInputs(reader, std::string_view(bytes, static_cast<std::size_t>(length)), inputs);
    return true;
  }
  return !(watched.revents & (POLLHUP | POLLERR | POLLNVAL));
}

// The box measured for the screen, and the terminal row it starts at: the
// whole screen on the alternate screen; below the output, the bottom rows
// its frame needs (a bare box needs them all).
struct PlacedBox {
  Screen screen;
  BoxGeometry box;
  int origin = 0;
};

PlacedBox MeasureAndPlace(Terminal& terminal, const BoxContent& content, Screen screen) {
  BoxGeometry box = Measure(content.text, content.title, content.style, screen);
  if (!terminal.below) return {screen, std::move(box), 0};
  const int origin = PlaceBox(terminal, screen, box.framed ? box.height : screen.rows);
  const Screen room{screen.rows - origin, screen.columns};
  return {screen, Measure(content.text, content.title, content.style, room), origin};
}

// Measure, paint, read, reduce, carry out; until an answer, or 0 where the
// terminal was lost.
std::optional<int> RunBox(Terminal& terminal, const BoxContent& content, KeyReader& reader) {
  const LineKeys keys = LineKeysOf(terminal);
  BoxState state = StartState(content.style);
  std::optional<Frame> shown;       // what the terminal shows; none when it must be drawn whole
  std::optional<PlacedBox> placed;  // again only for a whole drawing or a new screen size
  for (;;) {
    const Screen screen = MeasureScreen(terminal.fd);
    if (!placed || !shown || !(placed->screen == screen)) {
      placed = MeasureAndPlace(terminal, content, screen);
      state.view = Clamped(state.view, placed->box);
    }
    const BoxGeometry& box = placed->box;
    Frame frame = Paint(box, content.style, state.view);
    frame.origin = placed->origin;
    WriteAll(terminal.fd, FrameUpdate(shown ? &*shown : nullptr, frame));
    shown = std::move(frame);
    pollfd watched[2] = {{terminal.fd, POLLIN, 0}, {terminal.signals.fd, POLLIN, 0}};
    const int ready = poll(watched, 2, QuietWait(reader));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return 0;  // nothing more can be read: no answer
    if (watched[1].revents & POLLIN) {
      const int signal = TakeSignal(terminal.signals);
      if (signal != 0 && HandleSignal(terminal, signal, reader) == LeaseOutcome::Lost) return 0;
      shown.reset();
      continue;
    }
    std::vector<Input> inputs;
    if (!TakeInputs(terminal, watched[0], ready, reader, inputs)) return 0;
    for (const Input& input : inputs) {
      if (const Report* report = std::get_if<Report>(&input)) {
        TakeReport(terminal, *report);
        continue;
      }
      Reduced next = Reduce(state, content.style, box, keys, input);
      state = next.state;
      for (const Effect effect : next.effects) {
        const LeaseOutcome outcome = CarryOut(terminal, reader, effect);
        if (outcome == LeaseOutcome::Lost) return 0;
        if (outcome == LeaseOutcome::Redraw) shown.reset();
      }
    }
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
  KeyReader reader;
  reader.table = terminal->keys;
  const std::optional<int> answer = RunBox(*terminal, {text, title, style}, reader);
  CloseTerminal(*terminal, reader);
  return answer;
}

}  // namespace zorvane::posix
