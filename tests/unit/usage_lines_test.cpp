#include "cli/usage_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvane {
namespace {

TEST(UsageLines, OwnLinesNameTheVersionAndHaveNoStrayBytes) {
  EXPECT_EQ(std::string(UsageLines[0]).rfind("ZORVANE " ZORVANE_VERSION " - ", 0), 0u);
  for (std::string_view line : UsageLines) {
    EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
    EXPECT_EQ(line.find_first_of("\r\n\t"), std::string_view::npos) << line;
  }
}

TEST(UsagePieces, EachLineThenItsOwnLineEnd) {
  const auto& pieces = UsagePieces;
  std::string joined;
  std::size_t lineEnds = 0;
  for (std::string_view piece : pieces) {
    EXPECT_FALSE(piece.empty());
    lineEnds += piece == "\r\n";
    joined += piece;
  }
  EXPECT_EQ(lineEnds, 23u);
  EXPECT_EQ(pieces.size(), 23u + 15u);  // 15 lines have text
  EXPECT_EQ(joined.substr(joined.size() - 2), "\r\n");
  EXPECT_NE(joined.find("\r\n\r\nShows a Messagebox"), std::string::npos);
}

}  // namespace
}  // namespace zorvane
