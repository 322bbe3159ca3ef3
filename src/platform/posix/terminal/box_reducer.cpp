#include "platform/posix/terminal/box_reducer.h"

#include <algorithm>
#include <vector>

#include "platform/posix/box/buttons.h"

namespace zorvane::posix {
namespace {

void Apply(const KeyPress& press, const BoxStyle& style, BoxState& state) {
  const std::size_t count = style.buttons.size();
  BoxView& view = state.view;
  switch (press.key) {
    case Key::Next: view.focus = (view.focus + 1) % count; break;
    case Key::Previous: view.focus = (view.focus + count - 1) % count; break;
    case Key::Press: state.answer = style.buttons[view.focus].code; break;
    case Key::Escape:
      if (style.escapeCode != 0) state.answer = style.escapeCode;
      break;
    case Key::Up: view.scroll -= view.scroll > 0 ? 1 : 0; break;
    case Key::Down: ++view.scroll; break;
    case Key::PageUp: view.scroll -= std::min(view.scroll, state.page); break;
    case Key::PageDown: view.scroll += state.page; break;
    case Key::Home: view.scroll = 0; break;
    case Key::End: view.scroll = static_cast<std::size_t>(-1) / 2; break;  // the drawing clamps it
    case Key::Letter:
      if (const auto button = ButtonOfLetter(style, press.letter))
        state.answer = style.buttons[*button].code;
      break;
    case Key::Chord:
      // ESC and a key cannot be told from Escape and then the key.
      if (style.escapeCode != 0) {
        state.answer = style.escapeCode;
      } else if (const std::optional<KeyPress> plain = PlainKey(press.letter)) {
        Apply(*plain, style, state);
      }
      break;
    case Key::Control: state.controls += static_cast<char>(press.letter); break;
    case Key::KeyboardProtocol: state.keyboardProtocol = true; break;
    case Key::DeviceAttributes: state.replied = true; break;
  }
}

bool IsReply(Key key) {
  return key == Key::KeyboardProtocol || key == Key::DeviceAttributes;
}

// Replies still count after the answer: the terminal must be left as found.
void ApplyAll(const std::vector<KeyPress>& keys, const BoxStyle& style, BoxState& state) {
  for (const KeyPress& press : keys) {
    if (!state.answer || IsReply(press.key)) Apply(press, style, state);
  }
}

}  // namespace

BoxState StartState(const BoxStyle& style) {
  BoxState state;
  state.view.focus = style.defaultButton;
  return state;
}

void TakeBytes(const BoxStyle& style, BoxState& state, std::string_view bytes) {
  std::vector<KeyPress> keys;
  ReadKeys(state.reader, bytes, keys);
  ApplyAll(keys, style, state);
}

void TakeQuiet(const BoxStyle& style, BoxState& state) {
  std::vector<KeyPress> keys;
  ReadQuiet(state.reader, keys);
  ApplyAll(keys, style, state);
}

}  // namespace zorvane::posix
