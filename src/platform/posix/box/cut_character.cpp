#include "platform/posix/box/cut_character.h"

#include "platform/posix/box/characters.h"

namespace zorvane::posix {
namespace {

// Where an incomplete character at the end begins, in the locale's
// encoding; npos where the text ends whole or breaks earlier.
std::size_t LocaleCut(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const Character character = DecodeAt(text, at);
    if (character.decoding == Decoding::Incomplete) return at;
    if (character.decoding == Decoding::Broken) return std::string::npos;
    at += character.length;
  }
  return std::string::npos;
}

std::size_t Utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// The same in UTF-8, where everything before the cut is UTF-8.
std::size_t Utf8Cut(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8Length(static_cast<unsigned char>(text[at]));
    if (length == 0) return std::string::npos;
    for (std::size_t i = 1; i < length && at + i < text.size(); ++i) {
      if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80) return std::string::npos;
    }
    if (at + length > text.size()) return at;
    at += length;
  }
  return std::string::npos;
}

}  // namespace

std::string DropCutCharacter(std::string text, std::size_t limit) {
  if (text.size() < limit) return text;
  std::size_t cut = LocaleCut(text);
  if (cut == std::string::npos) cut = Utf8Cut(text);
  if (cut != std::string::npos) text.resize(cut);
  return text;
}

}  // namespace zorvane::posix
