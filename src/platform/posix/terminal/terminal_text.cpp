#include "platform/posix/terminal/terminal_text.h"

#include <langinfo.h>

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

// Decodes one character at the front of `text` and says how many bytes it took.
TerminalLine NextCell(std::string_view text, std::size_t& consumed) {
  const Character decoded = DecodeAt(text);
  consumed = decoded.length;
  if (decoded.decoding != Decoding::Whole) return Placeholder(0xFFFD);
  const wchar_t character = decoded.code;
  if (character == 0 || std::iswcntrl(static_cast<wint_t>(character))) {
    return Placeholder(static_cast<wint_t>(character));
  }
  const int columns = wcwidth(character);
  if (columns < 0) return Placeholder(0xFFFD);
  return {std::string(text.substr(0, consumed)), columns};
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
