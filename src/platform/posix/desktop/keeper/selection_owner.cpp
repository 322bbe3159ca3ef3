#include "platform/posix/desktop/keeper/selection_owner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <iconv.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <iterator>
#include <vector>

#include "platform/posix/desktop/copy_targets.h"

namespace zorvane::posix {
namespace {

struct Atoms {
  Atom clipboard, targets, timestamp, stamp, manager, saveTargets, utf8, text;
  std::array<Atom, std::size(CopyTargets)> forms;  // CopyTargets, in order
  Atom latin1;
};

Atoms InternAtoms(Display* display) {
  Atoms atoms{XInternAtom(display, "CLIPBOARD", False),
              XInternAtom(display, "TARGETS", False),
              XInternAtom(display, "TIMESTAMP", False),
              XInternAtom(display, "ZORVANE_STAMP", False),
              XInternAtom(display, "CLIPBOARD_MANAGER", False),
              XInternAtom(display, "SAVE_TARGETS", False),
              XInternAtom(display, "UTF8_STRING", False),
              XInternAtom(display, "TEXT", False),
              {},
              XInternAtom(display, Latin1Target, False)};
  for (std::size_t i = 0; i < atoms.forms.size(); ++i)
    atoms.forms[i] = XInternAtom(display, CopyTargets[i], False);
  return atoms;
}

// A manager that takes the text and never says it is done: how long after
// it took the text the keeper leaves the copy to it.
constexpr long HandOverMilliseconds = 1000;

// Milliseconds on a clock that never steps.
long Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
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

// STRING is Latin-1: what it cannot hold becomes "?".
std::string Latin1(const std::string& utf8) {
  iconv_t convert = iconv_open("ISO-8859-1//TRANSLIT", "UTF-8");
  // iconv_open's documented failure value is (iconv_t)-1.
  if (convert == reinterpret_cast<iconv_t>(-1)) return {};  // NOLINT(performance-no-int-to-ptr)
  std::string out(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0 && outLeft > 0) {
    if (iconv(convert, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1)) break;
    // A character Latin-1 lacks, or broken UTF-8: "?" for it, and on.
    *to++ = '?';
    --outLeft;
    do {
      ++in;
      --inLeft;
    } while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xc0) == 0x80);
  }
  iconv_close(convert);
  out.resize(out.size() - outLeft);
  return out;
}

bool IsText(Atom target, const Atoms& atoms) {
  return std::find(atoms.forms.begin(), atoms.forms.end(), target) != atoms.forms.end();
}

// Puts the text for one request on the requestor's property: in the form
// its target asks for (CopyTargets: Latin-1 for STRING, else UTF-8, as the
// box offered it), or the list of targets. False for any other target,
// which is refused.
bool Offer(Display* display, const XSelectionRequestEvent& request, Atom property,
           const Atoms& atoms, const std::string& utf8, Time taken) {
  auto put = [&](Atom type, int format, const void* data, int count) {
    XChangeProperty(display, request.requestor, property, type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), count);
    return true;
  };
  if (request.target == atoms.targets) {
    std::vector<Atom> offered = {atoms.targets, atoms.timestamp};
    offered.insert(offered.end(), atoms.forms.begin(), atoms.forms.end());
    return put(XA_ATOM, 32, offered.data(), static_cast<int>(offered.size()));
  }
  if (request.target == atoms.timestamp) {
    const long time = static_cast<long>(taken);
    return put(XA_INTEGER, 32, &time, 1);
  }
  if (!IsText(request.target, atoms)) return false;
  if (request.target == atoms.latin1) {
    const std::string latin1 = Latin1(utf8);
    return put(XA_STRING, 8, latin1.data(), static_cast<int>(latin1.size()));
  }
  // TEXT is answered as UTF8_STRING, the type its text is in.
  const Atom type = request.target == atoms.text ? atoms.utf8 : request.target;
  return put(type, 8, utf8.data(), static_cast<int>(utf8.size()));
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

}  // namespace

void ServeClipboard(const std::string& name, const std::string& utf8, unsigned long box) {
  XSetIOErrorHandler(LeaveOnLostDisplay);
  Display* display = XOpenDisplay(name.c_str());
  if (!display) return;
  const Atoms atoms = InternAtoms(display);
  const Window window =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  const Time taken = ServerTime(display, window, atoms.stamp);
  const Window before = XGetSelectionOwner(display, atoms.clipboard);
  if (before != None && before != box) return;  // a newer copy, not the box's
  XSetSelectionOwner(display, atoms.clipboard, window, taken);
  if (XGetSelectionOwner(display, atoms.clipboard) != window) return;
  // Where a clipboard manager runs, the freedesktop protocol hands it the
  // copy: it asks for the text, then answers. The keeper is gone once it
  // has answered, or, as some managers never answer, a moment after it
  // took the text. A manager that refuses (an answer with no property) or
  // takes nothing leaves the copy to the keeper, served as where none runs.
  bool handing = XGetSelectionOwner(display, atoms.manager) != None;
  if (handing)
    XConvertSelection(display, atoms.manager, atoms.saveTargets, atoms.saveTargets, window, taken);
  const long end = Now() + long{ServeMinutes} * 60 * 1000;
  long leaveAt = end;  // sooner once a manager has taken the text
  for (long now = Now(); now < leaveAt; now = Now()) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == SelectionClear) return;  // another client has the clipboard now
      if (event.type == SelectionNotify && event.xselection.selection == atoms.manager) {
        if (event.xselection.property != None) return;  // the manager keeps it
        handing = false;
        leaveAt = end;
      }
      if (event.type == SelectionRequest) {
        Answer(display, event.xselectionrequest, atoms, utf8, taken);
        if (handing && leaveAt == end && IsText(event.xselectionrequest.target, atoms))
          leaveAt = Now() + HandOverMilliseconds;
      }
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(std::max(leaveAt - now, 0L)));
  }
}

}  // namespace zorvane::posix
