#include "platform/posix/box/helper_request.h"

#include <gtest/gtest.h>

namespace zorvane::posix {
namespace {

// The box crosses to the GTK helper as its arguments and arrives whole;
// anything that is not a whole request is refused, never half shown.
TEST(HelperArguments, CarryTheBoxWholeAndRefuseTheRest) {
  BoxStyle style = *ReadStyle(2 + 16 + 512 + 4096);
  style.severity = "Kritisch";
  const HelperRequest request{"Text\r\n<b>%s</b>", "", style};
  const std::vector<std::string> arguments = HelperArguments(request);
  const std::optional<HelperRequest> back = ReadHelperArguments(arguments);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->text, request.text);
  EXPECT_EQ(back->title, "");
  EXPECT_EQ(back->style.icon, BoxIcon::Error);
  EXPECT_EQ(back->style.defaultButton, 2u);
  EXPECT_EQ(back->style.escapeCode, 0);
  EXPECT_TRUE(back->style.systemModal);
  EXPECT_EQ(back->style.severity, "Kritisch");
  ASSERT_EQ(back->style.buttons.size(), 3u);
  EXPECT_EQ(back->style.buttons[2].marked, "_Ignore");
  EXPECT_EQ(back->style.buttons[2].letter, L'i');
  EXPECT_EQ(back->style.buttons[2].code, 5);
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
