#include "platform/posix/terminal/box_paint.h"

#include <algorithm>
#include <cwchar>
#include <tuple>
#include <utility>

#include "platform/posix/box/buttons.h"
#include "platform/posix/box/characters.h"
#include "platform/posix/terminal/terminal_text.h"

namespace zorvane::posix {
namespace {

struct Glyphs {
  std::string_view topLeft, topRight, bottomLeft, bottomRight, horizontal, vertical;
  TerminalLine above, below, cut;
};

const Glyphs& GlyphsForLocale() {
  static const Glyphs unicode{"┌", "┐", "└", "┘", "─", "│", {"▲", 1}, {"▼", 1}, {"…", 1}};
  static const Glyphs ascii{"+", "+", "+", "+", "-", "|", {"^", 1}, {"v", 1}, {"...", 3}};
  return LocaleIsUtf8() ? unicode : ascii;
}

struct Sign {
  std::string_view glyph;
  Look look;
};

// The style's sign, bold in its colour; it takes one column and two more to the text.
Sign SignOf(BoxIcon icon) {
  const IconFacts& facts = FactsOf(icon);
  return {LocaleIsUtf8() ? facts.sign : facts.asciiSign, {Bold, facts.colour}};
}
constexpr int SignColumns = 3;

const Cell& CellAt(const Frame& frame, int row, int column) {
  return frame
      .cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(frame.screen.columns) +
             static_cast<std::size_t>(column)];
}

Cell& CellAt(Frame& frame, int row, int column) {
  return const_cast<Cell&>(CellAt(static_cast<const Frame&>(frame), row, column));
}

// Writes `text` (already safe: printable characters of the locale) from
// (row, column) on, 0-based; what falls outside the screen is dropped.
void Put(Frame& frame, int row, int column, std::string_view text, Look look) {
  if (row < 0 || row >= frame.screen.rows) return;
  while (!text.empty()) {
    const Character character = DecodeAt(text);
    const std::size_t length = character.length;
    const int width = std::max(1, wcwidth(character.code));
    if (column < 0 || column + width > frame.screen.columns) return;
    Cell& cell = CellAt(frame, row, column);
    if (cell.glyph.empty() && column > 0) CellAt(frame, row, column - 1).glyph = " ";
    if (column + width < frame.screen.columns && CellAt(frame, row, column + width).glyph.empty())
      CellAt(frame, row, column + width).glyph = " ";
    cell = {std::string(text.substr(0, length)), look};
    if (width == 2) CellAt(frame, row, column + 1) = {"", look};
    column += width;
    text.remove_prefix(length);
  }
}

void Repeat(Frame& frame, int row, int column, std::string_view glyph, int count) {
  for (int i = 0; i < count; ++i) Put(frame, row, column + i, glyph, {});
}

int Columns(const std::string& label) {
  return SafeTerminalLine(PlainLabel(label)).columns + 4;
}

// "< Label >", the access key underlined, the focus in reverse; cut with a
// mark where even a row of its own is too narrow.
void PutButton(Frame& frame, int row, int column, const BoxButton& button, bool focused, int width,
               const Glyphs& glyphs) {
  const Look look{static_cast<unsigned char>(focused ? Reverse : 0), 0};
  const std::string plain = PlainLabel(button.label);
  Put(frame, row, column, "< ", look);
  column += 2;
  if (focused && row >= 0 && row < frame.screen.rows && column < frame.screen.columns) {
    frame.cursorRow = row;
    frame.cursorColumn = column;
  }
  const std::size_t key = AccessKeyAt(button.label);
  if (Columns(button.label) > width) {
    const TerminalLine cut = FitTerminalLine(plain, std::max(0, width - 4), glyphs.cut);
    Put(frame, row, column, cut.bytes, look);
    column += cut.columns;
  } else {
    const std::size_t at = key == std::string::npos ? plain.size() : key - 1;
    const std::size_t size = at < plain.size() ? CharacterLength(plain, at) : 0;
    const Look underlined{static_cast<unsigned char>(look.attributes | Underline), 0};
    for (const auto& [piece, pieceLook] :
         {std::pair{plain.substr(0, at), look}, std::pair{plain.substr(at, size), underlined},
          std::pair{plain.substr(std::min(plain.size(), at + size)), look}}) {
      const TerminalLine safe = SafeTerminalLine(piece);
      Put(frame, row, column, safe.bytes, pieceLook);
      column += safe.columns;
    }
  }
  Put(frame, row, column, " >", look);
}

// Buttons left to right in rows no wider than `width`; each row lists the
// indices of its buttons.
std::vector<std::vector<std::size_t>> ButtonRows(const BoxStyle& style, int width) {
  std::vector<std::vector<std::size_t>> rows(1);
  int used = 0;
  for (std::size_t i = 0; i < style.buttons.size(); ++i) {
    const int columns = Columns(style.buttons[i].label);
    if (!rows.back().empty() && used + 2 + columns > width) {
      rows.emplace_back();
      used = 0;
    }
    used += (rows.back().empty() ? 0 : 2) + columns;
    rows.back().push_back(i);
  }
  return rows;
}

int RowColumns(const BoxStyle& style, const std::vector<std::size_t>& row, int width) {
  int columns = -2;
  for (std::size_t i : row) columns += 2 + std::min(width, Columns(style.buttons[i].label));
  return columns;
}

void PutButtons(Frame& frame, const BoxStyle& style,
                const std::vector<std::vector<std::size_t>>& rows, std::size_t focus, int top,
                int left, int width, const Glyphs& glyphs) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    int column = left + std::max(0, (width - RowColumns(style, rows[r], width)) / 2);
    for (std::size_t i : rows[r]) {
      if (i != rows[r].front()) column += 2;
      PutButton(frame, top + static_cast<int>(r), column, style.buttons[i], i == focus, width,
                glyphs);
      column += std::min(width, Columns(style.buttons[i].label));
    }
  }
}

