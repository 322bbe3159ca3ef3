// Test helper: asks window ID (decimal) to close, as a window manager's
// close box does, by sending it WM_DELETE_WINDOW; with --destroy, destroys
// it outright, as another client may.
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const bool destroy = argc == 3 && std::strcmp(argv[1], "--destroy") == 0;
  if (argc != 2 && !destroy) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const auto window = static_cast<Window>(std::strtoul(argv[argc - 1], nullptr, 10));
  if (destroy) {
    XDestroyWindow(display, window);
  } else {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
  }
  XCloseDisplay(display);
  return 0;
}
