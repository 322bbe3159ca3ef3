#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/box/box_style.h"
#include "platform/posix/terminal/box_paint.h"
#include "platform/posix/terminal/key_reader.h"

namespace zorvane::posix {

// Everything the terminal box knows between two reads.
struct BoxState {
  BoxView view;          // focus and scroll
  std::size_t page = 1;  // text rows shown at once, for PgUp and PgDn
  KeyReader reader;
  std::optional<int> answer;
  bool keyboardProtocol = false;  // the terminal said it has it
  bool replied = false;           // the terminal answered the attributes query
  std::string controls;           // Ctrl keys that protocol reported, in order
};

BoxState StartState(const BoxStyle& style);

// The box's reducer: the bytes the terminal sent, read into keys and
// applied in order until one answers. Nothing after the answer counts.
void TakeBytes(const BoxStyle& style, BoxState& state, std::string_view bytes);

// No byte came for QuietWait(state.reader) milliseconds.
void TakeQuiet(const BoxStyle& style, BoxState& state);

}  // namespace zorvane::posix