// All buttons side by side, as the box shows them where the screen allows.
int OneRowColumns(const BoxStyle& style) {
  int columns = -2;
  for (const BoxButton& button : style.buttons) columns += 2 + Columns(button.label);
  return columns;
}

int WidestButton(const BoxStyle& style) {
  int widest = 0;
  for (const BoxButton& button : style.buttons) widest = std::max(widest, Columns(button.label));
  return widest;
}

std::size_t ClampScroll(std::size_t scroll, std::size_t lines, std::size_t rows) {
  return std::min(scroll, lines > rows ? lines - rows : 0);
}

// Where the framed box's parts go, 0-based: the frame, a padding row and
// column inside it, the text beside the sign, a blank row, the buttons.
struct BoxGeometry {
  int top, left;  // the frame's top-left corner
  int inner;      // the columns inside the padding
  int sign;       // columns the sign takes before the text
  int textRows, buttonRows;
  int Height() const { return textRows + buttonRows + 4; }
  int Bottom() const { return top + Height() - 1; }
  int Right() const { return left + inner + 3; }
  int ContentLeft() const { return left + 2; }
  int TextTop() const { return top + 2; }
  int ButtonTop() const { return TextTop() + textRows + 1; }
  int MarkColumn() const { return left + inner + 1; }  // the content's last column
};

BoxGeometry MeasureFramed(const std::vector<TerminalLine>& lines, const TerminalLine& caption,
                          const BoxStyle& style, int sign, Screen screen) {
  int inner = std::max({caption.columns + 4, OneRowColumns(style), 10});
  for (const TerminalLine& line : lines) inner = std::max(inner, line.columns + sign);
  inner = std::min(inner, screen.columns - 4);
  const int buttonRows = static_cast<int>(ButtonRows(style, inner).size());
  const int textRows = std::min(static_cast<int>(lines.size()), screen.rows - buttonRows - 4);
  const int height = textRows + buttonRows + 4;
  return {(screen.rows - height) / 2,
          (screen.columns - inner - 4) / 2,
          inner,
          sign,
          textRows,
          buttonRows};
}

