#include "platform/posix/terminal/key_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <tuple>

#include "key_data.h"

namespace zorvane::posix {
namespace {

// Keys as letters: "<" Previous, ">" Next, "!" Press, "e" Escape, "^" Up,
// "v" Down, "H" Home, "E" End, "P" Page Up, "N" Page Down, "K" the keyboard
// protocol's reply, "A" the attributes reply, "C" a Ctrl key, "+" and the
// key for ESC and a key; a letter as itself.
std::string Spelled(const std::vector<Input>& inputs) {
  std::string spelled;
  for (const Input& input : inputs) {
    if (const Report* report = std::get_if<Report>(&input)) {
      spelled += *report == Report::KeyboardProtocol ? 'K' : 'A';
      continue;
    }
    if (std::holds_alternative<ControlChord>(input)) {
      spelled += 'C';
      continue;
    }
    const KeyPress& press = std::get<KeyPress>(input);
    switch (press.key) {
      case Key::Next: spelled += '>'; break;
      case Key::Previous: spelled += '<'; break;
      case Key::Press: spelled += '!'; break;
      case Key::Escape: spelled += 'e'; break;
      case Key::Up: spelled += '^'; break;
      case Key::Down: spelled += 'v'; break;
      case Key::Letter: spelled += static_cast<char>(press.letter); break;
      case Key::Chord: {
        const std::optional<KeyPress> plain = PlainKey(press.letter);
        spelled += '+' + (plain ? Spelled({Input{*plain}}) : std::string("."));
        break;
      }
      case Key::Home: spelled += 'H'; break;
      case Key::End: spelled += 'E'; break;
      case Key::PageUp: spelled += 'P'; break;
      case Key::PageDown: spelled += 'N'; break;
    }
  }
  return spelled;
}

// `input` read in two pieces split at `split`, with the clock running out
// between them when `quiet`, and once more at the end.
std::string Keys(std::string_view input, std::size_t split, bool quiet,
                 const KeyTable& table = {}) {
  KeyReader reader;
  reader.table = table;
  std::vector<Input> keys;
  ReadInputs(reader, input.substr(0, split), keys);
  if (quiet) ReadQuiet(reader, keys);
  ReadInputs(reader, input.substr(split), keys);
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
  bool typedAfterEscape =
      false;  // O, P, X or ^ after ESC: a person's letter, when the ESC came late
};

const std::vector<Case> Cases = {
    {"arrows, Tab, Return, Space", "\x1b[A\x1b[B\x1b[C\x1b[D\x1b[Z\x1bOC\t\r ", "^v><<>>!!"},
    {"Home, End and the pages as xterm, the VT220, rxvt and xterm -kt sun send them",
     "\x1b[H\x1b[F\x1bOH\x1bOF\x1b[1~\x1b[4~\x1b[7~\x1b[8~\x1b[5~\x1b[6~\x1b[214z\x1b[220z",
     "HEHEHEHEPNHE"},
    {"colour reply, ST", "\x1b]11;rgb:0000/0000/0000\x1b\\\r", "!"},
    {"colour reply, BEL", "\x1b]11;rgb:ffff/ffff/ffff\a\r", "!"},
    {"version reply (DCS)", "\x1bP>|XTerm(390)\x1b\\\r", "!", true},
    {"graphics reply (APC)", "\x1b_Gi=1;OK\x1b\\\r", "!"},
    {"privacy message and SOS", "\x1b^no\x1b\\\x1bXyes\x1b\\\r", "!", true},
    {"attributes and cursor replies", "\x1b[?62;22c\x1b[12;40R\x1b[?1;2c", "AA"},
    {"xterm's attributes", "\x1b[?64;1;2;6;9;15;16;17;18;21;22;28c", "A"},
    {"keyboard protocol reply", "\x1b[?1u", "K"},
    {"Linux console F1 and F5", "\x1b[[A\x1b[[E", ""},
    {"SS3 with a parameter", "\x1bO2P\x1bO5A", ""},
    {"application keypad: Enter, 0 (Insert), 9 (PgUp), 8 (Up), Tab",
     "\x1bOM\x1bOp\x1bOy\x1bOx\x1bOI", "!P^>"},
    {"unknown keys whole", "\x1b[1;5Cy\x1b[15~", "y"},
    {"X10 mouse report", "\x1b[M nn\x1b[M#a!y", "y"},
    {"mouse in mode 1005: UTF-8 coordinates", "\x1b[M \xc3\xb8n\x1b[M\xc4\x80!\xdf\xbfy", "y"},
    {"X10 coordinates past 95 are bytes", "\x1b[M \xc3!y\x1b[M !\xc3y", "yy"},
    {"SGR and urxvt mouse", "\x1b[<0;12;5M\x1b[<0;12;5m\x1b[32;110;5M", ""},
    {"focus reports", "\x1b[I\x1b[O", ""},
    {"bracketed paste", "\x1b[200~no \x1b[A\r\x1b[201~y", "y"},
    {"paste holding a string's start", "\x1b[200~\x1b]no\x1b[201~y", "y"},
    {"200 with a sub-parameter begins no paste", "\x1b[200:1~y", "y"},
    {"keyboard protocol keys: Escape, Tab, Shift+Tab, Alt+y, Alt+Shift+y, Ctrl+C, Return",
     "\x1b[27u\x1b[9u\x1b[9;2u\x1b[121;3u\x1b[121;4u\x1b[99;5u\x1b[13u", "e><yyC!"},
    {"keypad under the keyboard protocol",
     "\x1b[57414u\x1b[57417u\x1b[57418u\x1b[57419u\x1b[57420u", "!<>^v"},
    {"Ctrl+M, Ctrl+J, Ctrl+I, Ctrl+[ and Shift+Return as their legacy bytes",
     "\x1b[109;5u\x1b[106;5u\x1b[105;5u\x1b[91;5u\x1b[13;2u", "!!>e!"},
    {"C0 inside a sequence is carried out and the sequence goes on",
     "\x1b[\x13I\x1b[?1;\x10"
     "2$y\x1b[12;\x14"
     "40R\x1b[\x16Z",
     "<"},
    {"CAN and SUB cancel a sequence", "\x1b[12\x18y\x1b]x\x1az", "yz"},
    {"ESC in a sequence starts anew", "\x1b[12\x1b[B", "v"},
    {"ESC and Tab, Return or LF is a chord, as ESC and a letter", "\x1b\t\x1b\ry\x1b\n", "+>+!y+!"},
    {"another control byte after ESC is carried out, and the ESC waits on", "\x1b\x13[A", "^"},
    {"ESC and a letter", "\x1bn", "+n"},
    {"urxvt's Ctrl+arrows and an SS3 key the box does not know", "\x1bOa\x1bOd\x1bOi\r", "!", true},
    {"Caps and Num Lock play no part (kitty)", "\x1b[1;129C\x1b[1;65A\x1b[5;129~\x1b[5;1~", ">^PP"},
    {"a key with a modifier besides the locks is no key", "\x1b[1;133C\x1b[1;3Dy", "y"},
    {"xterm's modifyOtherKeys: Shift+Y, Ctrl+C, Ctrl+M, Ctrl+I",
     "\x1b[27;2;89~\x1b[27;5;99~\x1b[27;5;109~\x1b[27;5;105~\x1b[89;2u", "yC!>y"},
    {"Alt+Space and Alt+comma take no key with them", "\x1b y\x1b,n", "+!y+,n"},
    {"Alt+Up in urxvt", "\x1b\x1b[A", ""},
    {"Alt+Enter as ESC ESC O M: konsole's Alt+Shift+Return, PuTTY's Alt+KP_Enter", "\x1b\x1bOM",
     "+!"},
    {"overlong parameters", "\x1b[" + std::string(100, '1') + "~y", "y"},
};

// Keys are told by their bytes and the time between them, never by where
// a read ended: every split, and a byte per read, read the same.
TEST(ReadInputs, EveryCaseAtEverySplitAndAByteAtATime) {
  for (const Case& test : Cases) {
    EXPECT_EQ(Keys(test.input), test.keys) << test.name;
    for (std::size_t split = 0; split <= test.input.size(); ++split)
      EXPECT_EQ(Keys(test.input, split, false), test.keys) << test.name << " split at " << split;
    KeyReader reader;
    std::vector<Input> keys;
    for (const char byte : test.input) ReadInputs(reader, std::string_view(&byte, 1), keys);
    EXPECT_EQ(Spelled(keys), test.keys) << test.name << " a byte at a time";
  }
}

// Mouse reports a program left on, more of them than one read holds: read
// in 256-byte reads from every offset, none of their bytes is a key.
TEST(ReadInputs, AFloodOfMouseReportsAtEveryReadOffset) {
  std::string flood = "x";
  for (int report = 0; report < 50; ++report) flood += "\x1b[MCyn";
  flood += "n";
  for (std::size_t first = 1; first <= 256; ++first) {
    KeyReader reader;
    std::vector<Input> keys;
    ReadInputs(reader, std::string_view(flood).substr(0, first), keys);
    for (std::size_t at = first; at < flood.size(); at += 256)
      ReadInputs(reader, std::string_view(flood).substr(at, 256), keys);
    EXPECT_EQ(Spelled(keys), "xn") << "first read " << first;
  }
}

// However late the rest of a key or reply comes after its ESC, no letter,
// press or move comes of it; at most its ESC counts as Escape.
TEST(ReadInputs, TheLateRestOfASequenceIsNoKey) {
  for (const Case& test : Cases) {
    if (test.typedAfterEscape) continue;
    for (std::size_t split = 1; split < test.input.size(); ++split) {
      KeyReader reader;
      std::vector<Input> keys;
      ReadInputs(reader, std::string_view(test.input).substr(0, split), keys);
      const auto* escape = std::get_if<AfterEscape>(&reader.parser.state);
      const bool loneEscape = escape && escape->via == Via::Escape;
      // Only what begins a sequence; ESC and any other key is a chord.
      if (!loneEscape || std::string_view("[O]_").find(test.input[split]) == std::string::npos)
        continue;
      EXPECT_EQ(WithoutEscapes(Keys(test.input, split, true)), WithoutEscapes(test.keys))
          << test.name << " split at " << split << " with a wait";
    }
  }
}

TEST(ReadInputs, OnlyALoneEscapeWaitsBriefly) {
  KeyReader reader;
  std::vector<Input> keys;
  ReadInputs(reader, "\x1b", keys);
  EXPECT_TRUE(keys.empty());
  EXPECT_GE(QuietWait(reader), 150);  // a key split by 150 ms is still that key
  EXPECT_LT(QuietWait(reader), 500);
  ReadQuiet(reader, keys);
  EXPECT_EQ(Spelled(keys), "e");
  ReadInputs(reader, "OA", keys);  // the late rest of Up in application mode
  EXPECT_EQ(Spelled(keys), "e^");
  EXPECT_EQ(QuietWait(reader), -1);
}

// Two keys apart in time: a pause after an ESC makes it Escape, and after
// it a person's O, P or X is a letter whatever follows. Without the pause,
// ESC ESC is urxvt's Alt and the key after it, however the bytes are read.
TEST(ReadInputs, KeysAfterAPauseAreKeysOfTheirOwn) {
  for (const auto& [input, keys] :
       std::vector<std::pair<std::string, std::string>>{{"\x1b\x1b[A", "e^"},
                                                        {"\x1b\x1by", "e+y"},
                                                        {"\x1bOi", "eoi"},
                                                        {"\x1bPy\r", "epy!"},
                                                        {"\x1bXn", "exn"}}) {
    EXPECT_EQ(Keys(input, 1, true), keys) << input;
  }
  EXPECT_EQ(Keys("\x1b\x1b[A", 1, false), "");       // Alt+Up in urxvt
  EXPECT_EQ(Keys("\x1b\x1b\x1b"), "e");              // the third makes the first a key
  EXPECT_EQ(Keys("\x1b\x1b\x1b[A", 2, false), "e");  // and Alt+Up after it is none
}

// A string, a paste or a sequence that never ends is over after a quiet
// second; the keys after it count.
TEST(ReadInputs, WhatNeverEndsEndsWhenTheInputGoesQuiet) {
  for (const auto& [open, keys] : std::vector<std::pair<std::string, std::string>>{
           {"\x1b]0;title", "y"},
           {"\x1bP1$r", "y"},
           {"\x1b[200~pasted", "y"},
           {"\x1b[12;", "y"},
           {"\x1b]0;title\x1b", "ey"},  // an ESC in it, then quiet: Escape
           {"\x1bP", "+py"},            // ESC P alone: Alt+Shift+P
           {"\x1bO", "+oy"}}) {
    KeyReader reader;
    std::vector<Input> read;
    ReadInputs(reader, open, read);
    EXPECT_GT(QuietWait(reader), 0) << open;
    EXPECT_LE(QuietWait(reader), 1000) << open;
    ReadQuiet(reader, read);
    ReadInputs(reader, "y", read);
    EXPECT_EQ(Spelled(read), keys) << open;
  }
}

TEST(ReadInputs, ALongControlStringKeepsNothing) {
  KeyReader reader;
  std::vector<Input> keys;
  ReadInputs(reader, "\x1b]52;c;", keys);
  for (int i = 0; i < 1000; ++i) ReadInputs(reader, std::string(100, 'y'), keys);
  ReadInputs(reader, "\a\r", keys);
  EXPECT_EQ(Spelled(keys), "!");
}

// The 8-bit controls, as raw bytes where they are no character and as
// U+0080-U+009F in UTF-8.
TEST(ReadInputs, C1ControlsInEveryLocale) {
  const std::vector<std::pair<std::string, std::string>> raw = {
      {"\x9b"
       "A\x8f"
       "B",
       "^v"},
      {"\x9b?62;22c", "A"},
      {"\x9d"
       "11;rgb:0/0/0\x9c\r",
       "!"},
      {"\x90"
       "stuff\x9cy",
       "y"},
      {"\x9f"
       "G\x9c\x9e"
       "p\x9c\x98s\x9cn",
       "n"},
      {"\x9b"
       "200~yes\x9b"
       "201~n",
       "n"},
      {"\x1b[1\x9b"
       "B",
       "b"},  // a C1 control cancels a sequence
      {"\x8f\x9b"
       "B",
       "v"},  // and begins anew after SS3
  };
  for (const char* locale : {"C", "C.UTF-8"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    for (const auto& [input, keys] : raw) {
      for (std::size_t split = 0; split <= input.size(); ++split)
        EXPECT_EQ(Keys(input, split, false), keys) << locale << " " << input << " at " << split;
    }
  }
  // U+009B typed: xterm's Alt+Escape under 8-bit input, which is no CSI.
  EXPECT_EQ(Keys("\xc2\x9b"
                 "A"),
            "a");
  EXPECT_EQ(Keys("\x1b]0;\xc5\x9cy\a\r"), "!");  // U+015C ends in 0x9C and ends nothing
  std::setlocale(LC_ALL, "C");
}

TEST(ReadInputs, LettersAreCharactersOfTheLocaleInLowerCase) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  EXPECT_EQ(Keys("\xd0\x94"), "4");  // capital De read as small de, U+0434, spelled by its low byte
  for (std::size_t split = 0; split <= 4; ++split) {
    EXPECT_EQ(Keys("\x1b\xd0\x94y", split, false), "+4y") << split;  // Alt+De keeps every byte
  }
  EXPECT_EQ(Keys("\xd0y"), "y");   // a broken character is dropped, not what broke it
  EXPECT_EQ(Keys("Y\x01"), "yC");  // a control byte is a Ctrl key
  std::setlocale(LC_ALL, "C");
}

// The terminal's own key strings, from its terminfo entry, over xterm's:
// a Wyse 50's LF is Down and its BS Left, PuTTY's keypad middle is no key;
// CR and Tab stay Return and Tab whatever an entry says.
TEST(KeyTable, TheTerminalsOwnKeyStrings) {
  const auto entries = TerminfoEntries();
  const struct {
    const char* entry;
    std::string input;
    std::string keys;
  } cases[] = {
      {"wy50",
       "\n\x08\x0c\x0b\x1e\x1bJ\x1bK\x1bI\x1b"
       "7\r\t",
       "v<>^HPN<!!>"},
      {"adm3a", "\n\x08\x0c\x0b", "v<>^"},
      {"linux", "\x1b\t\x1b[1~\x1b[4~\x1b[G\x1b[[A", "<HE"},
      {"putty", "\x1bOq\x1bOs\x1bOp\x1bOn\x1bOr\x1bOM\x1b[1~\x1b[4~", "HPEN!HE"},
      {"putty-sco", "\x1b[I\x1b[G\x1b[H\x1b[F", "PNHE"},
      {"xterm-sun", "\x1b[214z\x1b[216z\x1b[220z\x1b[222z\x1b[218z", "HPEN"},
      {"vt52",
       "\x1b"
       "A\x1b"
       "B\x1b"
       "C\x1b"
       "D",
       "^v><"},
      {"xterm", "\n\x08\x1b\t\x1bOw\x1bOu", "!C+>H"},
  };
  for (const auto& test : cases) {
    const KeyTable table = TableOf(entries.at(test.entry));
    EXPECT_EQ(Keys(test.input, test.input.size(), false, table), test.keys) << test.entry;
  }
  const KeyTable claimsReturnAndTab = TableOf({{"kcud1", "\r"}, {"kcuf1", "\t"}});
  EXPECT_EQ(Keys("\r\t", 2, false, claimsReturnAndTab), "!>");
}

}  // namespace
}  // namespace zorvane::posix
