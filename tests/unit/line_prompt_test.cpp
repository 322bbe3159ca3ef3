#include "platform/posix/terminal/line_prompt.h"

#include <gtest/gtest.h>

#include <clocale>

namespace zorvane::posix {
namespace {

TEST(LinePrompt, ReturnLettersAndEscapeAnswerAsTheBoxDoes) {
  const BoxStyle yesNoCancel = *ReadStyle(256 + 3);
  EXPECT_EQ(AnswerOfLine("", yesNoCancel), 7);  // the default, button 2
  EXPECT_EQ(AnswerOfLine(" Y ", yesNoCancel), 6);
  EXPECT_EQ(AnswerOfLine("c", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("\x1b", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("yes", yesNoCancel), 6);  // the whole label, in any case
  EXPECT_EQ(AnswerOfLine("CANCEL", yesNoCancel), 2);
  EXPECT_EQ(AnswerOfLine("ye", yesNoCancel), std::nullopt);
  EXPECT_EQ(AnswerOfLine("x", yesNoCancel), std::nullopt);
  EXPECT_EQ(AnswerOfLine("\x1b", *ReadStyle(4)), std::nullopt);  // Yes/No ignores Escape
}

TEST(LinePrompt, OkAndCancelTakeTheirFirstLetterOnlyWhereItIsFree) {
  EXPECT_EQ(PromptLetters(*ReadStyle(1)), (std::vector<wchar_t>{L'o', L'c'}));
  EXPECT_EQ(PromptLetters(*ReadStyle(6)), (std::vector<wchar_t>{0, L't', L'c'}));
}

TEST(LinePrompt, TextHoldsNoControlByte) {
  const std::string prompt = PromptText("a\x1b[2J\r\nb\x07", "t\x1b]0;x\x07", *ReadStyle(4));
  for (unsigned char byte : prompt) EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte < 0x7f));
  EXPECT_NE(prompt.find("Yes [Y], No [N] (Return: Yes)? "), std::string::npos);
}

TEST(LinePrompt, SpeaksTheLabelsLanguageAndShowsNoLetterTwice) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  BoxStyle style = *ReadStyle(3);
  style.buttons = {MakeButton("はい(_Y)", 6), MakeButton("いいえ(_N)", 7),
                   MakeButton("キャンセル", 2)};
  style.keyNames = {"Enter", "Esc"};
  const std::string prompt = PromptText("x", "t", style);
  EXPECT_NE(prompt.find("はい(Y), いいえ(N), キャンセル [C] (Enter: はい(Y), Esc: キャンセル)? "),
            std::string::npos)
      << prompt;
  EXPECT_EQ(AnswerOfLine("はい(y)", style), 6);
  EXPECT_EQ(AnswerOfLine("C", style), 2);  // typed without an input method
  style.buttons = {MakeButton("확인", 1), MakeButton("취소", 2)};
  EXPECT_NE(PromptText("x", "t", style).find("확인 [O], 취소 [C] ("), std::string::npos);
  style.buttons = {MakeButton("Гаразд", 1), MakeButton("Скасувати", 2)};
  EXPECT_EQ(AnswerOfLine("с", style), 2);  // a letter typed directly stays the label's
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
