#include "platform/posix/terminal/terminal_text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace zorvane::posix {
namespace {

class TerminalText : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

std::vector<std::string> Wrapped(std::string_view text, int width) {
  std::vector<std::string> lines;
  for (const TerminalLine& line : WrapTerminalText(text, width)) lines.push_back(line.bytes);
  return lines;
}

TEST_F(TerminalText, ControlBytesNeverReachTheTerminal) {
  const TerminalLine line = SafeTerminalLine("a\x1b[2Jb\x07\x7f\t");
  EXPECT_EQ(line.bytes, "a\u241b[2Jb\u2407\u2421\u2409");
  EXPECT_EQ(line.columns, 9);
  EXPECT_EQ(SafeTerminalLine("\xc2\x9b"
                             "31m")
                .bytes,
            "\uFFFD31m");  // C1 CSI
  EXPECT_EQ(SafeTerminalLine("x\r\ny").bytes, "x\u240d\u240ay");
}

TEST_F(TerminalText, UndecodableBytesShowAsReplacement) {
  EXPECT_EQ(SafeTerminalLine("caf\xe9!").bytes, "caf\uFFFD!");
  EXPECT_EQ(SafeTerminalLine("cut \xe2\x82").bytes, "cut \uFFFD\uFFFD");
  EXPECT_EQ(SafeTerminalLine("\xe2\x82\xac").bytes, "\xe2\x82\xac");
  EXPECT_EQ(SafeTerminalLine("\xe2\x82\xac").columns, 1);
}

TEST_F(TerminalText, PlaceholdersAreAsciiOutsideUtf8) {
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(SafeTerminalLine("a\x1b"
                             "b\xe9")
                .bytes,
            "a?b?");
}

TEST_F(TerminalText, SplitsAtEveryKindOfLineBreak) {
  EXPECT_EQ(Wrapped("one\r\ntwo\nthree\rfour", 80),
            (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(Wrapped("", 80), (std::vector<std::string>{""}));
  EXPECT_EQ(Wrapped("a\r\n\r\nb", 80), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(TerminalText, WrapsAtSpacesElseHard) {
  EXPECT_EQ(Wrapped("aaa bbb ccc", 6), (std::vector<std::string>{"aaa ", "bbb ", "ccc"}));
  EXPECT_EQ(Wrapped("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(Wrapped("\u4e2d\u6587\u5b57", 4), (std::vector<std::string>{"\u4e2d\u6587", "\u5b57"}));
  EXPECT_EQ(Wrapped("\u4e2d", 1), (std::vector<std::string>{"\u4e2d"}));
  for (const TerminalLine& line : WrapTerminalText(std::string(1000, 'x'), 33)) {
    EXPECT_LE(line.columns, 33);
  }
}

// A base and its marks are one cluster: measured by the base, never cut
// or wrapped apart; a mark with nothing before it sits on a no-break space.
TEST_F(TerminalText, ClustersStayWhole) {
  const std::string thai = "\u0e14\u0e34\u0e2a\u0e01\u0e4c";  // 3 columns
  EXPECT_EQ(SafeTerminalLine(thai).columns, 3);
  EXPECT_EQ(ClusterAt(thai).length, 6u);
  EXPECT_EQ(ClusterAt("e\u0301x").length, 3u);
  EXPECT_EQ(Wrapped(thai, 1), (std::vector<std::string>{"\u0e14\u0e34", "\u0e2a", "\u0e01\u0e4c"}));
  EXPECT_EQ(FitTerminalLine("cafe\u0301s", 4, {"", 0}).bytes, "cafe\u0301");
  EXPECT_EQ(FitTerminalLine("cafe\u0301s", 3, {"", 0}).bytes, "caf");
  const TerminalLine lone = SafeTerminalLine("\u0301x");
  EXPECT_EQ(lone.bytes, "\u00a0\u0301x");
  EXPECT_EQ(lone.columns, 2);
}

}  // namespace
}  // namespace zorvane::posix