void PutFrame(Frame& frame, const BoxGeometry& box, const Glyphs& glyphs) {
  Put(frame, box.top, box.left, glyphs.topLeft, {});
  Repeat(frame, box.top, box.left + 1, glyphs.horizontal, box.inner + 2);
  Put(frame, box.top, box.Right(), glyphs.topRight, {});
  for (int row = box.top + 1; row < box.Bottom(); ++row) {
    Put(frame, row, box.left, glyphs.vertical, {});
    Put(frame, row, box.Right(), glyphs.vertical, {});
  }
  Put(frame, box.Bottom(), box.left, glyphs.bottomLeft, {});
  Repeat(frame, box.Bottom(), box.left + 1, glyphs.horizontal, box.inner + 2);
  Put(frame, box.Bottom(), box.Right(), glyphs.bottomRight, {});
}

BoxPicture DrawFramed(const std::string& text, const std::string& title, const BoxStyle& style,
                      BoxView view, Screen screen, const Glyphs& glyphs) {
  const int sign = style.icon == BoxIcon::NoIcon ? 0 : SignColumns;
  const std::vector<TerminalLine> lines =
      WrapTerminalText(text, std::max(1, screen.columns - 4 - sign));
  const TerminalLine caption = SafeTerminalLine(title);
  const BoxGeometry box = MeasureFramed(lines, caption, style, sign, screen);
  const std::size_t scroll = ClampScroll(view.scroll, lines.size(), box.textRows);
  Frame frame{screen, std::vector<Cell>(static_cast<std::size_t>(screen.rows * screen.columns))};
  PutFrame(frame, box, glyphs);
  const TerminalLine shown = FitTerminalLine(caption.bytes, box.inner - 2, glyphs.cut);
  const int captionLeft = box.left + 1 + (box.inner + 2 - shown.columns - 2) / 2;
  Put(frame, box.top, captionLeft, " ", {});
  Put(frame, box.top, captionLeft + 1, shown.bytes, {Bold, 0});
  Put(frame, box.top, captionLeft + 1 + shown.columns, " ", {});
  if (scroll > 0) Put(frame, box.top + 1, box.MarkColumn(), glyphs.above.bytes, {});
  if (scroll + static_cast<std::size_t>(box.textRows) < lines.size())
    Put(frame, box.TextTop() + box.textRows, box.MarkColumn(), glyphs.below.bytes, {});
  if (sign)
    Put(frame, box.TextTop(), box.ContentLeft(), SignOf(style.icon).glyph, SignOf(style.icon).look);
  for (int i = 0; i < box.textRows; ++i) {
    Put(frame, box.TextTop() + i, box.ContentLeft() + sign,
        lines[scroll + static_cast<std::size_t>(i)].bytes, {});
  }
  PutButtons(frame, style, ButtonRows(style, box.inner), view.focus, box.ButtonTop(),
             box.ContentLeft(), box.inner, glyphs);
  return {frame, scroll, static_cast<std::size_t>(std::max(1, box.textRows))};
}

// The rows of buttons that fit, `count` of them, taking in the focused one.
std::vector<std::vector<std::size_t>> RowsWithFocus(std::vector<std::vector<std::size_t>> rows,
                                                    std::size_t count, std::size_t focus) {
  if (rows.size() <= count) return rows;
  std::size_t focusRow = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (std::find(rows[r].begin(), rows[r].end(), focus) != rows[r].end()) focusRow = r;
  }
  const std::size_t first = focusRow + 1 > count ? focusRow + 1 - count : 0;
  return {rows.begin() + static_cast<std::ptrdiff_t>(first),
          rows.begin() + static_cast<std::ptrdiff_t>(first + count)};
}

