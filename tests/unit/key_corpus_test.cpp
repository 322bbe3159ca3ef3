// What real terminal emulators send for each key the box knows (captured by
// tests/keys/capture.sh), read with the key strings of each terminal's
// terminfo entry (tests/keys/capture_terminfo.sh) and applied to a tall
// Yes/No/Cancel box: a key with no modifier does what it does, one with
// modifiers that or nothing, never another button; however its bytes
// arrive; and no key leaves the reader waiting long enough to take the
// next key with it.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <map>
#include <tuple>

#include "apply_keys.h"
#include "key_data.h"

namespace zorvane::posix {
namespace {

struct Capture {
  std::string terminal;
  std::string name;  // "shift+ctrl+Up", "numlock+KP_Home", ...
  std::string bytes;
};

std::vector<Capture> Corpus() {
  std::vector<Capture> corpus;
  for (const auto& file : std::filesystem::directory_iterator(ZORVANE_KEY_CORPUS)) {
    if (file.path().extension() != ".keys") continue;
    std::ifstream lines(file.path());
    std::string name, hex;
    while (std::getline(lines, name, '\t') && std::getline(lines, hex))
      corpus.push_back({file.path().stem(), name, FromHex(hex)});
  }
  return corpus;
}

// The entry TERM named where each capture was made.
const std::map<std::string, std::string> EntryOf = {{"xterm", "xterm"},
                                                    {"xterm-8bit", "xterm"},
                                                    {"xterm-mok2", "xterm"},
                                                    {"xterm-mok2-fok1", "xterm"},
                                                    {"urxvt", "rxvt-unicode-256color"},
                                                    {"kitty", "xterm-kitty"},
                                                    {"alacritty", "alacritty"},
                                                    {"st", "st-256color"},
                                                    {"vte", "xterm-256color"},
                                                    {"mlterm", "mlterm"},
                                                    {"tmux", "tmux-256color"},
                                                    {"screen", "screen"},
                                                    {"linux", "linux"}};

// The bytes of what a key does unmodified; keys the box does nothing for
// (F-keys, Insert, the keypad's digits) are not listed.
const std::map<std::string, std::string> Meaning = {
    {"Tab", "\t"},          {"Return", "\r"},        {"KP_Enter", "\r"},     {"space", " "},
    {"Escape", "\x1b"},     {"Up", "\x1b[A"},        {"Down", "\x1b[B"},     {"Left", "\x1b[D"},
    {"Right", "\x1b[C"},    {"Prior", "\x1b[5~"},    {"Next", "\x1b[6~"},    {"Home", "\x1b[H"},
    {"End", "\x1b[F"},      {"KP_Up", "\x1b[A"},     {"KP_Down", "\x1b[B"},  {"KP_Left", "\x1b[D"},
    {"KP_Right", "\x1b[C"}, {"KP_Prior", "\x1b[5~"}, {"KP_Next", "\x1b[6~"}, {"KP_Home", "\x1b[H"},
    {"KP_End", "\x1b[F"}};

bool Has(const std::string& name, const char* modifier) {
  return name.find(modifier) != std::string::npos;
}

// Shift+Tab is Back-Tab, Ctrl and a letter its control character, Num
// Lock makes the keypad digits, and other modifiers change nothing.
std::string MeaningOf(const std::string& name) {
  const std::string key = name.substr(name.rfind('+') + 1);
  if (key == "Tab" && Has(name, "shift+")) return "\x1b[Z";
  if (key.size() == 1)
    return std::string(1, Has(name, "ctrl+") ? static_cast<char>(key[0] & 0x1f) : key[0]);
  if (Has(name, "numlock+") && key != "KP_Enter") return "";
  return Meaning.count(key) ? Meaning.at(key) : "";
}

bool Modified(const std::string& name) {
  return Has(name, "shift+") || Has(name, "ctrl+") || Has(name, "alt+");
}

// 60 lines in a Yes/No/Cancel box at 80x24, the focus on No and the text
// scrolled to its middle: every key the box knows changes something.
struct TallBox {
  BoxStyle style = *ReadStyle(3);
  BoxGeometry geometry = Measure(Lines(), "t", style, {24, 80});
  static std::string Lines() {
    std::string text = "1";
    for (int line = 2; line <= 60; ++line) text += "\n" + std::to_string(line);
    return text;
  }
};

using Result = std::tuple<std::optional<int>, std::size_t, std::size_t, std::vector<Effect>>;

// Moments apart in time: each moment's reads come at once, then the quiet
// a person's next key leaves.
Result Reading(const std::vector<std::vector<std::string>>& moments, const KeyTable& table = {}) {
  static const TallBox box;
  KeyReader reader;
  reader.table = table;
  std::vector<Input> inputs;
  for (const std::vector<std::string>& reads : moments) {
    for (const Input& input : ReadAll(reader, reads, false)) inputs.push_back(input);
    ReadQuiet(reader, inputs);
  }
  const Outcome run = ApplyInputs(box.style, box.geometry, inputs, BoxView{1, 20});
  return {run.state.answer, run.state.view.focus, run.state.view.scroll, run.effects};
}

// The key's bytes in reads of every kind: two at every split, and one byte each.
std::vector<std::vector<std::string>> Splits(const std::string& bytes) {
  std::vector<std::vector<std::string>> splits;
  for (std::size_t at = 1; at < bytes.size(); ++at)
    splits.push_back({bytes.substr(0, at), bytes.substr(at)});
  std::vector<std::string> bytewise;
  for (const char byte : bytes) bytewise.emplace_back(1, byte);
  splits.push_back(bytewise);
  return splits;
}

class KeyCorpus : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
  const std::vector<Capture> corpus = Corpus();
  const std::map<std::string, std::vector<KeyString>> entries = TerminfoEntries();
  KeyTable TableFor(const Capture& capture) const {
    return TableOf(entries.at(EntryOf.at(capture.terminal)));
  }
};

TEST_F(KeyCorpus, EveryKeyDoesItsActionOrNothingAndTheNextKeyCounts) {
  ASSERT_GT(corpus.size(), 2000u);
  const Result nothing = Reading({}), escape = Reading({{"\x1b"}});
  for (const Capture& capture : corpus) {
    const std::string where = capture.terminal + " " + capture.name;
    const KeyTable table = TableFor(capture);
    const Result outcome = Reading({{capture.bytes}}, table);
    // A key that sends what another key of that terminal sends may do
    // what the other does (the console's Alt+Tab and Back-Tab are ESC Tab).
    bool meant = false;
    for (const Capture& same : corpus) {
      meant = meant || (same.terminal == capture.terminal && same.bytes == capture.bytes &&
                        outcome == Reading({{MeaningOf(same.name)}}));
    }
    // Where Alt is ESC before the key, the ESC comes first and is Escape.
    const bool altAsEscape =
        Has(capture.name, "alt+") && capture.bytes.size() > 1 && capture.bytes[0] == '\x1b';
    const bool allowed = meant || (Modified(capture.name) &&
                                   (outcome == nothing || (altAsEscape && outcome == escape)));
    EXPECT_TRUE(allowed) << where << ": answer " << std::get<0>(outcome).value_or(-1) << ", focus "
                         << std::get<1>(outcome) << ", line " << std::get<2>(outcome);
    if (outcome == nothing) {
      EXPECT_EQ(std::get<0>(Reading({{capture.bytes}, {"n"}}, table)), 7) << where;
    }
  }
}

TEST_F(KeyCorpus, EveryKeyMeansTheSameHoweverItsBytesArrive) {
  for (const Capture& capture : corpus) {
    const KeyTable table = TableFor(capture);
    const Result whole = Reading({{capture.bytes}, {"n"}}, table);
    for (std::vector<std::string> reads : Splits(capture.bytes)) {
      EXPECT_EQ(Reading({reads, {"n"}}, table), whole)
          << capture.terminal << " " << capture.name << " in " << reads.size() << " reads";
    }
  }
}

// No key leaves the reader waiting longer than a lone ESC; st's Ctrl+Delete
// (CSI M) waits for a mouse report's coordinates, and costs at most the
// next key within that wait.
TEST_F(KeyCorpus, NoKeyWaitsLongerThanALoneEscape) {
  for (const Capture& capture : corpus) {
    KeyReader reader;
    reader.table = TableFor(capture);
    std::vector<Input> inputs;
    ReadInputs(reader, capture.bytes, inputs);
    const bool mouseStart = capture.bytes == "\x1b[M";
    EXPECT_LE(QuietWait(reader), mouseStart ? 1000 : 300)
        << capture.terminal << " " << capture.name << " waits for more bytes";
  }
}

}  // namespace
}  // namespace zorvane::posix
