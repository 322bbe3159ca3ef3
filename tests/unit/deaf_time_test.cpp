#include "platform/posix/desktop/gtk/deaf_time.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvane::posix {
namespace {

constexpr std::int64_t Ms = 1000;

// Inputs as they reach the box, each "at time: action key": P press, M
// the rest of a multiple click, R release, A an auto-repeat press the X
// server marks, F the focus in, L the focus out. Spells what got through:
// the key for a press that counts, "r" for a release that does.
std::string Through(const std::vector<std::tuple<std::int64_t, char, InputId>>& inputs) {
  DeafTime state;
  std::string through;
  for (const auto& [at, what, key] : inputs) {
    const std::int64_t now = at * Ms;
    if (what == 'F') TookFocus(state, now);
    if (what == 'L') LostFocus(state);
    if (what == 'A') SawKeyPress(state, key, true);
    if (what == 'P') SawKeyPress(state, key, false);
    const InputAction action = what == 'R'   ? InputAction::Release
                               : what == 'M' ? InputAction::MultiClick
                                             : InputAction::Press;
    if (what == 'F' || what == 'L') continue;
    if (!Swallowed(state, action, key, now))
      through += what == 'R' ? std::string("r") : std::to_string(key);
  }
  return through;
}

TEST(DeafTime, TypingWithoutAPauseNeverAnswersAKeyAfterAPauseDoes) {
  // Typing every 110 ms from before the box had the focus: never heard.
  std::vector<std::tuple<std::int64_t, char, InputId>> typing = {{0, 'F', 0}};
  for (std::int64_t at = 50; at < 5000; at += 110) {
    typing.emplace_back(at, 'P', 1);
    typing.emplace_back(at + 40, 'R', 1);
  }
  EXPECT_EQ(Through(typing), "");
  typing.emplace_back(5700, 'P', 2);  // a pause, then a key for the box
  EXPECT_EQ(Through(typing), "2");
  // A person who reads the box and answers half a second on is heard.
  EXPECT_EQ(Through({{0, 'F', 0}, {500, 'P', 3}, {560, 'R', 3}}), "3r");
}

TEST(DeafTime, HeldKeysAndClicksFromBeforeAnswerNothing) {
  // A key held through the focus change: its repeats and release.
  EXPECT_EQ(Through({{0, 'F', 0}, {400, 'A', 5}, {450, 'A', 5}, {500, 'R', 5}, {900, 'P', 5}}),
            "5");
  // A double click begun while deaf is swallowed whole.
  EXPECT_EQ(Through({{0, 'F', 0},
                     {100, 'P', MouseButtonBase + 1},
                     {150, 'R', MouseButtonBase + 1},
                     {200, 'M', MouseButtonBase + 1},
                     {250, 'R', MouseButtonBase + 1}}),
            "");
  // Coming back to the box later: heard at once.
  EXPECT_EQ(Through({{0, 'F', 0}, {5000, 'L', 0}, {9000, 'F', 0}, {9010, 'P', 7}}), "7");
}

// A key pressed on the box and released in another window is held no
// more: coming back holding it, its repeats and release count nothing.
TEST(DeafTime, TheFocusLeavingForgetsHeldKeys) {
  EXPECT_EQ(Through({{0, 'F', 0},
                     {1000, 'P', 9},
                     {1100, 'L', 0},
                     {3000, 'F', 0},
                     {3100, 'A', 9},
                     {3200, 'R', 9}}),
            "9");
}

}  // namespace
}  // namespace zorvane::posix
