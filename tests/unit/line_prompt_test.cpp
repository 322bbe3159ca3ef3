#include "platform/posix/terminal/line_prompt.h"

#include <gtest/gtest.h>

#include <clocale>

#include "platform/posix/box_labels.h"

namespace zorvane::posix {
namespace {

TEST(LinePrompt, ReturnLettersAndEscapeAnswerAsTheBoxDoes) {
  const BoxLayout yesNoCancel = *LayOutBox(256 + 3);
  EXPECT_EQ(AnswerOfLine("", yesNoCancel), 7);  // the default, button 2
  EXPECT_EQ(AnswerOfLine(" Y ", yesNoCancel), 6);
  EXPECT_EQ(AnswerOfLine("c", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("\x1b", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("yes", yesNoCancel), 6);  // the whole label, in any case
  EXPECT_EQ(AnswerOfLine("CANCEL", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("ye", yesNoCancel), std::nullopt);
  EXPECT_EQ(AnswerOfLine("x", yesNoCancel), std::nullopt);
  EXPECT_EQ(AnswerOfLine("\x1b", *LayOutBox(4)), std::nullopt);  // Yes/No ignores Escape
}

TEST(LinePrompt, OkAndCancelTakeTheirFirstLetterOnlyWhereItIsFree) {
  EXPECT_EQ(PromptLetters(*LayOutBox(1)), (std::vector<wchar_t>{L'o', L'c'}));
  EXPECT_EQ(PromptLetters(*LayOutBox(6)), (std::vector<wchar_t>{0, L't', L'c'}));
}

TEST(LinePrompt, TextHoldsNoControlByte) {
  const std::string prompt = PromptText("a\x1b[2J\r\nb\x07", "t\x1b]0;x\x07", *LayOutBox(4));
  for (unsigned char byte : prompt) EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte < 0x7f));
  EXPECT_NE(prompt.find("Yes [Y], No [N] (Return: Yes)? "), std::string::npos);
}

TEST(LinePrompt, SpeaksTheLabelsLanguageAndShowsNoLetterTwice) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  BoxLayout layout = *LayOutBox(3);
  layout.buttons[0].label = "はい(_Y)";
  layout.buttons[1].label = "いいえ(_N)";
  layout.buttons[2].label = "キャンセル";
  layout.keyNames = {"Enter", "Esc"};
  const std::string prompt = PromptText("x", "t", layout);
  EXPECT_NE(prompt.find("はい(Y), いいえ(N), キャンセル [キ] (Enter: はい(Y), Esc: キャンセル)? "),
            std::string::npos)
      << prompt;
  EXPECT_EQ(AnswerOfLine("はい(y)", layout), 6);
  std::setlocale(LC_ALL, "C");
}

TEST(OneLanguage, ABoxWithAnyLabelUntranslatedIsAllEnglish) {
  const std::vector<std::string> english = {"_Cancel", "_Try Again", "_Continue"};
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", std::nullopt, std::nullopt}), english);
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", "_Wiederholen", "W_eiter"}),
            (std::vector<std::string>{"Abbrechen", "_Wiederholen", "W_eiter"}));
}

}  // namespace
}  // namespace zorvane::posix
