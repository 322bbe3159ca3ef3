#pragma once

// What a terminal sends, read as key presses, Ctrl chords and the two
// replies the box asks for, in three layers: the sequence parser cuts the
// bytes into whole pieces (sequence_parser.h), the key table gives each
// its meaning (key_table.h), and this reader decides on time alone, never
// on where a read ended: how long to wait for the rest of a piece, and
// what an unfinished one means once the input has gone quiet. Replies the
// box did not ask for, control strings, mouse reports, focus reports and
// pasted text never come out at all.
#include <string_view>
#include <vector>

#include "platform/posix/terminal/key_input.h"
#include "platform/posix/terminal/key_table.h"
#include "platform/posix/terminal/sequence_parser.h"

namespace zorvane::posix {

struct KeyReader {
  Parser parser;
  KeyTable table;  // the terminal's own key strings, from its terminfo entry
};

// Reads `bytes`, however many of a key's bytes they hold, and appends the
// inputs they complete.
void ReadInputs(KeyReader& reader, std::string_view bytes, std::vector<Input>& inputs);

// How long to wait for more bytes before calling ReadQuiet, in ms; -1 for
// as long as it takes.
int QuietWait(const KeyReader& reader);

// No byte came within QuietWait: a lone ESC is the Escape key, ESC and an
// introducer with nothing after it Alt and that key, and whatever else is
// open ends there.
void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs);

// Whether a lone ESC waits for what follows it.
bool EscapeWaits(const KeyReader& reader);

}  // namespace zorvane::posix
