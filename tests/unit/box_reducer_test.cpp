#include "platform/posix/terminal/box_reducer.h"

#include <gtest/gtest.h>

#include <string>

#include "apply_keys.h"

namespace zorvane::posix {
namespace {

// 40 numbered lines in a Yes/No box at 80x24: 19 rows of text show at
// once, so a page is 19 lines and the last scroll is 21.
std::string Tall() {
  std::string text;
  for (int line = 1; line <= 40; ++line) text += std::to_string(line) + "\n";
  return text.substr(0, text.size() - 1);
}

// `bytes` as one read, with the quiet after it where `quiet`.
Outcome Apply(int style, std::string_view bytes, BoxView start = {}, bool quiet = false,
              const std::string& text = "x") {
  const BoxStyle boxStyle = *ReadStyle(style);
  return ApplyReads(boxStyle, Measure(text, "t", boxStyle, {24, 80}), {}, {std::string(bytes)},
                    quiet, start);
}

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
    const BoxState state = Apply(test.style, test.bytes).state;
    EXPECT_EQ(state.answer, test.answer) << test.name;
    if (!test.answer) {
      EXPECT_EQ(state.view.focus, test.focus) << test.name;
    }
  }
}

// Every key the box knows, as a terminal sends it, from a given view:
// where the focus and the scroll go, and what it answers.
TEST(Reduce, EveryKeyDoesWhatItSays) {
  struct KeyCase {
    const char* name;
    int style;
    const char* bytes;
    BoxView from;
    BoxView to;
    std::optional<int> answer;
  };
  const KeyCase cases[] = {
      {"Up", 4, "\x1b[A", {0, 5}, {0, 4}, std::nullopt},
      {"Up at the top", 4, "\x1b[A", {0, 0}, {0, 0}, std::nullopt},
      {"Down", 4, "\x1b[B", {0, 5}, {0, 6}, std::nullopt},
      {"Down at the end", 4, "\x1b[B", {0, 21}, {0, 21}, std::nullopt},
      {"PgUp", 4, "\x1b[5~", {0, 20}, {0, 1}, std::nullopt},
      {"PgUp near the top", 4, "\x1b[5~", {0, 5}, {0, 0}, std::nullopt},
      {"PgDn", 4, "\x1b[6~", {0, 0}, {0, 19}, std::nullopt},
      {"PgDn near the end", 4, "\x1b[6~", {0, 10}, {0, 21}, std::nullopt},
      {"Home", 4, "\x1b[H", {0, 7}, {0, 0}, std::nullopt},
      {"End", 4, "\x1b[F", {0, 3}, {0, 21}, std::nullopt},
      {"Tab", 3, "\t", {1, 0}, {2, 0}, std::nullopt},
      {"Tab past the last", 3, "\t", {2, 0}, {0, 0}, std::nullopt},
      {"Shift+Tab", 3, "\x1b[Z", {0, 0}, {2, 0}, std::nullopt},
      {"Right", 3, "\x1b[C", {0, 0}, {1, 0}, std::nullopt},
      {"Left", 3, "\x1b[D", {1, 0}, {0, 0}, std::nullopt},
      {"Return on the focus", 3, "\r", {1, 0}, {1, 0}, 7},
      {"Space on the focus", 3, " ", {2, 0}, {2, 0}, 2},
      {"Escape with Cancel", 3, "\x1b", {0, 0}, {0, 0}, 2},
      {"Escape without", 4, "\x1b", {0, 0}, {0, 0}, std::nullopt},
      {"an access letter", 4, "N", {0, 0}, {0, 0}, 7},
      {"no access letter", 4, "x", {0, 5}, {0, 5}, std::nullopt},
      {"Alt+n with Cancel: Escape", 3, "\x1bn", {0, 0}, {0, 0}, 2},
      {"Alt+n without: n", 4, "\x1bn", {0, 0}, {0, 0}, 7},
  };
  for (const KeyCase& test : cases) {
    const BoxState state = Apply(test.style, test.bytes, test.from, true, Tall()).state;
    EXPECT_EQ(state.answer, test.answer) << test.name;
    EXPECT_EQ(state.view.focus, test.to.focus) << test.name;
    EXPECT_EQ(state.view.scroll, test.to.scroll) << test.name;
  }
}

// The caller's control keys become effects, whichever way they come:
// Ctrl-Z as a byte (the box's mode leaves suspend to the box), Ctrl-C
// through the keyboard protocol. The terminal's replies are the lease's
// and change nothing here; after the answer nothing counts.
TEST(Reduce, ControlKeysAreEffectsRepliesAreNothing) {
  using E = std::vector<Effect>;
  EXPECT_EQ(Apply(4, "\x1b[?1u\x1b[?62c").effects, E{});
  EXPECT_EQ(Apply(4, "\x1a\x1b[99;5u\x1c").effects,
            (E{Effect::Suspend, Effect::Interrupt, Effect::Quit}));
  EXPECT_EQ(Apply(4, "\x01\x1b[120;5u").effects, E{});  // Ctrl-A, Ctrl-X: nobody's keys
  const Outcome answered = Apply(4, "y\x03\t\x1b[?1u\x1b[?62c");
  EXPECT_EQ(answered.state.answer, 6);
  EXPECT_EQ(answered.state.view.focus, 0u);
  EXPECT_EQ(answered.effects, E{});
}

TEST(Clamped, AViewStaysInsideABoxMeasuredAnew) {
  const BoxStyle style = *ReadStyle(4);
  const BoxGeometry tall = Measure(Tall(), "t", style, {24, 80});
  EXPECT_EQ(Clamped({1, 100}, tall).scroll, 21u);
  EXPECT_EQ(Clamped({1, 100}, tall).focus, 1u);
  EXPECT_EQ(Clamped({0, 100}, Measure("x", "t", style, {24, 80})).scroll, 0u);
}

}  // namespace
}  // namespace zorvane::posix
