#include "text/replace_text.h"

#include <gtest/gtest.h>

namespace zorvane {
namespace {

std::string Replaced(std::string_view source, std::string_view pattern,
                     std::string_view replacement) {
  return std::string(View(ReplaceText(source, pattern, replacement)));
}

std::string Unescape(std::string_view source) {
  return Replaced(source, LineBreakEscape, LineBreak);
}

TEST(ReplaceText, EscapesAnywhereBecomeLineBreaks) {
  EXPECT_EQ(Unescape(""), "");
  EXPECT_EQ(Unescape("no escape here"), "no escape here");
  EXPECT_EQ(Unescape("\\nstart"), "\r\nstart");
  EXPECT_EQ(Unescape("end\\n"), "end\r\n");
  EXPECT_EQ(Unescape("\\n\\n"), "\r\n\r\n");
  EXPECT_EQ(Unescape("Line 1\\nLine 2"), "Line 1\r\nLine 2");
}

TEST(ReplaceText, FailedCandidateIsCopiedWholeAndNotRescanned) {
  EXPECT_EQ(Unescape("\\\\n"), "\\\\n");
  EXPECT_EQ(Unescape("\\\\\\n"), "\\\\\r\n");
  EXPECT_EQ(Unescape("a\\tb\\n"), "a\\tb\r\n");
  EXPECT_EQ(Unescape("\\N"), "\\N");
  EXPECT_EQ(Unescape("trailing\\"), "trailing\\");
  EXPECT_EQ(Unescape("\\"), "\\");
}

TEST(ReplaceText, KeepsLengthAndEveryOtherByte) {
  std::string all;
  for (int byte = 1; byte < 251; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Unescape(all), all);  // the only backslash is followed by ']'
  const std::string full = std::string(248, 'x') + "\\n";
  EXPECT_EQ(Unescape(full), std::string(248, 'x') + "\r\n");  // 250 bytes: fits whole
  EXPECT_EQ(Replaced(full, "x", "yy").size(), 250u);          // a longer result is cut
  const std::string mixed = "\x01\\n\xff\\\\n\x80";
  EXPECT_EQ(Unescape(mixed).size(), mixed.size());
}

TEST(ReplaceText, GeneralPatterns) {
  EXPECT_EQ(Replaced("abc", "", "X"), "abc");
  EXPECT_EQ(Replaced("aXbXXc", "X", "--"), "a--b----c");
  EXPECT_EQ(Replaced("abcab", "abc", "Z"), "Zab");
  // "aabc": the candidate "aa" fails, so the "abc" starting inside it is not found.
  EXPECT_EQ(Replaced("aabc", "abc", "Z"), "aabc");
  EXPECT_EQ(Replaced("ab", "abc", "Z"), "ab");
}

}  // namespace
}  // namespace zorvane
