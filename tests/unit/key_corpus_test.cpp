// What real terminal emulators send for each key the box knows (captured by
// tests/keys/capture.sh), read and applied to a Yes/No/Cancel box: a key
// does what it does unmodified, or nothing, never another button; and no
// key leaves the reader waiting long enough to take the next key with it.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "apply_keys.h"

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
    while (std::getline(lines, name, '\t') && std::getline(lines, hex)) {
      std::string bytes;
      for (std::size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
      corpus.push_back({file.path().stem(), name, bytes});
    }
  }
  return corpus;
}

// The bytes of what a key does unmodified; keys the box does nothing for
// (F-keys, Insert, the keypad's digits) are not listed.
const std::map<std::string, std::string> Meaning = {
    {"Tab", "\t"},          {"Return", "\r"},        {"KP_Enter", "\r"},     {"space", " "},
    {"Escape", "\x1b"},     {"Up", "\x1b[A"},        {"Down", "\x1b[B"},     {"Left", "\x1b[D"},
    {"Right", "\x1b[C"},    {"Prior", "\x1b[5~"},    {"Next", "\x1b[6~"},    {"Home", "\x1b[H"},
    {"End", "\x1b[F"},      {"KP_Up", "\x1b[A"},     {"KP_Down", "\x1b[B"},  {"KP_Left", "\x1b[D"},
    {"KP_Right", "\x1b[C"}, {"KP_Prior", "\x1b[5~"}, {"KP_Next", "\x1b[6~"}, {"KP_Home", "\x1b[H"},
    {"KP_End", "\x1b[F"}};

// Shift+Tab is Back-Tab, Ctrl and a letter its control character, Num
// Lock makes the keypad digits, and other modifiers change nothing.
std::string MeaningOf(const std::string& name) {
  const std::string key = name.substr(name.rfind('+') + 1);
  const auto has = [&name](const char* modifier) { return name.find(modifier) != name.npos; };
  if (key == "Tab" && has("shift+")) return "\x1b[Z";
  if (key.size() == 1)
    return std::string(1, has("ctrl+") ? static_cast<char>(key[0] & 0x1f) : key[0]);
  if (has("numlock+") && key != "KP_Enter") return "";
  return Meaning.count(key) ? Meaning.at(key) : "";
}

// `reads` applied to a Yes/No/Cancel box, each followed by the quiet a
// person's next key leaves: its answer, focus and effects.
std::tuple<std::optional<int>, std::size_t, std::vector<Effect>> Apply(
    const std::vector<std::string>& reads, bool escTabIsBackTab = false) {
  const BoxStyle style = *ReadStyle(3);
  KeyReader reader;
  reader.escTabIsBackTab = escTabIsBackTab;
  const Outcome run =
      ApplyReads(style, Measure("Save?", "t", style, {24, 80}), reader, reads, true);
  return {run.state.answer, run.state.view.focus, run.effects};
}

// How long the reader waits for more after `bytes` as one read.
int WaitAfter(const std::string& bytes) {
  KeyReader reader;
  std::vector<Input> inputs;
  ReadInputs(reader, bytes, inputs);
  return QuietWait(reader);
}

TEST(KeyCorpus, EveryKeyDoesItsActionOrNothingAndTheNextKeyCounts) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  const std::vector<Capture> corpus = Corpus();
  ASSERT_GT(corpus.size(), 2000u);
  const auto nothing = Apply({}), escape = Apply({"\x1b"});
  for (const Capture& capture : corpus) {
    const std::string where = capture.terminal + " " + capture.name;
    const bool escTabIsBackTab = capture.terminal == "linux";  // `tput -T linux kcbt`
    const auto outcome = Apply({capture.bytes}, escTabIsBackTab);
    // A key that sends what another key of that terminal sends may do
    // what the other does (the console's Alt+Tab and Back-Tab are ESC Tab).
    bool meant = outcome == nothing;
    for (const Capture& same : corpus) {
      meant = meant || (same.terminal == capture.terminal && same.bytes == capture.bytes &&
                        outcome == Apply({MeaningOf(same.name)}));
    }
    // Where Alt is ESC before the key, the ESC comes first and is Escape.
    const bool altAsEscape = capture.name.find("alt+") != std::string::npos &&
                             capture.bytes.size() > 1 && capture.bytes[0] == '\x1b';
    EXPECT_TRUE(meant || (altAsEscape && outcome == escape))
        << where << ": answer " << std::get<0>(outcome).value_or(-1);
    EXPECT_LE(WaitAfter(capture.bytes), 300) << where << " waits for more bytes";
    if (outcome == nothing) {
      EXPECT_EQ(std::get<0>(Apply({capture.bytes, "n"}, escTabIsBackTab)), 7) << where;
    }
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace zorvane::posix
