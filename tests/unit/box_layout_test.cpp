#include "platform/posix/box_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/posix/desktop/box_request.h"

namespace zorvane::posix {
namespace {

std::string Describe(std::int32_t style) {
  const std::optional<BoxLayout> layout = LayOutBox(style);
  if (!layout) return "none";
  std::string out;
  for (std::size_t i = 0; i < layout->buttons.size(); ++i) {
    const BoxButton& button = layout->buttons[i];
    out += PlainLabel(button.label) + "=" + std::to_string(button.code);
    out += i == layout->defaultButton ? "* " : " ";
  }
  return out + "esc=" + std::to_string(layout->escapeCode);
}

TEST(LayOutBox, ButtonSetsCodesAndEscapeFollowWindows) {
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

TEST(LayOutBox, DefaultButtonFallsBackToFirstBeyondTheSet) {
  EXPECT_EQ(Describe(256 + 4), "Yes=6 No=7* esc=0");
  EXPECT_EQ(Describe(512 + 3), "Yes=6 No=7 Cancel=2* esc=2");
  EXPECT_EQ(Describe(512 + 4), "Yes=6* No=7 esc=0");
  EXPECT_EQ(Describe(768 + 2), "Abort=3* Retry=4 Ignore=5 esc=0");
  EXPECT_EQ(Describe(256), "OK=1* esc=1");
}

TEST(LayOutBox, IconsAndSystemModal) {
  const BoxIcon expected[8] = {BoxIcon::NoIcon,  BoxIcon::Error,       BoxIcon::Question,
                               BoxIcon::Warning, BoxIcon::Information, BoxIcon::NoIcon,
                               BoxIcon::NoIcon,  BoxIcon::NoIcon};
  for (int group = 0; group < 8; ++group) {
    EXPECT_EQ(LayOutBox(group * 16)->icon, expected[group]) << group * 16;
  }
  EXPECT_TRUE(LayOutBox(4096)->systemModal);
  EXPECT_FALSE(LayOutBox(68)->systemModal);
}

TEST(AccessKey, LettersAsWindowsGivesThem) {
  std::string keys;
  for (int set = 0; set < 7; ++set) {
    const std::optional<BoxLayout> layout = LayOutBox(set);
    for (const BoxButton& button : layout->buttons) {
      const std::size_t key = AccessKeyAt(button.label);
      keys += key == std::string::npos ? '-' : button.label[key];
    }
    keys += ' ';
  }
  EXPECT_EQ(keys, "- -- ARI YN- YN R- -TC ");
}

// The box crosses to the GTK helper as its arguments and arrives whole;
// anything that is not a whole request is refused, never half shown.
TEST(HelperArguments, CarryTheBoxWholeAndRefuseTheRest) {
  BoxLayout layout = *LayOutBox(2 + 16 + 512 + 4096);
  layout.severity = "Kritisch";
  const BoxRequest request{"Text\r\n<b>%s</b>", "", layout};
  const std::vector<std::string> arguments = HelperArguments(request);
  const std::optional<BoxRequest> back = ReadHelperArguments(arguments);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->text, request.text);
  EXPECT_EQ(back->title, "");
  EXPECT_EQ(back->layout.icon, BoxIcon::Error);
  EXPECT_EQ(back->layout.defaultButton, 2u);
  EXPECT_EQ(back->layout.escapeCode, 0);
  EXPECT_TRUE(back->layout.systemModal);
  EXPECT_EQ(back->layout.severity, "Kritisch");
  ASSERT_EQ(back->layout.buttons.size(), 3u);
  EXPECT_EQ(back->layout.buttons[2].label, "_Ignore");
  EXPECT_EQ(back->layout.buttons[2].code, 5);
  std::vector<std::string> broken = arguments;
  broken.pop_back();  // a label without its code
  EXPECT_FALSE(ReadHelperArguments(broken));
  broken = arguments;
  broken[3] = "3";  // no fourth button to be the default
  EXPECT_FALSE(ReadHelperArguments(broken));
  broken[3] = "1x";
  EXPECT_FALSE(ReadHelperArguments(broken));
}

}  // namespace
}  // namespace zorvane::posix
