#include "platform/posix/terminal/box_reducer.h"

#include <gtest/gtest.h>

namespace zorvane::posix {
namespace {

struct Case {
  const char* name;
  int style;
  std::string bytes;
  std::optional<int> answer;
  std::size_t focus;
};

// Bytes as a terminal sends them, and what the box makes of them.
TEST(TakeBytes, AnswersOnlyWhatWasPressed) {
  const Case cases[] = {
      {"colour reply, then Return on Cancel", 261, "\x1b]11;rgb:0000/0000/0000\x1b\\\r", 2, 1},
      {"version reply, then Return on Cancel", 6, "\x1bP>|XTerm(390)\x1b\\\r", 2, 0},
      {"graphics reply, then Return on Retry", 258, "\x1b_Gi=1;OK\x1b\\\r", 4, 1},
      {"mouse report whose column is n", 4, "\x1b[M nn", std::nullopt, 0},
      {"pasted no", 4, "\x1b[200~no\x1b[201~", std::nullopt, 0},
      {"Linux console F1 on Abort", 2, "\x1b[[A", std::nullopt, 0},
      {"Tab, then Return", 4, "\t\r", 7, 1},
      {"the access key", 3, "N", 7, 0},
      {"nothing after the answer counts", 4, "y\t\x1b[?1u", 6, 0},
      {"Escape where it answers nothing", 4, "\x1b\x1b", std::nullopt, 0},
      {"Escape then y where Escape answers", 3, "\x1by", 2, 0},
      {"Escape then y where Escape answers nothing", 4, "\x1by", 6, 0},
      {"Alt+Tab where Escape answers nothing", 4, "\x1b\t", std::nullopt, 1},
      {"a paste is no key", 4, "\x1b[200~ls -l\r\x1b[201~", std::nullopt, 0},
      {"keypad Right, then keypad Enter", 4, "\x1b[57418u\x1b[57414u", 7, 1},
      {"application keypad Enter", 4, "\x1bOM", 6, 0},
      {"a focus report with ^S inside", 2, "\x1b[\x13I", std::nullopt, 0},
      {"8-bit Up, then Return", 2,
       "\x9b"
       "A\r",
       3, 0},
      {"a mouse report in mode 1005", 4, "\x1b[M \xc3\xb8n", std::nullopt, 0},
  };
  for (const Case& test : cases) {
    const BoxStyle style = *ReadStyle(test.style);
    BoxState state = StartState(style);
    TakeBytes(style, state, test.bytes);
    EXPECT_EQ(state.answer, test.answer) << test.name;
    if (!test.answer) {
      EXPECT_EQ(state.view.focus, test.focus) << test.name;
    }
  }
}

TEST(TakeBytes, RepliesCountEvenAfterTheAnswer) {
  const BoxStyle style = *ReadStyle(4);
  BoxState state = StartState(style);
  TakeBytes(style, state, "y\x1b[?1u\x1b[?62c\x03");
  EXPECT_EQ(state.answer, 6);
  EXPECT_TRUE(state.keyboardProtocol);
  EXPECT_TRUE(state.replied);
  EXPECT_EQ(state.controls, "");
}

// Ctrl-Z comes as a byte (the box's mode leaves suspend to the box), Ctrl-C
// through the keyboard protocol: both are handed on as controls, in order.
TEST(TakeBytes, ControlKeysAreHandedOn) {
  const BoxStyle style = *ReadStyle(4);
  BoxState state = StartState(style);
  TakeBytes(style, state, "\x1a\x1b[99;5u");
  EXPECT_EQ(state.controls, "\x1a\x03");
  EXPECT_EQ(state.answer, std::nullopt);
}

TEST(TakeQuiet, ALoneEscapeAnswersWhereEscapeDoes) {
  const BoxStyle style = *ReadStyle(1);
  BoxState state = StartState(style);
  TakeBytes(style, state, "\x1b");
  EXPECT_EQ(state.answer, std::nullopt);
  TakeQuiet(style, state);
  EXPECT_EQ(state.answer, 2);
}

}  // namespace
}  // namespace zorvane::posix
