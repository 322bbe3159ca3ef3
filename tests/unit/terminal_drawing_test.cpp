#include "platform/posix/terminal/terminal_drawing.h"

#include <gtest/gtest.h>

#include <clocale>
#include <regex>
#include <set>

namespace zorvane::posix {
namespace {

// What is left once the box's own cursor and colour sequences are taken out.
std::string WithoutOwnSequences(const std::string& drawn) {
  return std::regex_replace(drawn, std::regex("\x1b\\[[0-9;?]*[A-Za-z]"), "");
}

TEST(DrawBox, TextNeverBringsItsOwnControlBytes) {
  std::setlocale(LC_ALL, "C");
  const std::string hostile =
      "a\x1b]0;owned\x07 b\x1b[2J c\x9b"
      "31m\r\nline\x7f";
  const std::string drawn = DrawBox(hostile, "t\x1b[1mitle", *LayOutBox(4), {}, {24, 80}).bytes;
  const std::string rest = WithoutOwnSequences(drawn);
  for (unsigned char byte : rest) EXPECT_TRUE(byte >= 0x20 && byte < 0x7f) << int(byte);
  EXPECT_NE(rest.find("< Yes >"), std::string::npos);
  EXPECT_NE(rest.find("line?"), std::string::npos);
}

TEST(DrawBox, PlacesEverythingInsideTheScreen) {
  const std::string drawn =
      DrawBox(std::string(2000, 'x'), std::string(300, 'T'), *LayOutBox(6), {2, 0}, {10, 30}).bytes;
  const std::regex move("\x1b\\[([0-9]+);([0-9]+)H");
  for (auto it = std::sregex_iterator(drawn.begin(), drawn.end(), move);
       it != std::sregex_iterator(); ++it) {
    EXPECT_LE(std::stoi((*it)[1]), 10);
    EXPECT_LE(std::stoi((*it)[2]), 30);
  }
}

// The screen as a terminal would show it, one string a row, in the C locale.
std::vector<std::string> Rows(const std::string& drawn, Screen screen) {
  std::vector<std::string> rows(static_cast<std::size_t>(screen.rows),
                                std::string(static_cast<std::size_t>(screen.columns), ' '));
  const std::regex piece("\x1b\\[([0-9]+);([0-9]+)H([^\x1b]*)|\x1b\\[[0-9;?]*[A-Za-z]([^\x1b]*)");
  std::size_t row = 0, column = 0;
  for (auto it = std::sregex_iterator(drawn.begin(), drawn.end(), piece);
       it != std::sregex_iterator(); ++it) {
    if ((*it)[1].matched) {
      row = std::stoul((*it)[1]) - 1;
      column = std::stoul((*it)[2]) - 1;
    }
    for (char byte : std::string((*it)[(*it)[1].matched ? 3 : 4])) {
      if (row < rows.size() && column < rows[row].size()) rows[row][column] = byte;
      ++column;
    }
  }
  return rows;
}

std::string Joined(const std::vector<std::string>& rows) {
  std::string all;
  for (const std::string& row : rows) all += row + "\n";
  return all;
}

TEST(DrawBox, ButtonsWrapWholeOnANarrowScreenAndFirstWhenTiny) {
  std::setlocale(LC_ALL, "C");
  const std::string narrow =
      Joined(Rows(DrawBox("Go on?", "T", *LayOutBox(6), {}, {12, 30}).bytes, {12, 30}));
  for (const char* label : {"< Cancel >", "< Try Again >", "< Continue >"}) {
    EXPECT_NE(narrow.find(label), std::string::npos) << narrow;
  }
  const std::string tiny =
      Joined(Rows(DrawBox("Go on?", "T", *LayOutBox(4), {}, {2, 10}).bytes, {2, 10}));
  EXPECT_NE(tiny.find("< Yes >"), std::string::npos) << tiny;
  EXPECT_NE(tiny.find("< No >"), std::string::npos) << tiny;
}

TEST(DrawBox, TallTextScrollsWithMarksAndLongTitlesAreCut) {
  std::setlocale(LC_ALL, "C");
  std::string text;
  for (int line = 1; line <= 25; ++line) text += "line " + std::to_string(line) + "\r\n";
  const Screen screen{24, 80};
  const BoxPicture top = DrawBox(text, std::string(200, 'T') + "END", *LayOutBox(4), {}, screen);
  const std::string first = Joined(Rows(top.bytes, screen));
  EXPECT_EQ(first.find("line 25"), std::string::npos);
  EXPECT_NE(first.find("v |"), std::string::npos);  // more below
  EXPECT_NE(first.find("TTT..."), std::string::npos);
  EXPECT_EQ(first.find("END"), std::string::npos);
  const BoxPicture end = DrawBox(text, "T", *LayOutBox(4), {0, 1000}, screen);
  EXPECT_EQ(end.scroll + end.textRows, 26u);  // clamped to the last line, an empty one
  const std::string last = Joined(Rows(end.bytes, screen));
  EXPECT_NE(last.find("line 25"), std::string::npos);
  EXPECT_NE(last.find("^ |"), std::string::npos);  // more above
}

TEST(DrawBox, EachIconDrawsItsOwnSign) {
  for (const char* locale : {"C", "C.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    std::set<std::string> boxes;
    for (int icon : {0, 16, 32, 48, 64})
      boxes.insert(DrawBox("x", "t", *LayOutBox(icon), {}, {24, 80}).bytes);
    EXPECT_EQ(boxes.size(), 5u) << locale;
    EXPECT_EQ(DrawBox("x", "t", *LayOutBox(80), {}, {24, 80}).bytes,
              DrawBox("x", "t", *LayOutBox(0), {}, {24, 80}).bytes);
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
