#include "platform/posix/terminal/frame.h"

#include <gtest/gtest.h>

#include <clocale>

#include "fake_terminal.h"

namespace zorvane::posix {
namespace {

// Every look the box uses, and some it might: plain, each attribute alone
// and together, colours with and without attributes.
const Look Looks[] = {{},
                      {Bold, 0},
                      {Underline, 0},
                      {Reverse, 0},
                      {Bold | Underline, 0},
                      {Underline | Reverse, 0},
                      {Bold, 31},
                      {0, 34},
                      {Bold | Reverse, 33},
                      {Underline, 31}};
constexpr int LookCount = sizeof Looks / sizeof Looks[0];

// Rows of characters, narrow and wide, whose looks run through the table
// from `shift` on, each row `stride` further, so that every look meets
// every other.
Frame Patterned(int shift, int stride) {
  Frame frame = BlankFrame({LookCount, LookCount * 2});
  for (int row = 0; row < LookCount; ++row) {
    for (int column = 0; column < LookCount * 2; column += 2) {
      const Look look = Looks[(row * stride + column / 2 + shift) % LookCount];
      Put(frame, row, column, column % 4 ? "ab" : "x", look);
    }
  }
  return frame;
}

// Whatever the looks were before, the terminal ends up with the cells'
// own, and then the plain look; no SGR code is one the terminal does not know.
TEST(FrameUpdate, EveryLookFromEveryOther) {
  const Frame frames[] = {BlankFrame({LookCount, LookCount * 2}), Patterned(0, 1), Patterned(3, 1),
                          Patterned(1, 3), Patterned(7, 7)};
  for (const Frame& before : frames) {
    for (const Frame& after : frames) {
      FakeTerminal terminal(after.screen);
      terminal.Feed(FrameUpdate(nullptr, before));
      terminal.Feed(FrameUpdate(&before, after));
      EXPECT_EQ(terminal.cells, after.cells);
      EXPECT_EQ(terminal.look, Look{});
      EXPECT_EQ(terminal.unknown, "");
    }
  }
}

TEST(Put, AWideCharacterOverAnotherLeavesNoHalf) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  Frame frame = BlankFrame({1, 6});
  Put(frame, 0, 0, "\xe4\xb8\xad\xe4\xb8\xad", {});  // two wide characters
  Put(frame, 0, 1, "x", {});                         // over the first one's right half
  EXPECT_EQ(frame.cells[0].glyph, " ");
  EXPECT_EQ(frame.cells[1].glyph, "x");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
