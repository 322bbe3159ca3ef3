#include "platform/posix/terminal/box_reducer.h"

#include <algorithm>

namespace zorvane::posix {
namespace {

// Where a scroll key moves the text, before it is kept inside it.
std::size_t Scrolled(const KeyPress& press, std::size_t scroll, const BoxGeometry& box) {
  const std::size_t page = box.Page();
  switch (press.key) {
    case Key::Up: return scroll > 0 ? scroll - 1 : 0;
    case Key::Down: return scroll + 1;
    case Key::PageUp: return scroll - std::min(scroll, page);
    case Key::PageDown: return scroll + page;
    case Key::Home: return 0;
    case Key::End: return box.LastScroll();
    default: return scroll;
  }
}

void Press(const KeyPress& press, const BoxStyle& style, const BoxGeometry& box, BoxState& state) {
  const std::size_t count = style.buttons.size();
  BoxView& view = state.view;
  switch (press.key) {
    case Key::Next: view.focus = (view.focus + 1) % count; break;
    case Key::Previous: view.focus = (view.focus + count - 1) % count; break;
    case Key::Press: state.answer = style.buttons[view.focus].code; break;
    case Key::Escape:
      if (style.escapeCode != 0) state.answer = style.escapeCode;
      break;
    case Key::Letter:
      if (const auto button = ButtonOfLetter(style.buttons, press.letter))
        state.answer = style.buttons[*button].code;
      break;
    case Key::Chord:
      // ESC and a key cannot be told from Escape and then the key.
      if (style.escapeCode != 0) {
        state.answer = style.escapeCode;
      } else if (const std::optional<KeyPress> plain = PlainKey(press.letter)) {
        Press(*plain, style, box, state);
      }
      break;
    default: view.scroll = Scrolled(press, view.scroll, box); break;
  }
}

std::optional<Effect> EffectOf(const ControlChord& chord, const LineKeys& keys) {
  if (chord.byte == 0) return std::nullopt;
  if (chord.byte == keys.interrupt) return Effect::Interrupt;
  if (chord.byte == keys.quit) return Effect::Quit;
  if (chord.byte == keys.suspend) return Effect::Suspend;
  return std::nullopt;
}

}  // namespace

BoxState StartState(const BoxStyle& style) {
  BoxState state;
  state.view.focus = style.defaultButton;
  return state;
}

Reduced Reduce(const BoxState& state, const BoxStyle& style, const BoxGeometry& box,
               const LineKeys& keys, const Input& input) {
  Reduced next{state, {}};
  if (state.answer) return next;
  if (const KeyPress* press = std::get_if<KeyPress>(&input)) {
    Press(*press, style, box, next.state);
    next.state.view = Clamped(next.state.view, box);
  } else if (const ControlChord* chord = std::get_if<ControlChord>(&input)) {
    if (const auto effect = EffectOf(*chord, keys)) next.effects.push_back(*effect);
  }
  return next;
}

BoxView Clamped(BoxView view, const BoxGeometry& box) {
  view.scroll = std::min(view.scroll, box.LastScroll());
  return view;
}

}  // namespace zorvane::posix
