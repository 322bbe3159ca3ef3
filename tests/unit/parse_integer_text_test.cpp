#include "text/parse_integer_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zorvane {
namespace {

void ExpectAll(const std::vector<std::pair<std::string, std::int32_t>>& cases) {
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseIntegerText(text), expected) << "text: \"" << text << "\"";
  }
}

TEST(ParseIntegerText, DecimalReadsLikeA32BitStrtoul) {
  ExpectAll({{"68", 68},
             {"+64", 64},
             {"-1", -1},
             {"0", 0},
             {"-0", 0},
             {"  68", 68},
             {"\t64", 64},
             {"\n\v\f\r 7", 7},
             {"12abc", 12},
             {"abc", 0},
             {"0x40", 0},
             {"", 0},
             {"   ", 0},
             {"-", 0},
             {"+-5", 0},
             {"2147483648", INT32_MIN},
             {"4294967295", -1},
             {"-4294967295", 1},
             {"-2147483648", INT32_MIN}});
}

TEST(ParseIntegerText, DecimalSaturatesWhateverTheSign) {
  ExpectAll({{"4294967296", -1},
             {"-4294967296", -1},
             {"18446744073709551615", -1},
             {"-18446744073709551615", -1},
             {"99999999999999999999999999", -1},
             {"-99999999999999999999999999", -1}});
}

TEST(ParseIntegerText, AmpersandRadixForms) {
  ExpectAll({{"&H40", 64},
             {"&h40", 64},
             {"&O100", 64},
             {"&o100", 64},
             {"&B101", 5},
             {"&b101", 5},
             {"&100", 64},
             {"&9", 0},
             {"&B12", 1},
             {"&Hffffffff", -1},
             {"&HFFFFFFFF", -1},
             {"&H123456789", 0x23456789},
             {"&", 0},
             {"&H", 0},
             {"&O", 0},
             {"&B", 0},
             {"&-5", 0},
             {"&H-5", 0},
             {"&Hx1", 0},
             {"&H1x", 1},
             {"  &H40", 64},
             {"&o777", 511},
             {"&77777777777", -1},
             {"&HaBcD", 0xABCD}});
}

TEST(ParseIntegerText, PrefixCountsOnlyAsFirstByteAfterSpaces) {
  ExpectAll({{"\t&H40", 0}, {"+&H40", 0}, {"-&H40", 0}, {"1&H40", 1}});
}

TEST(ParseIntegerText, UnlistedBytesAfterAmpersandReadOctalFromThatByte) {
  for (int byte = 0; byte < 256; ++byte) {
    const char after = static_cast<char>(byte);
    if (std::string("HhOoBb").find(after) != std::string::npos) continue;
    const RadixPrefix prefix = LookUpRadixPrefix(after);
    EXPECT_EQ(prefix.radix, 8) << byte;
    EXPECT_EQ(prefix.digitOffset, 1) << byte;
  }
  EXPECT_EQ(RadixPrefixTable.size(), 46u);
}

TEST(ParseIntegerText, ReadsOnlyItsOwnBytes) {
  const std::string buffer = "&H4012";
  EXPECT_EQ(ParseIntegerText(std::string_view(buffer).substr(0, 4)), 0x40);
  EXPECT_EQ(ParseIntegerText(std::string_view("6899", 2)), 68);
}

}  // namespace
}  // namespace zorvane
