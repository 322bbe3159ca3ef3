#include "platform/posix/desktop/gtk/caller_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gdk/gdkwayland.h>
#include <gdk/gdkx.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace zorvane::posix {
namespace {

// The caller's activation token, taken once: it is good for one window,
// and no program the box starts may use it again.
std::string TakeActivationToken() {
  const char* token = std::getenv("XDG_ACTIVATION_TOKEN");
  std::string taken = token ? token : "";
  unsetenv("XDG_ACTIVATION_TOKEN");
  return taken;
}

bool Exists(Display* display, Window window) {
  GdkDisplay* gdk = gdk_display_get_default();
  gdk_x11_display_error_trap_push(gdk);
  XWindowAttributes attributes;
  const Status found = XGetWindowAttributes(display, window, &attributes);
  return gdk_x11_display_error_trap_pop(gdk) == 0 && found != 0;
}

bool HasName(Display* display, Window window) {
  XTextProperty name{};
  const bool named = XGetWMName(display, window, &name) != 0 && name.value;
  if (name.value) XFree(name.value);
  return named;
}

// The top-level window that holds `window`: the one with a name, which
// window managers stack by (GNOME Terminal names a window inside it).
Window TopLevel(Display* display, Window window) {
  while (window != None && !HasName(display, window)) {
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
    if (children) XFree(children);
    window = parent == root ? None : parent;
  }
  return window;
}

}  // namespace

std::optional<unsigned long> WindowIdOf(const char* value) {
  if (!value || *value < '0' || *value > '9') return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const unsigned long id = std::strtoul(value, &end, 10);
  if (*end != '\0' || errno != 0 || id == 0) return std::nullopt;
  return id;
}

void BelongToCaller(GtkWindow* window) {
  GdkDisplay* gdk = gdk_display_get_default();
  if (!GDK_IS_X11_DISPLAY(gdk)) return;
  const std::optional<unsigned long> caller = WindowIdOf(std::getenv("WINDOWID"));
  if (!caller) return;
  Display* display = GDK_DISPLAY_XDISPLAY(gdk);
  if (!Exists(display, *caller)) return;
  const Window terminal = TopLevel(display, *caller);
  if (terminal == None) return;
  gtk_widget_realize(GTK_WIDGET(window));
  XSetTransientForHint(display, GDK_WINDOW_XID(gtk_widget_get_window(GTK_WIDGET(window))),
                       terminal);
}

void ShowAsCallerAsks(GtkWindow* window) {
  GdkDisplay* gdk = gdk_display_get_default();
  const std::string token = TakeActivationToken();
  if (token.empty() || !GDK_IS_WAYLAND_DISPLAY(gdk)) {
    gtk_widget_show(GTK_WIDGET(window));
    return;
  }
  // GTK hands the startup id to the compositor as the window is presented.
  gdk_wayland_display_set_startup_notification_id(gdk, token.c_str());
  gtk_window_present(window);
}

}  // namespace zorvane::posix
