#pragma once

// What each whole piece a terminal sends means to the box: xterm's keys,
// which most terminals send, under what the terminal's own terminfo entry
// says its keys send.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/terminal/key_input.h"
#include "platform/posix/terminal/sequence_parser.h"

namespace zorvane::posix {

struct Binding {
  Token token;
  std::optional<Key> key;  // none: the key does nothing here (the keypad's middle)
};

// The keys a terminfo entry names, read from their strings; empty where
// TERM names no entry.
struct KeyTable {
  std::vector<Binding> terminal;
};

// A terminfo capability (kcuu1, khome, kent, ka1, ...) and its string.
using KeyString = std::pair<std::string, std::string>;

// The terminfo capabilities of the keys the box acts on, in the order the
// entry's table is read.
const std::vector<std::string>& KeyCapabilities();

// The table of an entry's key strings. A string that is a lone control
// gives that control the key's meaning (LF is Down on a Wyse 50, BS Left on
// an ADM-3A), but CR, Return on every keyboard, and Tab stay what they are.
KeyTable TableOf(const std::vector<KeyString>& strings);

// Appends what `token` means: keys, Ctrl chords and the replies the box
// asked for; nothing for a piece the box has no use for.
void KeysOf(const Token& token, const KeyTable& table, std::vector<Input>& inputs);

}  // namespace zorvane::posix
