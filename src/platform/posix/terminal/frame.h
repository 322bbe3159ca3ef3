#pragma once

// A screenful of cells as the box wants the terminal to show it, and the
// bytes that bring the terminal from one such screen to the next.
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::posix {

struct Screen {
  int rows = 24;
  int columns = 80;
  bool operator==(const Screen& other) const {
    return rows == other.rows && columns == other.columns;
  }
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
  std::string glyph =
      " ";  // one cluster (a character and its marks); "" for a wide one's right half
  Look look;
  bool operator==(const Cell& other) const { return glyph == other.glyph && look == other.look; }
  bool operator!=(const Cell& other) const { return !(*this == other); }
};

// The box's screen, row by row, and where the cursor rests: on the focused
// button's label, where screen readers and braille displays look. A box
// drawn below the caller's output (no alternate screen) takes only the
// bottom rows: its first row is the terminal's row `origin`.
struct Frame {
  Screen screen;
  std::vector<Cell> cells;
  int cursorRow = -1;  // -1: no focused button on the screen
  int cursorColumn = 0;
  int origin = 0;
};

// A blank frame of that size.
Frame BlankFrame(Screen screen);

// Writes `text` (already safe: printable characters of the locale) from
// (row, column) on, 0-based, a cluster to a cell; what falls outside the
// screen is dropped.
void Put(Frame& frame, int row, int column, std::string_view text, Look look);

// The cursor to (row, column), 0-based, in the fewest bytes.
std::string MoveTo(int row, int column);

// The bytes that turn `before` into `after` on the terminal: only the
// cells that differ, each run reached with one cursor move. With no
// `before`, or one of another size or place: the frame's rows cleared
// (the whole screen where it starts at the top), then every cell that is
// not blank. Ends in the terminal's plain look, with the cursor on the
// focused button.
std::string FrameUpdate(const Frame* before, const Frame& after);

}  // namespace zorvane::posix
