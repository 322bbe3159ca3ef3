#pragma once

// Where each part of the terminal box goes on a screen of a given size,
// measured once per size: the reducer clamps its scrolling by it and the
// painter draws by it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/box/box_style.h"
#include "platform/posix/terminal/frame.h"
#include "platform/posix/terminal/terminal_text.h"

namespace zorvane::posix {

// A button is drawn as "< Label >": these are its ends.
inline constexpr std::string_view ButtonOpen = "< ", ButtonClose = " >";

// A button drawn as "< Label >": its row among the button rows, its
// column from the rows' left edge, and the columns it takes; `cut` where
// even a row of its own is too narrow for its label.
struct ButtonPlace {
  int row;
  int column;
  int width;
  bool cut;
};

// The buttons left to right, in rows no wider than `width`, each row centred.
std::vector<ButtonPlace> PlaceButtons(const std::vector<Button>& buttons, int width);

struct BoxGeometry {
  Screen screen;
  bool framed = false;        // a frame with the title in its top edge; else text and buttons bare
  int top = 0, left = 0;      // the frame's top-left corner
  int width = 0, height = 0;  // its columns and rows, edges included
  int inner = 0;              // the columns inside the frame's padding
  TerminalLine caption;       // the title as it fits
  int captionRow = -1;        // -1 where no row is left for it
  int captionColumn = 0;
  int sign = 0;                     // columns the style's sign takes before the text
  std::vector<TerminalLine> lines;  // the whole text, wrapped
  int textTop = 0, textLeft = 0, textRows = 0;
  int markColumn = 0, aboveRow = 0, belowRow = 0;  // where "more" marks go
  int buttonTop = 0, buttonLeft = 0, buttonWidth = 0;
  int buttonRowsShown = 0;  // bare on a short screen, fewer than there are
  std::vector<ButtonPlace> buttons;

  // Text rows a page scrolls by, and the first line shown at the end.
  std::size_t Page() const;
  std::size_t LastScroll() const;
};

// The whole box, centred on `screen`: framed where the frame fits, else
// bare, the buttons at the bottom, as much text as fits above them and the
// title if a row is left.
BoxGeometry Measure(const std::string& text, const std::string& title, const BoxStyle& style,
                    Screen screen);

// The first of the button rows shown: the one that keeps the focused
// button on the screen where not all rows fit.
int FirstButtonRow(const BoxGeometry& box, std::size_t focus);

}  // namespace zorvane::posix
