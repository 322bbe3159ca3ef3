#include "platform/posix/terminal/box_geometry.h"

#include <algorithm>

namespace zorvane::posix {
namespace {

constexpr int ButtonEnds = static_cast<int>(ButtonOpen.size() + ButtonClose.size());
constexpr int ButtonGap = 2;     // between two buttons in a row
constexpr int FrameColumns = 4;  // a frame column and a padding column each side
constexpr int FrameRows = 4;     // the frame's edges, a padding row and the row before the buttons
constexpr int FewestInner = 10;  // the narrowest framed box
constexpr int SignColumns = 3;   // the sign and two spaces before the text
constexpr int CaptionPadding = 4;  // a space each side of the title and the corners
constexpr int MarkColumns = 1;     // the bare box's last column, kept for the "more" marks
constexpr int EdgeAndPadding = 2;  // from the frame's edge to what it holds
constexpr int CaptionSpaces = 2;   // the title's space each side

int Columns(const Button& button) {
  return SafeTerminalLine(button.label).columns + ButtonEnds;
}

int RowCount(const std::vector<ButtonPlace>& places) {
  return places.empty() ? 0 : places.back().row + 1;
}

// Every button side by side, as the framed box shows them where it can.
int OneRowColumns(const std::vector<Button>& buttons) {
  int columns = -ButtonGap;
  for (const Button& button : buttons) columns += ButtonGap + Columns(button);
  return columns;
}

int WidestButton(const std::vector<Button>& buttons) {
  int widest = 0;
  for (const Button& button : buttons) widest = std::max(widest, Columns(button));
  return widest;
}

void MeasureFramed(BoxGeometry& box, const std::string& text, const std::string& title,
                   const BoxStyle& style) {
  const Screen screen = box.screen;
  box.sign = style.icon == BoxIcon::NoIcon ? 0 : SignColumns;
  box.lines = WrapTerminalText(text, std::max(1, screen.columns - FrameColumns - box.sign));
  const TerminalLine caption = SafeTerminalLine(title);
  int inner =
      std::max({caption.columns + CaptionPadding, OneRowColumns(style.buttons), FewestInner});
  for (const TerminalLine& line : box.lines) inner = std::max(inner, line.columns + box.sign);
  box.inner = std::min(inner, screen.columns - FrameColumns);
  box.buttons = PlaceButtons(style.buttons, box.inner);
  box.buttonRowsShown = RowCount(box.buttons);
  box.textRows =
      std::min(static_cast<int>(box.lines.size()), screen.rows - box.buttonRowsShown - FrameRows);
  box.height = box.textRows + box.buttonRowsShown + FrameRows;
  box.top = (screen.rows - box.height) / 2;
  box.width = box.inner + FrameColumns;
  box.left = (screen.columns - box.width) / 2;
  box.caption = FitTerminalLine(caption.bytes, box.inner - CaptionSpaces, CutMark());
  box.captionRow = box.top;
  box.captionColumn = box.left + 1 + (box.inner - box.caption.columns) / 2;
  box.textTop = box.top + EdgeAndPadding;
  box.textLeft = box.left + EdgeAndPadding;
  box.markColumn = box.textLeft + box.inner - 1;  // the text's last column
  box.aboveRow = box.textTop - 1;
  box.belowRow = box.textTop + box.textRows;
  box.buttonTop = box.belowRow + 1;
  box.buttonLeft = box.textLeft;
  box.buttonWidth = box.inner;
}

void MeasureBare(BoxGeometry& box, const std::string& text, const std::string& title,
                 const BoxStyle& style) {
  const int width = box.screen.columns;
  box.buttons = PlaceButtons(style.buttons, width);
  box.buttonRowsShown = std::min(RowCount(box.buttons), box.screen.rows);
  const int free = box.screen.rows - box.buttonRowsShown;
  box.lines = WrapTerminalText(text, std::max(1, width - MarkColumns));
  box.textRows = std::min(static_cast<int>(box.lines.size()), free);
  const int titled = free > box.textRows ? 1 : 0;
  box.caption = FitTerminalLine(title, width, CutMark());
  box.captionRow = titled ? 0 : -1;
  box.textTop = titled;
  box.markColumn = width - 1;
  box.aboveRow = titled;
  box.belowRow = titled + box.textRows - 1;
  box.buttonTop = free;
  box.buttonWidth = width;
}

}  // namespace

std::vector<ButtonPlace> PlaceButtons(const std::vector<Button>& buttons, int width) {
  std::vector<ButtonPlace> places;
  int row = 0, used = 0;
  for (const Button& button : buttons) {
    const int columns = Columns(button);
    if (used > 0 && used + ButtonGap + columns > width) {
      ++row;
      used = 0;
    }
    const int shown = std::min(width, columns);
    places.push_back({row, used == 0 ? 0 : used + ButtonGap, shown, columns > width});
    used = places.back().column + shown;
  }
  // Each row centred: its buttons move right by half of what is left.
  for (auto first = places.begin(); first != places.end();) {
    auto end = std::find_if(first, places.end(),
                            [&](const ButtonPlace& p) { return p.row != first->row; });
    const int rowColumns = (end - 1)->column + (end - 1)->width;
    for (auto place = first; place != end; ++place)
      place->column += std::max(0, (width - rowColumns) / 2);
    first = end;
  }
  return places;
}

std::size_t BoxGeometry::Page() const {
  return static_cast<std::size_t>(std::max(1, textRows));
}

std::size_t BoxGeometry::LastScroll() const {
  const auto rows = static_cast<std::size_t>(std::max(0, textRows));
  return lines.size() > rows ? lines.size() - rows : 0;
}

BoxGeometry Measure(const std::string& text, const std::string& title, const BoxStyle& style,
                    Screen screen) {
  BoxGeometry box;
  box.screen = {std::max(1, screen.rows), std::max(1, screen.columns)};
  const int inner = box.screen.columns - FrameColumns;
  box.framed = inner >= std::max(FewestInner, WidestButton(style.buttons)) &&
               box.screen.rows > RowCount(PlaceButtons(style.buttons, inner)) + FrameRows;
  if (box.framed) {
    MeasureFramed(box, text, title, style);
  } else {
    MeasureBare(box, text, title, style);
  }
  return box;
}

int FirstButtonRow(const BoxGeometry& box, std::size_t focus) {
  if (focus >= box.buttons.size()) return 0;
  return std::max(0, box.buttons[focus].row + 1 - box.buttonRowsShown);
}

}  // namespace zorvane::posix
