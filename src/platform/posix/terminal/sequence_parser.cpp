#include "platform/posix/terminal/sequence_parser.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

#include "platform/posix/box/characters.h"

namespace zorvane::posix {
namespace {

constexpr wchar_t Esc = 0x1b, Bel = 0x07, Can = 0x18, Sub = 0x1a, Del = 0x7f;
constexpr wchar_t C1Csi = 0x9b, C1Ss3 = 0x8f, C1St = 0x9c;

// A unit of input: a character of the locale (ASCII controls included,
// and U+0080-U+009F where a multibyte encoding spells them: xterm's Alt
// and a control under 8-bit input), an 8-bit control (a lone byte
// 0x80-0x9F that is no character), or bytes that decode to no character.
struct Unit {
  enum class Kind : unsigned char { Character, C1, Broken };
  Kind kind;
  wchar_t code;
};

bool IsC1(wchar_t c) {
  return c >= 0x80 && c <= 0x9f;
}

bool IsFinal(wchar_t c) {
  return c >= 0x40 && c <= 0x7e;
}

bool IsIntermediate(wchar_t c) {
  return c >= 0x20 && c < 0x30;
}

bool IsMarker(wchar_t c) {
  return c >= 0x3c && c < 0x40;
}

bool IsNumberByte(wchar_t c) {
  return (c >= '0' && c <= '9') || c == ';' || c == ':';
}

bool IsControl(const Unit& unit) {
  return unit.kind == Unit::Kind::Character && (unit.code < 0x20 || unit.code == Del);
}

bool Is(const Unit& unit, wchar_t code) {
  return unit.kind == Unit::Kind::Character && unit.code == code;
}

// The next unit; false while a character's bytes are still coming.
bool Decode(PartialCharacter& partial, unsigned char byte, Unit& unit) {
  if (partial.length == 0 && byte < 0x80) {
    unit = {Unit::Kind::Character, byte};
    return true;
  }
  partial.bytes[partial.length++] = static_cast<char>(byte);
  const Character decoded = DecodeAt(std::string_view(partial.bytes.data(), partial.length));
  const bool incomplete = decoded.decoding == Decoding::Incomplete;
  if (incomplete && partial.length < partial.bytes.size()) return false;
  const std::size_t had = partial.length;
  partial.length = 0;
  if (decoded.decoding != Decoding::Whole) {
    // A broken character is dropped; a byte that broke it off is read
    // again on its own.
    if (had > 1) return Decode(partial, byte, unit);
    unit = {IsC1(byte) ? Unit::Kind::C1 : Unit::Kind::Broken, byte};
    return true;
  }
  const bool loneControl =
      had == 1 && IsC1(byte) && std::iswcntrl(static_cast<wint_t>(decoded.code));
  unit = {loneControl ? Unit::Kind::C1 : Unit::Kind::Character, decoded.code};
  return true;
}

void Emit(std::vector<Token>& tokens, Piece piece, wchar_t code, Via via = Via::Escape,
          const Parameters& parameters = {}) {
  tokens.push_back(Token{piece, code, via, parameters});
}

// The one way into a sequence or string: from its C1 control, or from ESC
// and the byte that stands for it. Other C1 controls begin nothing.
void Introduce(Parser& parser, wchar_t c1, Via via, wchar_t escapeByte = 0) {
  switch (c1) {
    case C1Csi: parser.state = InCsi{via}; return;
    case C1Ss3: parser.state = InSs3{via}; return;
    case 0x90:  // DCS
    case 0x98:  // SOS
    case 0x9d:  // OSC
    case 0x9e:  // PM
    case 0x9f:  // APC
      parser.state = InString{escapeByte};
      return;
    default: parser.state = Ground{}; return;
  }
}

// The C1 control that ESC and `c` stand for, where it begins something.
wchar_t Hoisted(wchar_t c) {
  switch (c) {
    case '[': return C1Csi;
    case 'O': return C1Ss3;
    case 'P': return 0x90;
    case 'X': return 0x98;
    case ']': return 0x9d;
    case '^': return 0x9e;
    case '_': return 0x9f;
    default: return 0;
  }
}

// What every sequence does with a control before its own part looks at
// it; true where that was all.
bool Interrupts(Parser& parser, const Unit& unit) {
  if (unit.kind == Unit::Kind::C1 || Is(unit, Can) || Is(unit, Sub)) {
    parser.state = Ground{};
  } else if (Is(unit, Esc)) {
    parser.state = AfterEscape{Via::Escape};
  } else {
    return IsControl(unit);  // carried out: ignored, and the sequence goes on
  }
  return true;
}

void ReadUnit(Parser& parser, const Unit& unit, std::vector<Token>& tokens);

void InGround(Parser& parser, const Unit& unit, std::vector<Token>& tokens) {
  if (unit.kind == Unit::Kind::C1) return Introduce(parser, unit.code, Via::C1);
  if (unit.kind == Unit::Kind::Broken) return;
  if (Is(unit, Esc)) {
    parser.state = AfterEscape{Via::Escape};
  } else if (IsControl(unit)) {
    Emit(tokens, Piece::Control, unit.code);
  } else {
    Emit(tokens, Piece::Character, unit.code);
  }
}

void AfterLateEscape(Parser& parser, const Unit& unit, std::vector<Token>& tokens) {
  // Replies come as CSI, OSC or APC, a late key's rest as CSI or SS3.
  const bool rest = Is(unit, '[') || Is(unit, 'O') || Is(unit, ']') || Is(unit, '_');
  if (rest) return Introduce(parser, Hoisted(unit.code), Via::Late);
  parser.state = Ground{};
  InGround(parser, unit, tokens);
}

void InEscape(Parser& parser, Via via, const Unit& unit, std::vector<Token>& tokens) {
  if (via == Via::Late) return AfterLateEscape(parser, unit, tokens);
  if (unit.kind != Unit::Kind::Character) return;  // the ESC waits on
  if (Is(unit, Can) || Is(unit, Sub)) {
    parser.state = Ground{};
  } else if (Is(unit, Esc)) {
    // ESC ESC is Alt and what follows (urxvt's Alt+Up is ESC ESC [ A); a
    // third makes the first a key of its own.
    if (via == Via::AltEscape) Emit(tokens, Piece::Control, Esc);
    parser.state = AfterEscape{Via::AltEscape};
  } else if (const wchar_t c1 = Hoisted(unit.code)) {
    Introduce(parser, c1, via, unit.code);
  } else if (!IsControl(unit) || Is(unit, '\t') || Is(unit, '\r') || Is(unit, '\n')) {
    // Alt and a key: ESC and a character, or Tab, Return or LF.
    parser.state = Ground{};
    Emit(tokens, Piece::EscChord, unit.code, via);
  }
  // Other controls are carried out, and the ESC waits on.
}

// A digit, ";" or ":" of a sequence's numbers.
void TakeNumberByte(Parameters& parameters, wchar_t c) {
  if (parameters.count == 0) parameters.count = 1;
  if (c == ';') {
    parameters.subParameter = false;
    if (parameters.count == MostNumbers) parameters.overlong = true;
    parameters.count = std::min(parameters.count + 1, MostNumbers);
  } else if (c == ':') {
    parameters.subParameter = true;
  } else if (!parameters.subParameter && !parameters.overlong) {
    unsigned long& number = parameters.numbers[parameters.count - 1];
    number = number * 10 + static_cast<unsigned long>(c - '0');
    if (number > 0x10ffff) parameters.overlong = true;
  }
}

// rxvt's Shift keys end in $ after one number (CSI 7 $ is Shift+Home),
// where $ would otherwise be an intermediate that leaves the sequence open.
bool EndsRxvtKey(const InCsi& csi, wchar_t c) {
  return c == '$' && csi.part == InCsi::Part::Numbers && csi.parameters.count == 1 &&
         csi.parameters.marker == 0;
}

// A whole CSI: an X10 mouse report's coordinates or a paste follow it;
// anything else is a piece.
void EndCsi(Parser& parser, const InCsi& csi, wchar_t final, std::vector<Token>& tokens) {
  const Parameters& parameters = csi.parameters;
  const bool plain = parameters.marker == 0 && parameters.intermediate == 0;
  if (final == 'M' && plain && parameters.count == 0) {
    parser.state = InMouse{};
  } else if (final == '~' && plain && parameters.count == 1 && parameters.numbers[0] == 200 &&
             !parameters.subParameter && !parameters.overlong) {
    parser.state = InPaste{};
  } else {
    parser.state = Ground{};
    Emit(tokens, Piece::Csi, final, csi.via, parameters);
  }
}

// Markers come first, then numbers, then intermediates, then the final
// byte; a byte out of that order ends the sequence there, as libvterm
// reads it, and so does a character outside ASCII.
void InControlSequence(Parser& parser, InCsi csi, const Unit& unit, std::vector<Token>& tokens) {
  if (Interrupts(parser, unit)) return;
  const wchar_t c = unit.code;
  const bool ascii = unit.kind == Unit::Kind::Character && c < 0x80;
  using Part = InCsi::Part;
  if (ascii && csi.part == Part::Entry && c == '[' && csi.parameters.marker == 0) {
    parser.state = InLinuxKey{};
  } else if (ascii && (IsFinal(c) || EndsRxvtKey(csi, c))) {
    EndCsi(parser, csi, c, tokens);
  } else if (ascii && csi.part == Part::Entry && IsMarker(c)) {
    if (csi.parameters.marker == 0) csi.parameters.marker = static_cast<char>(c);
    parser.state = csi;
  } else if (ascii && csi.part != Part::Intermediates && IsNumberByte(c)) {
    csi.part = Part::Numbers;
    TakeNumberByte(csi.parameters, c);
    parser.state = csi;
  } else if (ascii && IsIntermediate(c)) {
    csi.part = Part::Intermediates;
    if (csi.parameters.intermediate == 0) csi.parameters.intermediate = static_cast<char>(c);
    parser.state = csi;
  } else {
    parser.state = Ground{};
  }
}

// Other readers take CSI [ as a whole sequence: a C1 control after it
// begins anew.
void InLinuxFunctionKey(Parser& parser, const Unit& unit, std::vector<Token>& tokens) {
  if (unit.kind == Unit::Kind::C1) return Introduce(parser, unit.code, Via::C1);
  if (Interrupts(parser, unit)) return;
  parser.state = Ground{};
  Emit(tokens, Piece::LinuxKey, unit.code, Via::Escape);
}

// SS3 shifts one byte: a final byte ends it, numbers before it make a
// modified F1-F4. After ESC O anything else shows that the O was a key
// (Alt+Shift+O, or a person's O after a late Escape), and it is read on
// its own; after the 8-bit SS3 it ends the shift.
void InSingleShift(Parser& parser, InSs3 ss3, const Unit& unit, std::vector<Token>& tokens) {
  // Other readers take SS3 as a control of its own: a C1 control after it
  // begins anew.
  if (unit.kind == Unit::Kind::C1) return Introduce(parser, unit.code, Via::C1);
  const bool typed = ss3.via != Via::C1;
  if (typed && Is(unit, Esc) && !ss3.numbers) {
    Emit(tokens, Piece::EscChord, 'O', ss3.via);
    parser.state = AfterEscape{Via::Escape};
    return;
  }
  if (Interrupts(parser, unit)) return;
  const wchar_t c = unit.code;
  const bool ascii = unit.kind == Unit::Kind::Character && c < 0x80;
  if (ascii && IsFinal(c)) {
    parser.state = Ground{};
    return Emit(tokens, Piece::Ss3, c, ss3.via, ss3.parameters);
  }
  if (ascii && ((c >= '0' && c <= '9') || c == ';')) {
    ss3.numbers = true;
    TakeNumberByte(ss3.parameters, c);
    parser.state = ss3;
    return;
  }
  parser.state = Ground{};
  if (!typed || ss3.numbers) return;
  Emit(tokens, Piece::EscChord, 'O', ss3.via);
  ReadUnit(parser, unit, tokens);
}

void InControlString(Parser& parser, InString string, const Unit& unit,
                     std::vector<Token>& tokens) {
  if (string.afterEscape) {
    if (Is(unit, '\\')) {
      parser.state = Ground{};
      return;
    }
    // An ESC that is not the start of ST ends the string and begins anew.
    parser.state = AfterEscape{Via::Escape};
    return InEscape(parser, Via::Escape, unit, tokens);
  }
  if (Is(unit, Bel) || Is(unit, Can) || Is(unit, Sub) ||
      (unit.kind == Unit::Kind::C1 && unit.code == C1St)) {
    parser.state = Ground{};
  } else if (Is(unit, Esc)) {
    parser.state = InString{string.introducer, true};
  } else {
    parser.state = InString{};  // something inside: it was no Alt chord
  }
}

// Up to CSI 201 ~, as ESC [ or as the 8-bit CSI; all else is text.
void InBracketedPaste(Parser& parser, InPaste paste, const Unit& unit) {
  constexpr std::wstring_view EndParameters = L"201~";
  std::size_t& matched = paste.endMatched;
  if (Is(unit, Esc)) {
    matched = 1;
  } else if ((unit.kind == Unit::Kind::C1 && unit.code == C1Csi) ||
             (matched == 1 && Is(unit, '['))) {
    matched = 2;
  } else if (matched >= 2 && Is(unit, EndParameters[matched - 2])) {
    ++matched;
  } else {
    matched = 0;
  }
  if (matched == EndParameters.size() + 2) {
    parser.state = Ground{};
  } else {
    parser.state = paste;
  }
}

void ReadUnit(Parser& parser, const Unit& unit, std::vector<Token>& tokens) {
  ParseState& state = parser.state;
  if (std::holds_alternative<Ground>(state)) return InGround(parser, unit, tokens);
  if (const auto* escape = std::get_if<AfterEscape>(&state))
    return InEscape(parser, escape->via, unit, tokens);
  if (const auto* csi = std::get_if<InCsi>(&state))
    return InControlSequence(parser, *csi, unit, tokens);
  if (std::holds_alternative<InLinuxKey>(state)) return InLinuxFunctionKey(parser, unit, tokens);
  if (const auto* ss3 = std::get_if<InSs3>(&state))
    return InSingleShift(parser, *ss3, unit, tokens);
  if (const auto* string = std::get_if<InString>(&state))
    return InControlString(parser, *string, unit, tokens);
  if (const auto* paste = std::get_if<InPaste>(&state))
    return InBracketedPaste(parser, *paste, unit);
}

// The X10 report's button and coordinates: a byte each, or a UTF-8
// character each where mode 1005 is on; a lead byte that no continuation
// follows was a coordinate of its own. However the bytes come, all three
// are coordinates.
void MouseByte(Parser& parser, InMouse mouse, unsigned char byte, std::vector<Token>& tokens) {
  if (byte < 0x20) {  // every coordinate is 32 or more: this was no report
    parser.state = Ground{};
    return ParseByte(parser, byte, tokens);
  }
  if (mouse.continuationsLeft > 0) {
    const bool continuation = (byte & 0xc0) == 0x80;
    mouse.continuationsLeft = continuation ? mouse.continuationsLeft - 1 : 0;
    if (continuation || mouse.charactersLeft == 0) {
      parser.state = mouse;
      if (mouse.charactersLeft == 0 && mouse.continuationsLeft == 0) parser.state = Ground{};
      if (!continuation) ParseByte(parser, byte, tokens);
      return;
    }
  }
  --mouse.charactersLeft;
  mouse.continuationsLeft = byte >= 0xc2 && byte <= 0xdf ? 1 : 0;
  parser.state = mouse;
  if (mouse.charactersLeft == 0 && mouse.continuationsLeft == 0) parser.state = Ground{};
}

}  // namespace

void ParseByte(Parser& parser, unsigned char byte, std::vector<Token>& tokens) {
  if (const auto* mouse = std::get_if<InMouse>(&parser.state))
    return MouseByte(parser, *mouse, byte, tokens);
  Unit unit{};
  if (Decode(parser.character, byte, unit)) ReadUnit(parser, unit, tokens);
}

void LookForLateRest(Parser& parser) {
  parser.state = AfterEscape{Via::Late};
}

std::vector<Token> ParseWhole(const char* bytes) {
  Parser parser;
  std::vector<Token> tokens;
  for (std::size_t at = 0, length = std::strlen(bytes); at < length; ++at)
    ParseByte(parser, static_cast<unsigned char>(bytes[at]), tokens);
  if (!std::holds_alternative<Ground>(parser.state)) tokens.clear();
  return tokens;
}

}  // namespace zorvane::posix
