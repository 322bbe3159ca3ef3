#include "platform/posix/terminal/box_paint.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>
#include <set>
#include <utility>

#include "fake_terminal.h"

namespace zorvane::posix {
namespace {

// The box as the loop draws it: measured for the screen, the view kept
// inside it, then painted.
struct Drawn {
  BoxGeometry box;
  Frame frame;
};

Drawn DrawBox(const std::string& text, const std::string& title, const BoxStyle& style,
              BoxView view, Screen screen) {
  BoxGeometry box = Measure(text, title, style, screen);
  Frame frame = Paint(box, style, Clamped(view, box));
  return {std::move(box), std::move(frame)};
}

std::string Bytes(const Drawn& drawn) {
  return FrameUpdate(nullptr, drawn.frame);
}

std::string Shown(const Drawn& drawn) {
  FakeTerminal terminal(drawn.frame.screen);
  terminal.Feed(Bytes(drawn));
  EXPECT_EQ(terminal.unknown, "");
  return terminal.Text();
}

TEST(DrawBox, TextNeverBringsItsOwnControlBytes) {
  std::setlocale(LC_ALL, "C");
  const std::string hostile =
      "a\x1b]0;owned\x07 b\x1b[2J c\x9b"
      "31m\r\nline\x7f";
  const std::string shown = Shown(DrawBox(hostile, "t\x1b[1mitle", *ReadStyle(4), {}, {24, 80}));
  EXPECT_NE(shown.find("< Yes >"), std::string::npos);
  EXPECT_NE(shown.find("line?"), std::string::npos);
  EXPECT_EQ(shown.find('\x1b'), std::string::npos);
}

TEST(DrawBox, ButtonsWrapWholeOnANarrowScreenAndFirstWhenTiny) {
  std::setlocale(LC_ALL, "C");
  const std::string narrow = Shown(DrawBox("Go on?", "T", *ReadStyle(6), {}, {12, 30}));
  for (const char* label : {"< Cancel >", "< Try Again >", "< Continue >"}) {
    EXPECT_NE(narrow.find(label), std::string::npos) << narrow;
  }
  const std::string tiny = Shown(DrawBox("Go on?", "T", *ReadStyle(4), {}, {2, 10}));
  EXPECT_NE(tiny.find("< Yes >"), std::string::npos) << tiny;
  EXPECT_NE(tiny.find("< No >"), std::string::npos) << tiny;
}

TEST(DrawBox, TheFocusedButtonIsShownWhereNotAllFit) {
  std::setlocale(LC_ALL, "C");
  const BoxStyle style = *ReadStyle(512 + 2);  // Abort, Retry, Ignore; Ignore the default
  const Drawn picture = DrawBox("Disk?", "T", style, {2, 0}, {2, 12});
  const std::string shown = Shown(picture);
  EXPECT_NE(shown.find("< Ignore >"), std::string::npos) << shown;
  bool reversed = false;
  for (const Cell& cell : picture.frame.cells)
    reversed = reversed || (cell.look.attributes & Reverse);
  EXPECT_TRUE(reversed);
}

TEST(DrawBox, TallTextScrollsWithMarksAndLongTitlesAreCut) {
  std::setlocale(LC_ALL, "C");
  std::string text;
  for (int line = 1; line <= 25; ++line) text += "line " + std::to_string(line) + "\r\n";
  const Screen screen{24, 80};
  const std::string first =
      Shown(DrawBox(text, std::string(200, 'T') + "END", *ReadStyle(4), {}, screen));
  EXPECT_EQ(first.find("line 25"), std::string::npos);
  // More below: marked on the padding row under the text, not over a line.
  const std::size_t below = first.find("v |");
  ASSERT_NE(below, std::string::npos);
  const std::size_t rowStart = first.rfind('\n', below) + 1;
  EXPECT_EQ(first.substr(rowStart, below - rowStart).find("line"), std::string::npos);
  EXPECT_NE(first.find("TTT..."), std::string::npos);
  EXPECT_EQ(first.find("END"), std::string::npos);
  const Drawn end = DrawBox(text, "T", *ReadStyle(4), {0, 1000}, screen);
  EXPECT_EQ(end.box.LastScroll() + static_cast<std::size_t>(end.box.textRows),
            26u);  // the last line, an empty one
  const std::string last = Shown(end);
  EXPECT_NE(last.find("line 25"), std::string::npos);
  EXPECT_NE(last.find("^ |"), std::string::npos);  // more above
}

// Thai, Devanagari, Arabic with its vowel marks, decomposed Latin: every
// character reaches the screen, a base and its marks in one cell, and
// every row keeps its right border.
TEST(DrawBox, TextWithCombiningMarksIsDrawnWholeInItsFrame) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  const std::string lines[] = {
      "\u0e14\u0e34\u0e2a\u0e01\u0e4c\u0e44\u0e21\u0e48", "\u0939\u093f\u0928\u094d\u0926\u0940",
      "\u0627\u0644\u0646\u0651\u064e\u0635\u0651\u064f", "e\u0301cole cafe\u0301"};
  BoxStyle style = *ReadStyle(1);
  style.buttons[0] = MakeButton("\u062d\u0633\u0646\u064b\u0627", 1);  // OK in Arabic
  style.buttons[1] = MakeButton("_\u0625\u0650\u0644\u063a\u0627\u0621", 2);
  const Drawn drawn = DrawBox(lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3],
                              "\u0e14\u0e34\u0e2a\u0e01\u0e4c", style, {}, {24, 80});
  FakeTerminal terminal(drawn.frame.screen);
  terminal.Feed(Bytes(drawn));
  const std::string shown = terminal.Text();
  for (const std::string& line : lines) EXPECT_NE(shown.find(line), std::string::npos) << line;
  EXPECT_NE(shown.find("\u062d\u0633\u0646\u064b\u0627 >"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\u0625\u0650\u0644\u063a\u0627\u0621 >"), std::string::npos) << shown;
  const BoxGeometry& box = drawn.box;
  for (int row = box.top + 1; row < box.top + box.height - 1; ++row)
    EXPECT_EQ(terminal.At(row, box.left + box.width - 1).glyph, "\u2502") << "row " << row;
  // The access letter with its mark, underlined whole.
  const int labelRow = box.buttonTop;
  std::string underlined;
  for (int column = 0; column < 80; ++column) {
    const Cell& cell = terminal.At(labelRow, column);
    if (cell.look.attributes & Underline) underlined += cell.glyph;
  }
  EXPECT_EQ(underlined, "\u0625\u0650");
  std::setlocale(LC_ALL, "C");
}

// A text that fits marks nothing as more; a bare box on a short screen
// takes a row for its title only where the text leaves one free.
TEST(DrawBox, MarksAndTitleOnlyWhereThereIsRoom) {
  std::setlocale(LC_ALL, "C");
  const std::string fits = Shown(DrawBox("one\ntwo", "T", *ReadStyle(4), {}, {24, 80}));
  EXPECT_EQ(fits.find("v |"), std::string::npos) << fits;
  EXPECT_EQ(fits.find("^ |"), std::string::npos) << fits;
  const auto rows = [](const std::string& shown) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < shown.size();) {
      const std::size_t end = shown.find('\n', at);
      lines.push_back(shown.substr(at, end - at));
      at = end + 1;
    }
    return lines;
  };
  const std::vector<std::string> full =
      rows(Shown(DrawBox("a\nb\nc", "Title", *ReadStyle(0), {}, {4, 12})));
  EXPECT_NE(full[2].find('c'), std::string::npos);
  EXPECT_NE(full[3].find("< OK >"), std::string::npos);
  EXPECT_EQ(full[0].find("Title"), std::string::npos);
  const std::vector<std::string> titled =
      rows(Shown(DrawBox("a\nb", "Title", *ReadStyle(0), {}, {4, 12})));
  EXPECT_NE(titled[0].find("Title"), std::string::npos);
  EXPECT_NE(titled[2].find('b'), std::string::npos);
  EXPECT_NE(titled[3].find("< OK >"), std::string::npos);
}

