// A clipboard manager that will not keep the copy: it owns
// CLIPBOARD_MANAGER and answers SAVE_TARGETS with no property ("refuse")
// or not at all ("silent"), for the tests of the clipboard keeper.
#include <X11/Xlib.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const bool refuse = std::strcmp(argv[1], "refuse") == 0;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, XInternAtom(display, "CLIPBOARD_MANAGER", False), window,
                     CurrentTime);
  XSync(display, False);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type != SelectionRequest || !refuse) continue;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = event.xselectionrequest.requestor;
    reply.selection = event.xselectionrequest.selection;
    reply.target = event.xselectionrequest.target;
    reply.time = event.xselectionrequest.time;
    reply.property = None;
    XSendEvent(display, reply.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
  }
}
