#include "platform/posix/terminal/terminal_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>

namespace zorvane::posix {
namespace {

// Keys as letters: "<" Previous, ">" Next, "!" Press, "e" Escape, "^" Up,
// "v" Down, "K" the keyboard protocol's reply, "A" the attributes reply,
// "C" a Ctrl key; a letter as itself.
std::string Spelled(const std::vector<KeyPress>& keys) {
  std::string spelled;
  for (const KeyPress& press : keys) {
    switch (press.key) {
      case Key::Next: spelled += '>'; break;
      case Key::Previous: spelled += '<'; break;
      case Key::Press: spelled += '!'; break;
      case Key::Escape: spelled += 'e'; break;
      case Key::Up: spelled += '^'; break;
      case Key::Down: spelled += 'v'; break;
      case Key::KeyboardProtocol: spelled += 'K'; break;
      case Key::DeviceAttributes: spelled += 'A'; break;
      case Key::Control: spelled += 'C'; break;
      case Key::Letter: spelled += static_cast<char>(press.letter); break;
      default: spelled += '.'; break;
    }
  }
  return spelled;
}

// `input` read in two pieces split at `split`, with the clock running out
// between them when `quiet`, and once more at the end.
std::string Keys(std::string_view input, std::size_t split, bool quiet) {
  KeyReader reader;
  std::vector<KeyPress> keys;
  ReadKeys(reader, input.substr(0, split), keys);
  if (quiet) ReadQuiet(reader, keys);
  ReadKeys(reader, input.substr(split), keys);
  return Spelled(keys);
}

std::string Keys(std::string_view input) {
  return Keys(input, input.size(), false);
}

std::string WithoutEscapes(std::string keys) {
  keys.erase(std::remove(keys.begin(), keys.end(), 'e'), keys.end());
  return keys;
}

struct Case {
  const char* name;
  std::string input;
  std::string keys;
};

const std::vector<Case> Cases = {
    {"arrows, Tab, Return, Space", "\x1b[A\x1b[B\x1b[C\x1b[D\x1b[Z\x1bOC\t\r ", "^v><<>>!!"},
    {"colour reply, ST", "\x1b]11;rgb:0000/0000/0000\x1b\\\r", "!"},
    {"colour reply, BEL", "\x1b]11;rgb:ffff/ffff/ffff\a\r", "!"},
    {"version reply (DCS)", "\x1bP>|XTerm(390)\x1b\\\r", "!"},
    {"graphics reply (APC)", "\x1b_Gi=1;OK\x1b\\\r", "!"},
    {"privacy message and SOS", "\x1b^no\x1b\\\x1bXyes\x1b\\\r", "!"},
    {"attributes and cursor replies", "\x1b[?62;22c\x1b[12;40R\x1b[?1;2c", "AA"},
    {"keyboard protocol reply", "\x1b[?1u", "K"},
    {"Linux console F1 and F5", "\x1b[[A\x1b[[E", ""},
    {"SS3 with a parameter", "\x1bO2P\x1bO5A", ""},
    {"unknown keys whole", "\x1b[1;5Cy\x1b[15~", "y"},
    {"X10 mouse report", "\x1b[M nn\x1b[M#a!y", "y"},
    {"SGR and urxvt mouse", "\x1b[<0;12;5M\x1b[<0;12;5m\x1b[32;110;5M", ""},
    {"focus reports", "\x1b[I\x1b[O", ""},
    {"bracketed paste", "\x1b[200~no \x1b[A\r\x1b[201~y", "y"},
    {"keyboard protocol keys", "\x1b[27u\x1b[9u\x1b[9;2u\x1b[121;3u\x1b[99;5u\x1b[13u", "e><yC!"},
    {"a control byte breaks a sequence off", "\x1b[12\ry", "!y"},
    {"ESC and a control byte: Escape, then the byte", "\x1b\t", "e>"},
    {"Alt and a letter", "\x1bn", "n"},
    {"two Escapes", "\x1b\x1b[A", "e^"},
    {"overlong parameters", "\x1b[" + std::string(100, '1') + "~y", "y"},
};

TEST(ReadKeys, EveryCaseAtEverySplit) {
  for (const Case& test : Cases) {
    EXPECT_EQ(Keys(test.input), test.keys) << test.name;
    for (std::size_t split = 0; split <= test.input.size(); ++split) {
      EXPECT_EQ(Keys(test.input, split, false), test.keys) << test.name << " split at " << split;
      // However late the rest of a sequence comes, no letter, press or
      // move comes of it; at most its ESC counts as Escape.
      EXPECT_EQ(WithoutEscapes(Keys(test.input, split, true)), WithoutEscapes(test.keys))
          << test.name << " split at " << split << " with a wait";
    }
  }
}

TEST(ReadKeys, OnlyALoneEscapeWaits) {
  KeyReader reader;
  std::vector<KeyPress> keys;
  ReadKeys(reader, "\x1b", keys);
  EXPECT_TRUE(keys.empty());
  EXPECT_GE(QuietWait(reader), 150);  // a key split by 150 ms is still that key
  ReadQuiet(reader, keys);
  EXPECT_EQ(Spelled(keys), "e");
  ReadKeys(reader, "OA", keys);  // the late rest of Up in application mode
  EXPECT_EQ(Spelled(keys), "e^");
  ReadKeys(reader, "[", keys);  // not late any more
  EXPECT_EQ(QuietWait(reader), -1);
}

TEST(ReadKeys, AStringBegunLateEndsWhenTheInputGoesQuiet) {
  KeyReader reader;
  std::vector<KeyPress> keys;
  ReadKeys(reader, "\x1b", keys);
  ReadQuiet(reader, keys);
  ReadKeys(reader, "P", keys);  // Escape, then a person typing P
  ReadQuiet(reader, keys);
  ReadKeys(reader, "y", keys);
  EXPECT_EQ(Spelled(keys), "ey");
}

TEST(ReadKeys, ALongControlStringKeepsNothing) {
  KeyReader reader;
  std::vector<KeyPress> keys;
  ReadKeys(reader, "\x1b]52;c;", keys);
  for (int i = 0; i < 1000; ++i) ReadKeys(reader, std::string(100, 'y'), keys);
  EXPECT_LE(reader.pending.size(), 32u);
  ReadKeys(reader, "\a\r", keys);
  EXPECT_EQ(Spelled(keys), "!");
}

TEST(ReadKeys, LettersAreCharactersOfTheLocaleInLowerCase) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  EXPECT_EQ(Keys("\xd0\x94"), "4");  // capital De read as small de, U+0434, spelled by its low byte
  for (std::size_t split = 0; split <= 4; ++split) {
    EXPECT_EQ(Keys("\x1b\xd0\x94y", split, false), "4y") << split;  // Alt+De keeps every byte
  }
  EXPECT_EQ(Keys("\xd0y"), "y");  // a broken character is dropped, not what broke it
  EXPECT_EQ(Keys("Y\x01"), "y");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