TEST(DrawBox, EachIconDrawsItsOwnSign) {
  for (const char* locale : {"C", "C.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    std::set<std::string> boxes;
    for (int icon : {0, 16, 32, 48, 64})
      boxes.insert(Bytes(DrawBox("x", "t", *ReadStyle(icon), {}, {24, 80})));
    EXPECT_EQ(boxes.size(), 5u) << locale;
    EXPECT_EQ(Bytes(DrawBox("x", "t", *ReadStyle(80), {}, {24, 80})),
              Bytes(DrawBox("x", "t", *ReadStyle(0), {}, {24, 80})));
  }
  std::setlocale(LC_ALL, "C");
}

// Any box, drawn over any other of the same size by FrameUpdate, shows
// just what it would show drawn whole, looks and wide characters included.
TEST(FrameUpdate, TurnsOneFrameIntoTheNext) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  const Screen screen{12, 40};
  const BoxStyle style = *ReadStyle(3 + 32);
  std::string tall;
  for (int line = 1; line <= 20; ++line) tall += "行 " + std::to_string(line) + "\r\n";
  const std::vector<Drawn> pictures = {
      DrawBox(tall, "題", style, {0, 0}, screen), DrawBox(tall, "題", style, {1, 0}, screen),
      DrawBox(tall, "題", style, {1, 3}, screen), DrawBox("short", "t", style, {2, 0}, screen),
      DrawBox(tall, "題", style, {0, 100}, screen)};
  for (const Drawn& before : pictures) {
    for (const Drawn& after : pictures) {
      FakeTerminal terminal(screen);
      terminal.Feed(Bytes(before));
      terminal.Feed(FrameUpdate(&before.frame, after.frame));
      EXPECT_EQ(terminal.cells, after.frame.cells);
      EXPECT_EQ(terminal.look, Look{});
      EXPECT_EQ(terminal.unknown, "");
      // The cursor rests on the focused button's label, where a screen
      // reader looks.
      const int focus = after.frame.cursorRow * screen.columns + after.frame.cursorColumn;
      ASSERT_GE(after.frame.cursorRow, 0);
      EXPECT_EQ(terminal.row * screen.columns + terminal.column, focus);
      EXPECT_EQ(terminal.cells[static_cast<std::size_t>(focus) - 2].glyph, "<");
    }
  }
  EXPECT_EQ(FrameUpdate(&pictures[0].frame, pictures[0].frame), "");
  std::setlocale(LC_ALL, "C");
}

// At 80x24, as the benchmark measures them against whiptail's.
TEST(FrameUpdate, TabAndScrollWriteLittle) {
  std::setlocale(LC_ALL, "C");
  const Screen screen{24, 80};
  const BoxStyle style = *ReadStyle(4);
  const Drawn yes = DrawBox("Hello_there", "Zt", style, {0, 0}, screen);
  const Drawn no = DrawBox("Hello_there", "Zt", style, {1, 0}, screen);
  EXPECT_LE(FrameUpdate(&yes.frame, no.frame).size(), 60u);
  std::string tall;
  for (int line = 1; line <= 40; ++line) tall += "line " + std::to_string(line) + "\r\n";
  const Drawn top = DrawBox(tall, "T", style, {0, 0}, screen);
  const Drawn down = DrawBox(tall, "T", style, {0, 1}, screen);
  EXPECT_LE(FrameUpdate(&top.frame, down.frame).size(), 183u);
}

}  // namespace
}  // namespace zorvane::posix
