#include "platform/posix/box/box_style.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace zorvane::posix {
namespace {

std::string Describe(std::int32_t word) {
  const std::optional<BoxStyle> style = ReadStyle(word);
  if (!style) return "none";
  std::string out;
  for (std::size_t i = 0; i < style->buttons.size(); ++i) {
    const Button& button = style->buttons[i];
    out += button.label + "=" + std::to_string(button.code);
    out += i == style->defaultButton ? "* " : " ";
  }
  return out + "esc=" + std::to_string(style->escapeCode);
}

TEST(ReadStyle, ButtonSetsCodesAndEscapeFollowWindows) {
  EXPECT_EQ(Describe(0), "OK=1* esc=1");
  EXPECT_EQ(Describe(1), "OK=1* Cancel=2 esc=2");
  EXPECT_EQ(Describe(2), "Abort=3* Retry=4 Ignore=5 esc=0");
  EXPECT_EQ(Describe(3), "Yes=6* No=7 Cancel=2 esc=2");
  EXPECT_EQ(Describe(4), "Yes=6* No=7 esc=0");
  EXPECT_EQ(Describe(5), "Retry=4* Cancel=2 esc=2");
  EXPECT_EQ(Describe(6), "Cancel=2* Try Again=10 Continue=11 esc=2");
  EXPECT_EQ(Describe(7), "none");
  EXPECT_EQ(Describe(0x1377), "none");
}

TEST(ReadStyle, DefaultButtonFallsBackToFirstBeyondTheSet) {
  EXPECT_EQ(Describe(256 + 4), "Yes=6 No=7* esc=0");
  EXPECT_EQ(Describe(512 + 3), "Yes=6 No=7 Cancel=2* esc=2");
  EXPECT_EQ(Describe(512 + 4), "Yes=6* No=7 esc=0");
  EXPECT_EQ(Describe(768 + 2), "Abort=3* Retry=4 Ignore=5 esc=0");
  EXPECT_EQ(Describe(256), "OK=1* esc=1");
}

TEST(ReadStyle, IconsAndSystemModal) {
  const BoxIcon expected[8] = {BoxIcon::NoIcon,  BoxIcon::Error,       BoxIcon::Question,
                               BoxIcon::Warning, BoxIcon::Information, BoxIcon::NoIcon,
                               BoxIcon::NoIcon,  BoxIcon::NoIcon};
  for (int group = 0; group < 8; ++group) {
    EXPECT_EQ(ReadStyle(group * 16)->icon, expected[group]) << group * 16;
  }
  EXPECT_TRUE(ReadStyle(4096)->systemModal);
  EXPECT_FALSE(ReadStyle(68)->systemModal);
}

TEST(AccessKey, LettersAsWindowsGivesThem) {
  std::string keys;
  for (int set = 0; set < 7; ++set) {
    const std::optional<BoxStyle> style = ReadStyle(set);
    for (const Button& button : style->buttons) {
      keys += button.keyAt == std::string::npos ? '-' : button.label[button.keyAt];
      keys += button.letter ? static_cast<char>(button.letter) : '-';
    }
    keys += ' ';
  }
  EXPECT_EQ(keys, "-- ---- AaRrIi YyNn-- YyNn Rr-- --TtCc ");
}

// A translated label is parsed in the user's encoding: its access key may
// be any character, and the first of several marks is the key.
TEST(AccessKey, ALabelIsParsedOnceInTheLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  const Button yes = MakeButton("はい(_Y)", 6), abbrechen = MakeButton("_Übernehmen", 1);
  EXPECT_EQ(yes.label, "はい(Y)");
  EXPECT_EQ(yes.letter, L'y');
  EXPECT_EQ(abbrechen.letter, L'ü');
  EXPECT_EQ(ButtonOfLetter({yes, abbrechen}, L'Ü'), 1u);
  EXPECT_EQ(ButtonOfLetter({yes, abbrechen}, L'x'), std::nullopt);
  EXPECT_EQ(MakeButton("End_", 1).keyAt, std::string::npos);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
