#pragma once

#include <cstddef>
#include <string>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

struct Screen {
  int rows = 24;
  int columns = 80;
};

// What the user has moved: the focused button and the first text line shown.
struct BoxView {
  std::size_t focus = 0;
  std::size_t scroll = 0;
};

struct BoxPicture {
  std::string bytes;     // for the terminal: cleared screen, then the box
  std::size_t scroll;    // the view's scroll, kept inside the text
  std::size_t textRows;  // how many text lines show at once: a page
};

// The whole box, centred on `screen`: frame with the title, the style's
// sign, the text made safe and wrapped, scrolled by `view` with marks
// where more lies above or below, and the buttons, wrapped onto more rows
// where one row is too narrow, with the focus highlighted. On a screen too
// small for the frame, what fits, buttons first. Box-drawing characters
// and signs where the locale speaks UTF-8, ASCII elsewhere.
BoxPicture DrawBox(const std::string& text, const std::string& title, const BoxLayout& layout,
                   BoxView view, Screen screen);

}  // namespace zorvane::posix
