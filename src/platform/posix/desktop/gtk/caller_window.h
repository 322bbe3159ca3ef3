#pragma once

// Where the box stands among the desktop's windows: with the terminal
// that started it, so that the window manager gives it the focus only
// where the user is at that terminal, as its own dialogs do.
#include <gtk/gtk.h>

#include <optional>

namespace zorvane::posix {

// The window a terminal names in WINDOWID (xterm, urxvt, konsole and
// others set it for what runs in them): a decimal X window id; none where
// the variable is absent or no such number.
std::optional<unsigned long> WindowIdOf(const char* value);

// On X, the box is made transient for the top-level window of the
// terminal it was started from, where WINDOWID names one that exists:
// mutter and KWin then focus it if the user is at that terminal, and keep
// it back (asking for attention) if they work in another window. On
// Wayland, a caller's XDG_ACTIVATION_TOKEN is handed to the compositor.
// Before the window is shown.
void BelongToCaller(GtkWindow* window);

// Shows the window, activated with the caller's token where there is one.
void ShowAsCallerAsks(GtkWindow* window);

}  // namespace zorvane::posix
