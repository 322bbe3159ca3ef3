// Prints the window that owns an X selection (0 for none), for the tests
// of the desktop box's clipboard.
#include <X11/Xlib.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  std::printf("%lu\n", XGetSelectionOwner(display, XInternAtom(display, argv[1], False)));
  XCloseDisplay(display);
  return 0;
}
