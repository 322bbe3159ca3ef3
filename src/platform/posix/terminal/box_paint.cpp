#include "platform/posix/terminal/box_paint.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "platform/posix/terminal/terminal_text.h"

namespace zorvane::posix {
namespace {

struct Glyphs {
  std::string_view topLeft, topRight, bottomLeft, bottomRight, horizontal, vertical, above, below;
};

const Glyphs& GlyphsForLocale() {
  static const Glyphs unicode{"┌", "┐", "└", "┘", "─", "│", "▲", "▼"};
  static const Glyphs ascii{"+", "+", "+", "+", "-", "|", "^", "v"};
  return LocaleIsUtf8() ? unicode : ascii;
}

void Repeat(Frame& frame, int row, int column, std::string_view glyph, int count) {
  for (int i = 0; i < count; ++i) Put(frame, row, column + i, glyph, {});
}

void PutFrame(Frame& frame, const BoxGeometry& box, const Glyphs& glyphs) {
  const int right = box.left + box.width - 1, bottom = box.top + box.height - 1;
  Put(frame, box.top, box.left, glyphs.topLeft, {});
  Repeat(frame, box.top, box.left + 1, glyphs.horizontal, box.width - 2);
  Put(frame, box.top, right, glyphs.topRight, {});
  for (int row = box.top + 1; row < bottom; ++row) {
    Put(frame, row, box.left, glyphs.vertical, {});
    Put(frame, row, right, glyphs.vertical, {});
  }
  Put(frame, bottom, box.left, glyphs.bottomLeft, {});
  Repeat(frame, bottom, box.left + 1, glyphs.horizontal, box.width - 2);
  Put(frame, bottom, right, glyphs.bottomRight, {});
}

// The title in bold, set off from the frame's edge by a space each side.
void PutCaption(Frame& frame, const BoxGeometry& box) {
  if (box.captionRow < 0) return;
  const int spaced = box.framed ? 1 : 0;
  if (spaced) Put(frame, box.captionRow, box.captionColumn, " ", {});
  Put(frame, box.captionRow, box.captionColumn + spaced, box.caption.bytes, {Bold, 0});
  if (spaced) Put(frame, box.captionRow, box.captionColumn + 1 + box.caption.columns, " ", {});
}

void PutText(Frame& frame, const BoxGeometry& box, const BoxStyle& style, std::size_t scroll,
             const Glyphs& glyphs) {
  if (box.sign) {
    const IconFacts& sign = FactsOf(style.icon);
    Put(frame, box.textTop, box.textLeft, LocaleIsUtf8() ? sign.sign : sign.asciiSign,
        {Bold, sign.colour});
  }
  for (int i = 0; i < box.textRows; ++i) {
    Put(frame, box.textTop + i, box.textLeft + box.sign,
        box.lines[scroll + static_cast<std::size_t>(i)].bytes, {});
  }
  if (!box.framed && box.textRows == 0) return;
  if (scroll > 0) Put(frame, box.aboveRow, box.markColumn, glyphs.above, {});
  if (scroll < box.LastScroll()) Put(frame, box.belowRow, box.markColumn, glyphs.below, {});
}

// "< Label >", the access key underlined, the focus in reverse; cut with a
// mark where even a row of its own is too narrow.
void PutButton(Frame& frame, int row, int column, const Button& button, const ButtonPlace& place,
               bool focused) {
  const Look look{static_cast<unsigned char>(focused ? Reverse : 0), 0};
  Put(frame, row, column, ButtonOpen, look);
  column += static_cast<int>(ButtonOpen.size());
  if (focused && row >= 0 && row < frame.screen.rows && column < frame.screen.columns) {
    frame.cursorRow = row;
    frame.cursorColumn = column;
  }
  const std::string& plain = button.label;
  if (place.cut) {
    const int ends = static_cast<int>(ButtonOpen.size() + ButtonClose.size());
    const TerminalLine cut = FitTerminalLine(plain, std::max(0, place.width - ends), CutMark());
    Put(frame, row, column, cut.bytes, look);
    column += cut.columns;
  } else {
    const std::size_t at = std::min(button.keyAt, plain.size());
    const std::size_t size = at < plain.size() ? ClusterAt(plain.substr(at)).length : 0;
    const Look underlined{static_cast<unsigned char>(look.attributes | Underline), 0};
    for (const auto& [piece, pieceLook] :
         {std::pair{plain.substr(0, at), look}, std::pair{plain.substr(at, size), underlined},
          std::pair{plain.substr(std::min(plain.size(), at + size)), look}}) {
      const TerminalLine safe = SafeTerminalLine(piece);
      Put(frame, row, column, safe.bytes, pieceLook);
      column += safe.columns;
    }
  }
  Put(frame, row, column, ButtonClose, look);
}

void PutButtons(Frame& frame, const BoxGeometry& box, const BoxStyle& style, std::size_t focus) {
  const int first = FirstButtonRow(box, focus);
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    const ButtonPlace& place = box.buttons[i];
    if (place.row < first || place.row >= first + box.buttonRowsShown) continue;
    PutButton(frame, box.buttonTop + place.row - first, box.buttonLeft + place.column,
              style.buttons[i], place, i == focus);
  }
}

}  // namespace

Frame Paint(const BoxGeometry& box, const BoxStyle& style, BoxView view) {
  const Glyphs& glyphs = GlyphsForLocale();
  Frame frame = BlankFrame(box.screen);
  if (box.framed) PutFrame(frame, box, glyphs);
  PutCaption(frame, box);
  PutText(frame, box, style, view.scroll, glyphs);
  PutButtons(frame, box, style, view.focus);
  return frame;
}

}  // namespace zorvane::posix
