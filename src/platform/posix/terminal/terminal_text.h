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

// The first cluster of `text` as a terminal draws it in one cell (two for
// a wide character): a character and the zero-width ones that follow it
// (combining marks, joiners, variation selectors). `columns` is 0 for a
// mark with nothing before it.
struct Cluster {
  std::size_t length = 0;  // bytes
  int columns = 0;
};
Cluster ClusterAt(std::string_view text);

// One line of `text` with every control character (C0, DEL, C1) and every
// undecodable byte replaced by a visible placeholder, line breaks included.
// A mark with nothing before it gets a no-break space to sit on, so that
// it never joins what the terminal shows before it.
TerminalLine SafeTerminalLine(std::string_view text);

// SafeTerminalLine of `text`, cut to at most `width` columns, never inside
// a cluster; where it is cut, `mark` ends it.
TerminalLine FitTerminalLine(std::string_view text, int width, const TerminalLine& mark);

// What ends a cut line: an ellipsis where the locale speaks UTF-8, "..." elsewhere.
TerminalLine CutMark();

// Whether the locale's encoding is UTF-8, so that signs and box-drawing
// characters can be used.
bool LocaleIsUtf8();

// `text` split at its line breaks (CR LF, LF or CR), made safe, and
// wrapped to at most `width` columns, at a space where one allows it, never
// inside a cluster.
std::vector<TerminalLine> WrapTerminalText(std::string_view text, int width);

}  // namespace zorvane::posix
