#include "platform/posix/desktop/gtk/utf8_text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace zorvane::posix {
namespace {

TEST(LocaleTextToUtf8, Utf8LocaleKeepsValidTextAndReplacesTheRest) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  EXPECT_EQ(LocaleTextToUtf8("<b>bold</b> &amp; %s%n"), "<b>bold</b> &amp; %s%n");
  EXPECT_EQ(LocaleTextToUtf8("\xe2\x82\xac"), "\xe2\x82\xac");
  EXPECT_EQ(LocaleTextToUtf8("caf\xe9"), "caf\uFFFD");
  EXPECT_EQ(LocaleTextToUtf8("cut \xe2\x82"), "cut \uFFFD\uFFFD");
  EXPECT_EQ(LocaleTextToUtf8("\xff\xfe"), "\uFFFD\uFFFD");
  EXPECT_EQ(LocaleTextToUtf8(""), "");
}

TEST(LocaleTextToUtf8, CLocaleTakesUtf8AndReplacesOtherHighBytes) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(LocaleTextToUtf8("Gr\xc3\xbc\xc3\x9f"
                             "e aus K\xc3\xb6ln"),
            "Grüße aus Köln");
  EXPECT_EQ(LocaleTextToUtf8("ok \xe9\xe2"), "ok \uFFFD\uFFFD");
  EXPECT_EQ(LocaleTextToUtf8("plain"), "plain");
}

}  // namespace
}  // namespace zorvane::posix
