#include "platform/posix/terminal/terminal_text.h"

#include <langinfo.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "platform/posix/box/characters.h"

namespace zorvane::posix {

bool LocaleIsUtf8() {
  return std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
}

TerminalLine CutMark() {
  return LocaleIsUtf8() ? TerminalLine{"…", 1} : TerminalLine{"...", 3};
}

namespace {

// Control pictures (U+2400 on) where the terminal speaks UTF-8, "?" elsewhere.
TerminalLine Placeholder(wint_t character) {
  if (!LocaleIsUtf8()) return {"?", 1};
  wchar_t picture = L'\uFFFD';
  if (character < 0x20) picture = static_cast<wchar_t>(0x2400 + character);
  if (character == 0x7F) picture = L'\u2421';
  char bytes[MB_LEN_MAX];
  std::mbstate_t state{};
  const std::size_t length = std::wcrtomb(bytes, picture, &state);
  return {std::string(bytes, length), 1};
}

// The columns a whole character takes; -1 for one that is no printable
// character (a control, or none the locale knows).
int Columns(const Character& decoded) {
  if (decoded.decoding != Decoding::Whole || decoded.code == 0 ||
      std::iswcntrl(static_cast<wint_t>(decoded.code)))
    return -1;
  return wcwidth(decoded.code);
}

// Decodes one cluster at the front of `text`, made safe, and says how many
// bytes it took.
TerminalLine NextCell(std::string_view text, std::size_t& consumed) {
  const Character decoded = DecodeAt(text);
  consumed = decoded.length;
  if (decoded.decoding != Decoding::Whole) return Placeholder(0xFFFD);
  const wchar_t character = decoded.code;
  if (character == 0 || std::iswcntrl(static_cast<wint_t>(character))) {
    return Placeholder(static_cast<wint_t>(character));
  }
  const Cluster cluster = ClusterAt(text);
  if (Columns(decoded) < 0) return Placeholder(0xFFFD);
  consumed = cluster.length;
  TerminalLine cell{std::string(text.substr(0, cluster.length)), cluster.columns};
  if (cluster.columns == 0) cell = {"\u00a0" + cell.bytes, 1};  // a mark with no base
  return cell;
}

std::vector<TerminalLine> Cells(std::string_view text) {
  std::vector<TerminalLine> cells;
  while (!text.empty()) {
    std::size_t consumed = 1;
    cells.push_back(NextCell(text, consumed));
    text.remove_prefix(consumed);
  }
  return cells;
}

TerminalLine Join(const std::vector<TerminalLine>& cells, std::size_t from, std::size_t to) {
  TerminalLine line;
  for (std::size_t i = from; i < to; ++i) {
    line.bytes += cells[i].bytes;
    line.columns += cells[i].columns;
  }
  return line;
}

void WrapLine(std::string_view text, int width, std::vector<TerminalLine>& lines) {
  const std::vector<TerminalLine> cells = Cells(text);
  std::size_t start = 0;
  while (start < cells.size() || lines.empty()) {
    std::size_t end = start;
    int columns = 0;
    std::size_t lastSpace = 0;
    while (end < cells.size() && (columns + cells[end].columns <= width || end == start)) {
      columns += cells[end].columns;
      if (cells[end].bytes == " ") lastSpace = end;
      ++end;
    }
    if (end < cells.size() && lastSpace > start) end = lastSpace + 1;
    lines.push_back(Join(cells, start, end));
    start = end;
    if (cells.empty()) break;
  }
}

}  // namespace

Cluster ClusterAt(std::string_view text) {
  const Character base = DecodeAt(text);
  Cluster cluster{base.length, std::max(0, Columns(base))};
  while (cluster.length < text.size()) {
    const Character next = DecodeAt(text, cluster.length);
    if (Columns(next) != 0) break;
    cluster.length += next.length;
  }
  return cluster;
}

TerminalLine SafeTerminalLine(std::string_view text) {
  const std::vector<TerminalLine> cells = Cells(text);
  return Join(cells, 0, cells.size());
}

TerminalLine FitTerminalLine(std::string_view text, int width, const TerminalLine& mark) {
  const std::vector<TerminalLine> cells = Cells(text);
  TerminalLine whole = Join(cells, 0, cells.size());
  if (whole.columns <= width) return whole;
  std::size_t end = 0;
  int columns = 0;
  while (end < cells.size() && columns + cells[end].columns + mark.columns <= width) {
    columns += cells[end++].columns;
  }
  TerminalLine cut = Join(cells, 0, end);
  if (cut.columns + mark.columns <= width) {
    cut.bytes += mark.bytes;
    cut.columns += mark.columns;
  }
  return cut;
}

std::vector<TerminalLine> WrapTerminalText(std::string_view text, int width) {
  std::vector<TerminalLine> lines;
  if (width < 1) width = 1;
  for (;;) {
    const std::size_t lineBreak = text.find_first_of("\r\n");
    std::vector<TerminalLine> wrapped;
    WrapLine(text.substr(0, lineBreak), width, wrapped);
    lines.insert(lines.end(), wrapped.begin(), wrapped.end());
    if (lineBreak == std::string_view::npos) break;
    const bool crlf = text.substr(lineBreak, 2) == "\r\n";
    text.remove_prefix(lineBreak + (crlf ? 2 : 1));
  }
  return lines;
}

}  // namespace zorvane::posix
