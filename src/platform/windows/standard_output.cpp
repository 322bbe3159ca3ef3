#include <windows.h>

#include "platform/platform.h"

namespace zorvane::platform {
namespace {

// Where the next byte goes on an interactive console, and how it looks.
struct ConsoleCursor {
  HANDLE output;
  COORD size;  // of the screen buffer
  COORD at;
  WORD attributes;
};

// A buffer one column wide or a window one row tall cannot show text the
// way a terminal does; such a console is written like a file.
bool OpenConsole(HANDLE output, ConsoleCursor& cursor) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return false;
  const int rows = info.srWindow.Bottom - info.srWindow.Top + 1;
  cursor = {output, info.dwSize, info.dwCursorPosition, info.wAttributes};
  return info.dwSize.X > 1 && rows > 1;
}

void AddProcessedInput(HANDLE input) {
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode)) SetConsoleMode(input, mode | ENABLE_PROCESSED_INPUT);
}

// Down one row; past the buffer's last row, the buffer scrolls up by one
// and the new row is blank in the current colours.
void NewRow(ConsoleCursor& cursor) {
  cursor.at.X = 0;
  if (cursor.at.Y + 1 < cursor.size.Y) {
    ++cursor.at.Y;
    return;
  }
  const SMALL_RECT moved{0, 1, static_cast<SHORT>(cursor.size.X - 1),
                         static_cast<SHORT>(cursor.size.Y - 1)};
  CHAR_INFO blank;
  blank.Char.AsciiChar = ' ';
  blank.Attributes = cursor.attributes;
  ScrollConsoleScreenBufferA(cursor.output, &moved, nullptr, COORD{0, 0}, &blank);
  DWORD written = 0;
  const COORD lastRow{0, static_cast<SHORT>(cursor.size.Y - 1)};
  FillConsoleOutputCharacterA(cursor.output, ' ', static_cast<DWORD>(cursor.size.X), lastRow,
                              &written);
  FillConsoleOutputAttribute(cursor.output, cursor.attributes, static_cast<DWORD>(cursor.size.X),
                             lastRow, &written);
}

// Places text into the screen buffer itself, as a terminal shows it:
// CR to the row's start, LF to the next row, every other byte a cell,
// wrapping at the buffer's width. The console's output modes, whatever an
// earlier program left them at, play no part.
void PlaceOnConsole(ConsoleCursor& cursor, std::string_view piece) {
  CHAR_INFO cells[128];
  while (!piece.empty()) {
    const char byte = piece.front();
    if (byte == '\r' || byte == '\n') {
      if (byte == '\r') cursor.at.X = 0;
      if (byte == '\n') NewRow(cursor);
      piece.remove_prefix(1);
      continue;
    }
    SHORT count = 0;
    const SHORT room = static_cast<SHORT>(cursor.size.X - cursor.at.X);
    while (count < room && count < 128 && static_cast<std::size_t>(count) < piece.size() &&
           piece[static_cast<std::size_t>(count)] != '\r' &&
           piece[static_cast<std::size_t>(count)] != '\n') {
      cells[count].Char.AsciiChar = piece[static_cast<std::size_t>(count)];
      cells[count].Attributes = cursor.attributes;
      ++count;
    }
    SMALL_RECT target{cursor.at.X, cursor.at.Y, static_cast<SHORT>(cursor.at.X + count - 1),
                      cursor.at.Y};
    WriteConsoleOutputA(cursor.output, cells, COORD{count, 1}, COORD{0, 0}, &target);
    piece.remove_prefix(static_cast<std::size_t>(count));
    cursor.at.X = static_cast<SHORT>(cursor.at.X + count);
    if (cursor.at.X >= cursor.size.X) NewRow(cursor);
  }
}

// Repeats until every byte is accepted; a failed write, or one that
// reports success but takes nothing, ends the piece rather than spinning.
void WriteToFile(HANDLE output, std::string_view piece) {
  while (!piece.empty()) {
    DWORD written = 0;
    if (!WriteFile(output, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) ||
        written == 0)
      return;
    piece.remove_prefix(written < piece.size() ? written : piece.size());
  }
}

}  // namespace

void WriteStandardOutput(const std::string_view* pieces, std::size_t count) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  ConsoleCursor cursor{};
  const bool console = OpenConsole(output, cursor);
  AddProcessedInput(GetStdHandle(STD_INPUT_HANDLE));
  for (std::size_t i = 0; i < count; ++i) {
    if (console) {
      PlaceOnConsole(cursor, pieces[i]);
    } else {
      WriteToFile(output, pieces[i]);
    }
  }
  if (console) SetConsoleCursorPosition(output, cursor.at);
}

}  // namespace zorvane::platform
