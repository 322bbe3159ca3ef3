#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvane::posix {

// Text ready for a terminal: bytes in the current locale's encoding that
// hold no control character, and the columns they take.
struct TerminalLine {
  std::string bytes;
  int columns = 0;
};

// One line of `text` with every control character (C0, DEL, C1) and every
// undecodable byte replaced by a visible placeholder, line breaks included.
TerminalLine SafeTerminalLine(std::string_view text);

// SafeTerminalLine of `text`, cut to at most `width` columns; where it is
// cut, `mark` ends it.
TerminalLine FitTerminalLine(std::string_view text, int width, const TerminalLine& mark);

// What ends a cut line: an ellipsis where the locale speaks UTF-8, "..." elsewhere.
TerminalLine CutMark();

// Whether the locale's encoding is UTF-8, so that signs and box-drawing
// characters can be used.
bool LocaleIsUtf8();

// `text` split at its line breaks (CR LF, LF or CR), made safe, and
// wrapped to at most `width` columns, at a space where one allows it.
std::vector<TerminalLine> WrapTerminalText(std::string_view text, int width);

}  // namespace zorvane::posix
