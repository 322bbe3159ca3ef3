#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

struct Screen {
  int rows = 24;
  int columns = 80;
  bool operator==(const Screen& other) const {
    return rows == other.rows && columns == other.columns;
  }
};

// What the user has moved: the focused button and the first text line shown.
struct BoxView {
  std::size_t focus = 0;
  std::size_t scroll = 0;
};

// How a cell looks: Bold, Underline and Reverse bits, and a colour (an
// SGR foreground code, 0 for the terminal's own).
struct Look {
  unsigned char attributes = 0;
  unsigned char colour = 0;
  bool operator==(const Look& other) const {
    return attributes == other.attributes && colour == other.colour;
  }
  bool operator!=(const Look& other) const { return !(*this == other); }
};
inline constexpr unsigned char Bold = 1, Underline = 2, Reverse = 4;

struct Cell {
  std::string glyph = " ";  // one character; "" for the right half of a wide one
  Look look;
  bool operator==(const Cell& other) const { return glyph == other.glyph && look == other.look; }
  bool operator!=(const Cell& other) const { return !(*this == other); }
};

// The whole screen as the box wants it, row by row, and where the cursor
// rests: on the focused button's label, where screen readers and braille
// displays look.
struct Frame {
  Screen screen;
  std::vector<Cell> cells;
  int cursorRow = -1;  // -1: no focused button on the screen
  int cursorColumn = 0;
};

struct BoxPicture {
  Frame frame;
  std::size_t scroll;    // the view's scroll, kept inside the text
  std::size_t textRows;  // how many text lines show at once: a page
};

// The whole box, centred on `screen`: frame with the title, the style's
// sign, the text made safe and wrapped, scrolled by `view` with marks
// where more lies above or below, and the buttons, wrapped onto more rows
// where one row is too narrow, with the focus highlighted. On a screen too
// small for the frame, what fits, buttons first, always the focused one.
// Box-drawing characters and signs where the locale speaks UTF-8, ASCII
// elsewhere.
BoxPicture DrawBox(const std::string& text, const std::string& title, const BoxStyle& style,
                   BoxView view, Screen screen);

// The bytes that turn `before` into `after` on the terminal: only the
// cells that differ, each run reached with one cursor move. With no
// `before`, or one of another size: the screen cleared, then every cell
// that is not blank. Ends in the terminal's plain look, with the cursor
// on the focused button.
std::string FrameUpdate(const Frame* before, const Frame& after);

}  // namespace zorvane::posix