// No frame: the buttons at the bottom, then as much text as fits above
// them, then the title if a row is left; a mark in the last column where
// text is hidden.
BoxPicture DrawBare(const std::string& text, const std::string& title, const BoxStyle& style,
                    BoxView view, Screen screen, const Glyphs& glyphs) {
  const int width = std::max(1, screen.columns);
  const auto rows = RowsWithFocus(ButtonRows(style, width),
                                  static_cast<std::size_t>(std::max(0, screen.rows)), view.focus);
  const int free = screen.rows - static_cast<int>(rows.size());
  const std::vector<TerminalLine> lines = WrapTerminalText(text, std::max(1, width - 1));
  const int textRows = std::min(static_cast<int>(lines.size()), free);
  const std::size_t scroll = ClampScroll(view.scroll, lines.size(), textRows);
  const int titled = free > textRows ? 1 : 0;
  Frame frame{screen, std::vector<Cell>(static_cast<std::size_t>(screen.rows * screen.columns))};
  if (titled) Put(frame, 0, 0, FitTerminalLine(title, width, glyphs.cut).bytes, {Bold, 0});
  for (int i = 0; i < textRows; ++i) {
    Put(frame, titled + i, 0, lines[scroll + static_cast<std::size_t>(i)].bytes, {});
  }
  if (scroll > 0 && textRows > 0) Put(frame, titled, width - 1, glyphs.above.bytes, {});
  if (scroll + static_cast<std::size_t>(textRows) < lines.size() && textRows > 0)
    Put(frame, titled + textRows - 1, width - 1, glyphs.below.bytes, {});
  PutButtons(frame, style, rows, view.focus, free, 0, width, glyphs);
  return {frame, scroll, static_cast<std::size_t>(std::max(1, textRows))};
}

std::string MoveTo(int row, int column) {
  if (column == 0) return "\x1b[" + std::to_string(row + 1) + "H";
  return "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

// The shortest SGR that takes the terminal from one look to the other.
std::string LookChange(Look from, Look to) {
  if (from == to) return {};
  if (to == Look{}) return "\x1b[m";
  std::string parameters;
  auto add = [&parameters](const std::string& code) {
    parameters += (parameters.empty() ? "" : ";") + code;
  };
  for (const auto& [bit, on, off] : {std::tuple{Bold, "1", "22"}, std::tuple{Underline, "4", "24"},
                                     std::tuple{Reverse, "7", "27"}}) {
    if ((from.attributes & bit) != (to.attributes & bit)) add((to.attributes & bit) ? on : off);
  }
  if (from.colour != to.colour) add(to.colour ? std::to_string(to.colour) : "39");
  return "\x1b[" + parameters + "m";
}

// Unchanged cells between two changed ones are written again where that
// costs less than moving the cursor over them.
constexpr int LongestGap = 4;

}  // namespace

BoxPicture DrawBox(const std::string& text, const std::string& title, const BoxStyle& style,
                   BoxView view, Screen screen) {
  const Glyphs& glyphs = GlyphsForLocale();
  screen.rows = std::max(1, screen.rows);
  screen.columns = std::max(1, screen.columns);
  const int inner = screen.columns - 4;
  const bool framed = inner >= std::max(10, WidestButton(style)) &&
                      screen.rows >= static_cast<int>(ButtonRows(style, inner).size()) + 5;
  return framed ? DrawFramed(text, title, style, view, screen, glyphs)
                : DrawBare(text, title, style, view, screen, glyphs);
}

std::string FrameUpdate(const Frame* before, const Frame& after) {
  const bool whole = !before || !(before->screen == after.screen);
  const int columns = after.screen.columns;
  auto changed = [&](int row, int column) {
    const Cell& now = CellAt(after, row, column);
    return whole ? now != Cell{} : now != CellAt(*before, row, column);
  };
  std::string out = whole ? "\x1b[m\x1b[2J" : "";
  Look current;
  for (int row = 0; row < after.screen.rows; ++row) {
    for (int column = 0; column < columns;) {
      if (!changed(row, column)) {
        ++column;
        continue;
      }
      int start = column;
      if (CellAt(after, row, start).glyph.empty() && start > 0) --start;  // a wide character's half
      int end = column + 1;
      for (int next = end; next < columns && next - end <= LongestGap; ++next) {
        if (changed(row, next)) end = next + 1;
      }
      out += MoveTo(row, start);
      for (int at = start; at < end; ++at) {
        const Cell& now = CellAt(after, row, at);
        if (now.glyph.empty()) continue;
        out += LookChange(current, now.look);
        current = now.look;
        out += now.glyph;
      }
      column = end;
    }
  }
  out += LookChange(current, Look{});
  const bool cursorMoved =
      whole || before->cursorRow != after.cursorRow || before->cursorColumn != after.cursorColumn;
  if (after.cursorRow >= 0 && (cursorMoved || !out.empty()))
    out += MoveTo(after.cursorRow, after.cursorColumn);
  return out;
}

}  // namespace zorvane::posix
