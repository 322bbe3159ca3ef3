#include "platform/posix/terminal/terminal_keys.h"

#include <gtest/gtest.h>

#include <clocale>

namespace zorvane::posix {
namespace {

// Every key `input` holds, in order, as letters: "<" Previous, ">" Next,
// "!" Press, "e" Escape, "^" Up, "v" Down, "." unused bytes, "…" waiting.
std::string Keys(std::string input, bool quiet = false) {
  std::string keys;
  while (!input.empty()) {
    const KeyPress press = TakeKey(input, quiet);
    switch (press.key) {
      case Key::Incomplete: return keys + "…";
      case Key::Next: keys += '>'; break;
      case Key::Previous: keys += '<'; break;
      case Key::Press: keys += '!'; break;
      case Key::Escape: keys += 'e'; break;
      case Key::Up: keys += '^'; break;
      case Key::Down: keys += 'v'; break;
      case Key::Letter: keys += static_cast<char>(press.letter); break;
      default: keys += '.'; break;
    }
  }
  return keys;
}

TEST(TakeKey, SequencesArrivingInPiecesNeverCountAsLetters) {
  EXPECT_EQ(Keys("\x1b["), "…");
  EXPECT_EQ(Keys("\x1b[", true), "…");  // however late the rest comes
  EXPECT_EQ(Keys("\x1b[1;5"), "…");
  EXPECT_EQ(Keys("\x1bO"), "…");
  EXPECT_EQ(Keys("\x1b[A\x1b[B\x1b[C\x1b[D\x1b[Z"), "^v><<");
  EXPECT_EQ(Keys("\x1bOC\t\r "), ">>!!");
}

TEST(TakeKey, UnknownSequencesAreIgnoredWhole) {
  EXPECT_EQ(Keys("\x1b[1;5Cy"), ".y");        // Ctrl+Right, then y
  EXPECT_EQ(Keys("\x1b[15~\x1bOPn"), "..n");  // F5, F1, then n
  EXPECT_EQ(Keys("\x1b[12\ry"), ".!y");       // broken off by Return
}

TEST(TakeKey, OnlyALoneEscapeWaitsForQuiet) {
  EXPECT_EQ(Keys("\x1b"), "…");
  EXPECT_EQ(Keys("\x1b", true), "e");
  EXPECT_EQ(Keys("\x1by"), "y");  // Alt+Y
  EXPECT_TRUE(WaitsForQuiet("\x1b"));
  EXPECT_FALSE(WaitsForQuiet("\x1b["));
}

TEST(TakeKey, LettersAreCharactersOfTheLocaleInLowerCase) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  std::string input = "\xd0\x94";  // Cyrillic capital De
  EXPECT_EQ(TakeKey(input, false).letter, L'\u0434');
  input = "\xd0";
  EXPECT_EQ(TakeKey(input, false).key, Key::Incomplete);
  EXPECT_EQ(Keys("Y\x01"), "y.");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
