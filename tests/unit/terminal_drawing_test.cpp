#include "platform/posix/terminal_drawing.h"

#include <gtest/gtest.h>

#include <clocale>
#include <regex>

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
  const std::string drawn = DrawBox(hostile, "t\x1b[1mitle", *LayOutBox(4), 0, {24, 80});
  const std::string rest = WithoutOwnSequences(drawn);
  for (unsigned char byte : rest) EXPECT_TRUE(byte >= 0x20 && byte < 0x7f) << int(byte);
  EXPECT_NE(rest.find("< Yes >"), std::string::npos);
  EXPECT_NE(rest.find("line?"), std::string::npos);
}

TEST(DrawBox, PlacesEverythingInsideTheScreen) {
  const std::string drawn =
      DrawBox(std::string(2000, 'x'), std::string(300, 'T'), *LayOutBox(6), 2, {10, 30});
  const std::regex move("\x1b\\[([0-9]+);([0-9]+)H");
  for (auto it = std::sregex_iterator(drawn.begin(), drawn.end(), move);
       it != std::sregex_iterator(); ++it) {
    EXPECT_LE(std::stoi((*it)[1]), 10);
    EXPECT_LE(std::stoi((*it)[2]), 30);
  }
}

}  // namespace
}  // namespace zorvane::posix
