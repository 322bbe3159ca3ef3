#include "platform/posix/desktop/gtk/clipboard_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <glib.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <ctime>

namespace zorvane::posix {
namespace {

struct Atoms {
  Atom clipboard, targets, utf8, text, timestamp, stamp;
};

Atoms InternAtoms(Display* display) {
  return {XInternAtom(display, "CLIPBOARD", False),   XInternAtom(display, "TARGETS", False),
          XInternAtom(display, "UTF8_STRING", False), XInternAtom(display, "TEXT", False),
          XInternAtom(display, "TIMESTAMP", False),   XInternAtom(display, "ZORVANE_STAMP", False)};
}

// The server's time now, from the event a property change brings: the
// selection is taken at that time, later than the box's own copy.
Time ServerTime(Display* display, Window window, Atom stamp) {
  XChangeProperty(display, window, stamp, XA_STRING, 8, PropModeReplace, nullptr, 0);
  XEvent event;
  do {
    XWindowEvent(display, window, PropertyChangeMask, &event);
  } while (event.type != PropertyNotify);
  return event.xproperty.time;
}

// Puts the text for one request on the requestor's property: as UTF-8,
// as Latin-1 for STRING, or the list of targets. False for any other
// target, which is refused.
bool Offer(Display* display, const XSelectionRequestEvent& request, Atom property,
           const Atoms& atoms, const std::string& utf8, Time taken) {
  auto put = [&](Atom type, int format, const void* data, int count) {
    XChangeProperty(display, request.requestor, property, type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), count);
    return true;
  };
  if (request.target == atoms.targets) {
    const Atom offered[] = {atoms.targets, atoms.utf8, atoms.text, XA_STRING, atoms.timestamp};
    return put(XA_ATOM, 32, offered, 5);
  }
  if (request.target == atoms.utf8 || request.target == atoms.text)
    return put(atoms.utf8, 8, utf8.data(), static_cast<int>(utf8.size()));
  if (request.target == atoms.timestamp) {
    const long time = static_cast<long>(taken);
    return put(XA_INTEGER, 32, &time, 1);
  }
  if (request.target != XA_STRING) return false;
  gsize length = 0;
  gchar* latin1 = g_convert_with_fallback(utf8.data(), static_cast<gssize>(utf8.size()),
                                          "ISO-8859-1", "UTF-8", "?", nullptr, &length, nullptr);
  const bool offered = latin1 && put(XA_STRING, 8, latin1, static_cast<int>(length));
  g_free(latin1);
  return offered;
}

// Answers one request; one from before the selection was taken is refused.
void Answer(Display* display, const XSelectionRequestEvent& request, const Atoms& atoms,
            const std::string& utf8, Time taken) {
  XSelectionEvent reply{};
  reply.type = SelectionNotify;
  reply.display = request.display;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = None;
  const Atom property = request.property == None ? request.target : request.property;
  const bool inTime = request.time == CurrentTime || request.time >= taken;
  if (inTime && Offer(display, request, property, atoms, utf8, taken)) reply.property = property;
  XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
  XFlush(display);
}

int LeaveOnLostDisplay(Display*) {
  _exit(0);
}

void Serve(const std::string& name, const std::string& utf8) {
  XSetIOErrorHandler(LeaveOnLostDisplay);
  Display* display = XOpenDisplay(name.c_str());
  if (!display) return;
  const Atoms atoms = InternAtoms(display);
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  const Time taken = ServerTime(display, window, atoms.stamp);
  XSetSelectionOwner(display, atoms.clipboard, window, taken);
  if (XGetSelectionOwner(display, atoms.clipboard) != window) return;
  const std::time_t end = std::time(nullptr) + std::time_t{ServeMinutes} * 60;
  for (std::time_t now = std::time(nullptr); now < end; now = std::time(nullptr)) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionClear) return;  // another client has the clipboard now
      if (event.type == SelectionRequest)
        Answer(display, event.xselectionrequest, atoms, utf8, taken);
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(end - now) * 1000);
  }
}

}  // namespace

void KeepOnClipboard(const std::string& display, const std::string& utf8) {
  if (fork() != 0) return;
  // A process of its own: no terminal, no descriptor of the box's or the
  // caller's, no signal of the caller's job.
  setsid();
  close_range(3, ~0U, 0);
  std::signal(SIGHUP, SIG_IGN);
  Serve(display, utf8);
  _exit(0);
}

}  // namespace zorvane::posix
