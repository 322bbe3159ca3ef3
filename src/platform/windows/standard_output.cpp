#include <windows.h>

#include "platform/platform.h"

namespace zorvane::platform {
namespace {

// A buffer one column wide or a window one row tall cannot show text the
// way a terminal does; such a console is written like a file.
bool IsUsableConsole(HANDLE output) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return false;
  const int rows = info.srWindow.Bottom - info.srWindow.Top + 1;
  return info.dwSize.X > 1 && rows > 1;
}

void AddProcessedInput(HANDLE input) {
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode)) SetConsoleMode(input, mode | ENABLE_PROCESSED_INPUT);
}

// Repeats until every byte is accepted; a failed write, or one that
// reports success but takes nothing, ends the piece rather than spinning.
template <typename WriteFunction>
void WriteAll(std::string_view piece, WriteFunction write) {
  while (!piece.empty()) {
    DWORD written = 0;
    if (!write(piece.data(), static_cast<DWORD>(piece.size()), &written) || written == 0) return;
    piece.remove_prefix(written < piece.size() ? written : piece.size());
  }
}

}  // namespace

void WriteStandardOutput(const std::string_view* pieces, std::size_t count) {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const bool console = IsUsableConsole(output);
  AddProcessedInput(GetStdHandle(STD_INPUT_HANDLE));
  for (std::size_t i = 0; i < count; ++i) {
    WriteAll(pieces[i], [&](const char* bytes, DWORD size, DWORD* written) {
      return console ? WriteConsoleA(output, bytes, size, written, nullptr)
                     : WriteFile(output, bytes, size, written, nullptr);
    });
  }
}

}  // namespace zorvane::platform
