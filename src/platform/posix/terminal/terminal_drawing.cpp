#include "platform/posix/terminal/terminal_drawing.h"

#include <algorithm>
#include <vector>

#include "platform/posix/terminal/terminal_keys.h"
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

// The style's sign, in its colour; it takes one column and two more to the text.
std::string SignOf(BoxIcon icon) {
  const bool utf8 = LocaleIsUtf8();
  switch (icon) {
    case BoxIcon::Error: return std::string("\x1b[1;31m") + (utf8 ? "✖" : "X");
    case BoxIcon::Question: return "\x1b[1;34m?";
    case BoxIcon::Warning: return std::string("\x1b[1;33m") + (utf8 ? "⚠" : "!");
    case BoxIcon::Information: return std::string("\x1b[1;34m") + (utf8 ? "ℹ" : "i");
    case BoxIcon::NoIcon: break;
  }
  return {};
}
constexpr int SignColumns = 3;

std::string MoveTo(int row, int column) {
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

std::string Repeat(std::string_view piece, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += piece;
  return out;
}

int Columns(const std::string& label) {
  return SafeTerminalLine(PlainLabel(label)).columns + 4;
}

// "< Label >", the access key underlined, the focus in reverse; cut with a
// mark where even a row of its own is too narrow.
std::string ButtonText(const BoxButton& button, bool focused, int width, const Glyphs& glyphs) {
  const std::string plain = PlainLabel(button.label);
  std::string inside;
  if (Columns(button.label) > width) {
    inside = FitTerminalLine(plain, std::max(0, width - 4), glyphs.cut).bytes;
  } else if (const std::size_t key = AccessKeyAt(button.label); key != std::string::npos) {
    const std::size_t at = key - 1, size = CharacterLength(plain, at);
    inside = plain.substr(0, at) + "\x1b[4m" + plain.substr(at, size) + "\x1b[24m" +
             plain.substr(at + size);
  } else {
    inside = plain;
  }
  return focused ? "\x1b[7m< " + inside + " >\x1b[27m" : "< " + inside + " >";
}

// Buttons left to right in rows no wider than `width`; each row lists the
// indices of its buttons.
std::vector<std::vector<std::size_t>> ButtonRows(const BoxLayout& layout, int width) {
  std::vector<std::vector<std::size_t>> rows(1);
  int used = 0;
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const int columns = Columns(layout.buttons[i].label);
    if (!rows.back().empty() && used + 2 + columns > width) {
      rows.emplace_back();
      used = 0;
    }
    used += (rows.back().empty() ? 0 : 2) + columns;
    rows.back().push_back(i);
  }
  return rows;
}

int RowColumns(const BoxLayout& layout, const std::vector<std::size_t>& row, int width) {
  int columns = -2;
  for (std::size_t i : row) columns += 2 + std::min(width, Columns(layout.buttons[i].label));
  return columns;
}

std::string DrawButtons(const BoxLayout& layout, const std::vector<std::vector<std::size_t>>& rows,
                        std::size_t focus, int top, int left, int width, const Glyphs& glyphs) {
  std::string out;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const int indent = std::max(0, (width - RowColumns(layout, rows[r], width)) / 2);
    out += MoveTo(top + static_cast<int>(r), left + indent);
    for (std::size_t i : rows[r]) {
      out += (i == rows[r].front() ? "" : "  ") +
             ButtonText(layout.buttons[i], i == focus, width, glyphs);
    }
  }
  return out;
}

// All buttons side by side, as the box shows them where the screen allows.
int OneRowColumns(const BoxLayout& layout) {
  int columns = -2;
  for (const BoxButton& button : layout.buttons) columns += 2 + Columns(button.label);
  return columns;
}

int WidestButton(const BoxLayout& layout) {
  int widest = 0;
  for (const BoxButton& button : layout.buttons) widest = std::max(widest, Columns(button.label));
  return widest;
}

std::size_t ClampScroll(std::size_t scroll, std::size_t lines, std::size_t rows) {
  return std::min(scroll, lines > rows ? lines - rows : 0);
}

