// Test helper: finds the message box with the given title and prints the
// class and text of each of its controls, one "class<TAB>text" line each
// (text bytes as they stand, CR and LF escaped as \r and \n), the default
// button marked with a trailing "<TAB>default". Exit status 1 if no such
// box exists.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace {

std::string Escaped(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '\r')
      out += "\\r";
    else if (*p == '\n')
      out += "\\n";
    else if (*p == '\\')
      out += "\\\\";
    else
      out += *p;
  }
  return out;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
  char className[64] = {0};
  char text[4096] = {0};
  GetClassNameA(control, className, sizeof className);
  GetWindowTextA(control, text, sizeof text);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const bool isDefault = lstrcmpiA(className, "Button") == 0 && (style & 0x0F) == BS_DEFPUSHBUTTON;
  std::printf("%s\t%s%s\n", className, Escaped(text).c_str(), isDefault ? "\tdefault" : "");
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  _setmode(_fileno(stdout), _O_BINARY);
  HWND box = FindWindowA("#32770", argv[1]);
  if (!box) return 1;
  EnumChildWindows(box, PrintControl, 0);
  std::fflush(stdout);
  return 0;
}
