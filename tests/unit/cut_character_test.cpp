#include "platform/posix/box/cut_character.h"

#include <gtest/gtest.h>

#include <clocale>

namespace zorvane::posix {
namespace {

// 83 three-byte characters and the first byte of one more: 250 bytes.
TEST(DropCutCharacter, ACharacterCutByTheLimitIsDropped) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  std::string cut;
  for (int i = 0; i < 83; ++i) cut += "\u20ac";
  const std::string whole = cut;
  cut += "\xe2";
  EXPECT_EQ(DropCutCharacter(cut, 250), whole);
  EXPECT_EQ(DropCutCharacter(whole + "x", 250), whole + "x");
  EXPECT_EQ(DropCutCharacter("short \xe2", 250), "short \xe2");  // not cut: shown as broken
  std::setlocale(LC_ALL, "C");  // in the C locale too, the rest being UTF-8
  EXPECT_EQ(DropCutCharacter(cut, 250), whole);
  EXPECT_EQ(DropCutCharacter("\xff" + cut.substr(1), 250), "\xff" + cut.substr(1));
}

}  // namespace
}  // namespace zorvane::posix
