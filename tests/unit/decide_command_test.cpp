#include "cli/decide_command.h"

#include <gtest/gtest.h>

#include "cli/argument_text.h"

namespace zorvane {
namespace {

Decision Decide(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "zorvane.exe");
  std::vector<const char*> values;
  for (const std::string& argument : arguments) values.push_back(argument.c_str());
  return DecideCommand({static_cast<int>(values.size()), values.data()});
}

void ExpectBox(const Decision& decision, const std::string& text, const std::string& title,
               std::int32_t style) {
  ASSERT_FALSE(decision.showUsage);
  EXPECT_EQ(View(decision.box.text), text);
  EXPECT_EQ(View(decision.box.title), title);
  EXPECT_EQ(decision.box.style, style);
}

TEST(ArgumentText, MissingIndexIsEmpty) {
  const char* values[] = {"prog", "one"};
  const Arguments arguments{2, values};
  EXPECT_EQ(ArgumentText(arguments, 1), "one");
  EXPECT_EQ(ArgumentText(arguments, 2), "");
  EXPECT_EQ(ArgumentText(arguments, -1), "");
}

TEST(TrimSpaces, OnlySpacesInFrontSpacesAndNulsBehind) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("    "), "");
  EXPECT_EQ(TrimSpaces(""), "");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces(std::string("a \0 \0", 5)), "a");
  EXPECT_EQ(TrimSpaces(std::string("\0a", 2)), std::string("\0a", 2));
}

TEST(LeftText, CutsToCount) {
  EXPECT_EQ(LeftText("abc", 2), "ab");
  EXPECT_EQ(LeftText("abc", 5), "abc");
  EXPECT_EQ(LeftText("abc", 0), "");
  EXPECT_EQ(LeftText("abc", -3), "");
}

TEST(DecideCommand, UsageWithoutText) {
  EXPECT_TRUE(DecideCommand({}).showUsage);
  EXPECT_TRUE(Decide({}).showUsage);
  EXPECT_TRUE(Decide({""}).showUsage);
  EXPECT_TRUE(Decide({"   "}).showUsage);
  EXPECT_TRUE(Decide({"", "Title", "64"}).showUsage);
}

TEST(DecideCommand, UsageOnlyForExactHelpWords) {
  EXPECT_TRUE(Decide({"/?"}).showUsage);
  EXPECT_TRUE(Decide({"-?"}).showUsage);
  EXPECT_TRUE(Decide({"  /?  "}).showUsage);
  EXPECT_TRUE(Decide({"-?", "title", "16"}).showUsage);
  for (const char* nearMiss : {"/h", "/?x", "?", "--?", "-h", "/ ?", "\t/?", "/?\t", "-?-"}) {
    EXPECT_FALSE(Decide({nearMiss}).showUsage) << nearMiss;
  }
}

// The Windows entry asks this of the arguments as typed, before wildcard
// expansion; it must agree with the decision on every help word.
TEST(AsksForUsage, OnlyTheHelpWordsAsTyped) {
  const auto asks = [](std::vector<const char*> values) {
    values.insert(values.begin(), "zorvane.exe");
    return AsksForUsage({static_cast<int>(values.size()), values.data()});
  };
  EXPECT_TRUE(asks({"/?"}));
  EXPECT_TRUE(asks({"  -?  ", "Title", "16"}));
  for (std::vector<const char*> other :
       std::vector<std::vector<const char*>>{{}, {""}, {"/h"}, {"-x"}, {"Text", "/?"}}) {
    EXPECT_FALSE(asks(other)) << other.size();
  }
}

TEST(DecideCommand, DefaultsAndTheUsageExample) {
  ExpectBox(Decide({"Hello"}), "Hello", "Zorvane", 1);
  ExpectBox(Decide({"Line 1 of text ...\\nLine 2 of text ...", "My title", "68"}),
            "Line 1 of text ...\r\nLine 2 of text ...", "My title", 68);
  ExpectBox(Decide({"Hi", "  ", "64"}), "Hi", "Zorvane", 64);
  ExpectBox(Decide({"Hi", "", "  "}), "Hi", "Zorvane", 1);
  ExpectBox(Decide({"Hi", " T ", "4", "extra", "16"}), "Hi", "T", 4);
}

TEST(DecideCommand, TitleKeepsEscapesAsTyped) {
  ExpectBox(Decide({"a\\nb", "x\\ny"}), "a\r\nb", "x\\ny", 1);
}

TEST(DecideCommand, StyleIsMasked) {
  EXPECT_EQ(Decide({"t", "", "8192"}).box.style, 0);
  EXPECT_EQ(Decide({"t", "", "16384"}).box.style, 0);
  EXPECT_EQ(Decide({"t", "", "-1"}).box.style, 4983);
  EXPECT_EQ(Decide({"t", "", "&HFFFFFFFF"}).box.style, StyleMask);
  EXPECT_EQ(Decide({"t", "", "8"}).box.style, 0);
  EXPECT_EQ(Decide({"t", "", "768"}).box.style, 768);
  EXPECT_EQ(Decide({"t", "", "4096"}).box.style, 4096);
  EXPECT_EQ(Decide({"t", "", "abc"}).box.style, 0);
  EXPECT_EQ(Decide({"t", "", "&H"}).box.style, 0);
}

TEST(DecideCommand, TrimBeforeCutAndNoTrimAfter) {
  const std::string body(300, 'x');
  ExpectBox(Decide({"   " + body}), std::string(250, 'x'), "Zorvane", 1);
  const std::string helpThenSpaces = "-?" + std::string(248, ' ') + "z";
  ExpectBox(Decide({helpThenSpaces}), "-?" + std::string(248, ' '), "Zorvane", 1);
  ExpectBox(Decide({"t", std::string(260, 'T')}), "t", std::string(250, 'T'), 1);
}

TEST(DecideCommand, CutHappensBeforeEscapes) {
  const std::string cutEscape = std::string(249, 'a') + "\\n";
  ExpectBox(Decide({cutEscape}), std::string(249, 'a') + "\\", "Zorvane", 1);
  const std::string lastEscape = std::string(248, 'a') + "\\nzz";
  ExpectBox(Decide({lastEscape}), std::string(248, 'a') + "\r\n", "Zorvane", 1);
}

TEST(DecideCommand, HostileBytesPassThroughBounded) {
  const std::string huge(32 * 1024, '%');
  const Decision decision = Decide({huge, huge, huge});
  EXPECT_EQ(decision.box.text.size, 250u);
  EXPECT_EQ(decision.box.title.size, 250u);
  EXPECT_EQ(decision.box.style, 0);
  ExpectBox(Decide({"%s%n\x01\x1f\x80\xff", "\t"}), "%s%n\x01\x1f\x80\xff", "\t", 1);
}

}  // namespace
}  // namespace zorvane
