#include "platform/posix/box/labels.h"

#include <gtest/gtest.h>

namespace zorvane::posix {
namespace {

TEST(OneLanguage, ABoxWithAnyLabelUntranslatedIsAllEnglish) {
  const std::vector<std::string> english = {"_Cancel", "_Try Again", "_Continue"};
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", std::nullopt, std::nullopt}), english);
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", "_Wiederholen", "W_eiter"}),
            (std::vector<std::string>{"Abbrechen", "_Wiederholen", "W_eiter"}));
}

}  // namespace
}  // namespace zorvane::posix
