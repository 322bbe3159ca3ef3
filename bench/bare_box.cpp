// The baseline for zorvane.exe's start-up under Wine: nothing but the
// message box that zorvane shows for `zorvane.exe Hello_there Zt 4`,
// with the same resources.
#include <windows.h>

int main() {
  return MessageBoxA(nullptr, "Hello_there", "Zt", MB_YESNO);
}