// The frame, title, sign, text and buttons, where the screen has room for them.
BoxPicture DrawFramed(const std::string& text, const std::string& title, const BoxLayout& layout,
                      BoxView view, Screen screen, const Glyphs& glyphs) {
  const int sign = layout.icon == BoxIcon::NoIcon ? 0 : SignColumns;
  const int widest = screen.columns - 4;
  const std::vector<TerminalLine> lines = WrapTerminalText(text, std::max(1, widest - sign));
  const TerminalLine caption = SafeTerminalLine(title);
  int inner = std::max({caption.columns + 4, OneRowColumns(layout), 10});
  for (const TerminalLine& line : lines) inner = std::max(inner, line.columns + sign);
  inner = std::min(inner, widest);
  const auto rows = ButtonRows(layout, inner);
  const int textRows =
      std::min(static_cast<int>(lines.size()), screen.rows - static_cast<int>(rows.size()) - 4);
  const std::size_t scroll = ClampScroll(view.scroll, lines.size(), textRows);
  const int height = textRows + static_cast<int>(rows.size()) + 4;
  const int top = (screen.rows - height) / 2 + 1, left = (screen.columns - inner - 4) / 2 + 1;

  std::string out = "\x1b[0m\x1b[2J" + MoveTo(top, left) + std::string(glyphs.topLeft) +
                    Repeat(glyphs.horizontal, inner + 2) + std::string(glyphs.topRight);
  const TerminalLine shown = FitTerminalLine(caption.bytes, inner - 2, glyphs.cut);
  out += MoveTo(top, left + 1 + (inner + 2 - shown.columns - 2) / 2) + " \x1b[1m" + shown.bytes +
         "\x1b[22m ";
  const std::string side(glyphs.vertical);
  const std::string inside = side + std::string(static_cast<std::size_t>(inner) + 2, ' ') + side;
  for (int row = top + 1; row < top + height - 1; ++row) {
    out += MoveTo(row, left);
    out += inside;
  }
  if (scroll > 0) out += MoveTo(top + 1, left + inner + 1) + glyphs.above.bytes;
  if (scroll + textRows < lines.size())
    out += MoveTo(top + textRows + 2, left + inner + 1) + glyphs.below.bytes;
  if (sign) out += MoveTo(top + 2, left + 2) + SignOf(layout.icon) + "\x1b[0m";
  for (int i = 0; i < textRows; ++i) {
    out += MoveTo(top + 2 + i, left + 2 + sign) + lines[scroll + static_cast<std::size_t>(i)].bytes;
  }
  out += DrawButtons(layout, rows, view.focus, top + textRows + 3, left + 2, inner, glyphs);
  out += MoveTo(top + height - 1, left) + std::string(glyphs.bottomLeft) +
         Repeat(glyphs.horizontal, inner + 2) + std::string(glyphs.bottomRight);
  return {out, scroll, static_cast<std::size_t>(std::max(1, textRows))};
}

// No frame: the buttons at the bottom, then as much text as fits above
// them, then the title if a row is left; a mark in the last column where
// text is hidden.
BoxPicture DrawBare(const std::string& text, const std::string& title, const BoxLayout& layout,
                    BoxView view, Screen screen, const Glyphs& glyphs) {
  const int width = std::max(1, screen.columns);
  auto rows = ButtonRows(layout, width);
  rows.resize(std::min(rows.size(), static_cast<std::size_t>(screen.rows)));
  const int free = screen.rows - static_cast<int>(rows.size());
  const std::vector<TerminalLine> lines = WrapTerminalText(text, std::max(1, width - 1));
  const int textRows = std::min(static_cast<int>(lines.size()), free);
  const std::size_t scroll = ClampScroll(view.scroll, lines.size(), textRows);
  const int titled = free > textRows ? 1 : 0;
  std::string out = "\x1b[0m\x1b[2J";
  if (titled)
    out += MoveTo(1, 1) + "\x1b[1m" + FitTerminalLine(title, width, glyphs.cut).bytes + "\x1b[22m";
  for (int i = 0; i < textRows; ++i) {
    out += MoveTo(1 + titled + i, 1) + lines[scroll + static_cast<std::size_t>(i)].bytes;
  }
  if (scroll > 0 && textRows > 0) out += MoveTo(1 + titled, width) + glyphs.above.bytes;
  if (scroll + textRows < lines.size() && textRows > 0)
    out += MoveTo(titled + textRows, width) + glyphs.below.bytes;
  out += DrawButtons(layout, rows, view.focus, free + 1, 1, width, glyphs);
  return {out, scroll, static_cast<std::size_t>(std::max(1, textRows))};
}

}  // namespace

BoxPicture DrawBox(const std::string& text, const std::string& title, const BoxLayout& layout,
                   BoxView view, Screen screen) {
  const Glyphs& glyphs = GlyphsForLocale();
  const int inner = screen.columns - 4;
  const bool framed = inner >= std::max(10, WidestButton(layout)) &&
                      screen.rows >= static_cast<int>(ButtonRows(layout, inner).size()) + 5;
  return framed ? DrawFramed(text, title, layout, view, screen, glyphs)
                : DrawBare(text, title, layout, view, screen, glyphs);
}

}  // namespace zorvane::posix
