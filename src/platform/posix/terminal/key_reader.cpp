#include "platform/posix/terminal/key_reader.h"

namespace zorvane::posix {
namespace {

// A key split by 150 ms, as over a slow link, is still that key; a person
// pressing Escape still sees the box answer at once.
constexpr int EscapeWaitMilliseconds = 300;
// A string, paste, mouse report or sequence still open after a second of
// quiet was cut off or typed by a person; the rest of a key whose ESC
// came late is looked for as long.
constexpr int OpenWaitMilliseconds = 1000;

bool LoneEscape(const ParseState& state) {
  const auto* escape = std::get_if<AfterEscape>(&state);
  return escape && escape->via != Via::Late;
}

}  // namespace

void ReadInputs(KeyReader& reader, std::string_view bytes, std::vector<Input>& inputs) {
  std::vector<Token> tokens;
  for (const char byte : bytes) {
    tokens.clear();
    ParseByte(reader.parser, static_cast<unsigned char>(byte), tokens);
    for (const Token& token : tokens) KeysOf(token, reader.table, inputs);
  }
}

bool EscapeWaits(const KeyReader& reader) {
  return LoneEscape(reader.parser.state);
}

int QuietWait(const KeyReader& reader) {
  const ParseState& state = reader.parser.state;
  if (std::holds_alternative<Ground>(state)) return -1;
  if (EscapeWaits(reader)) return EscapeWaitMilliseconds;
  const auto* string = std::get_if<InString>(&state);
  const auto* ss3 = std::get_if<InSs3>(&state);
  if ((string && string->afterEscape) || (ss3 && !ss3->numbers)) return EscapeWaitMilliseconds;
  return OpenWaitMilliseconds;
}

void ReadQuiet(KeyReader& reader, std::vector<Input>& inputs) {
  const ParseState state = reader.parser.state;
  reader.parser.state = Ground{};
  if (LoneEscape(state)) {
    // Escape; what comes next may still be the rest of a key sent slowly.
    KeysOf(Token{Piece::Control, 0x1b}, reader.table, inputs);
    return LookForLateRest(reader.parser);
  }
  if (const auto* string = std::get_if<InString>(&state)) {
    // An ESC at its end, or ESC and the introducer alone: a person's
    // Escape, or Alt and that key.
    if (string->afterEscape) return KeysOf(Token{Piece::Control, 0x1b}, reader.table, inputs);
    if (string->introducer != 0)
      KeysOf(Token{Piece::EscChord, string->introducer}, reader.table, inputs);
    return;
  }
  if (const auto* ss3 = std::get_if<InSs3>(&state); ss3 && !ss3->numbers && ss3->via != Via::C1) {
    // ESC O alone: Alt+Shift+O, or a person's O after a late Escape.
    KeysOf(Token{Piece::EscChord, 'O', ss3->via}, reader.table, inputs);
  }
}

}  // namespace zorvane::posix
