#pragma once

// Characters of the locale's encoding, decoded in one place: the key
// reader, the labels' access letters, the prompt, the terminal's text and
// the cut at the length limit all read text through these.
#include <cstddef>
#include <string>
#include <string_view>

namespace zorvane::posix {

enum class Decoding : unsigned char {
  Whole,
  Incomplete,  // the text ends inside the character
  Broken,      // no character of the encoding begins here
};

struct Character {
  wchar_t code = 0;
  std::size_t length = 1;  // bytes taken; 1 for a broken one, so that a reader moves on
  Decoding decoding = Decoding::Broken;
};

// The character that begins at byte `at` of `text`.
Character DecodeAt(std::string_view text, std::size_t at = 0);

wchar_t LowerCase(wchar_t character);

// `text` in lower case, character by character; empty where any of it does
// not decode.
std::wstring Lowered(std::string_view text);

}  // namespace zorvane::posix
