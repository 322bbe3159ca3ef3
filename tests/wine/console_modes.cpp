// Test helper: runs `zorvane.exe /?` on this console after clearing the
// output modes an earlier program may have cleared (processed output,
// wrap at end of line) and placing the cursor at row ROW, then writes the
// screen buffer's rows to OUTFILE, trailing blanks dropped, after a line
// "cursor X Y".
//
//   console_modes.exe ZORVANE_EXE ROW OUTFILE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  GetConsoleMode(output, &mode);
  SetConsoleMode(output, mode & ~(ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT));
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return 1;
  DWORD written = 0;
  FillConsoleOutputCharacterA(output, ' ', static_cast<DWORD>(info.dwSize.X * info.dwSize.Y),
                              COORD{0, 0}, &written);
  SetConsoleCursorPosition(output, COORD{0, static_cast<SHORT>(std::atoi(argv[2]))});

  std::string command = std::string("\"") + argv[1] + "\" /?";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process))
    return 1;
  WaitForSingleObject(process.hProcess, 30000);

  GetConsoleScreenBufferInfo(output, &info);
  FILE* out = std::fopen(argv[3], "wb");
  if (!out) return 1;
  std::fprintf(out, "cursor %d %d\n", info.dwCursorPosition.X, info.dwCursorPosition.Y);
  std::string row(static_cast<std::size_t>(info.dwSize.X), ' ');
  for (SHORT y = 0; y < info.dwSize.Y; ++y) {
    DWORD read = 0;
    ReadConsoleOutputCharacterA(output, row.data(), static_cast<DWORD>(row.size()), COORD{0, y},
                                &read);
    const std::size_t end = row.find_last_not_of(' ');
    std::fprintf(out, "%s\n", end == std::string::npos ? "" : row.substr(0, end + 1).c_str());
  }
  std::fclose(out);
  SetConsoleMode(output, mode);
  return 0;
}
