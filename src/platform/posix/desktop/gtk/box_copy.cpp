#include "platform/posix/desktop/gtk/box_copy.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>

#include "platform/posix/desktop/gtk/clipboard_keeper.h"
#include "platform/posix/desktop/gtk/utf8_text.h"

namespace zorvane::posix {

std::string CopyText(const std::string& title, const std::string& text, const std::string& labels) {
  const std::string rule = "---------------------------\n";
  return rule + title + "\n" + rule + WithLineFeeds(text) + "\n" + rule + labels + "\n" + rule;
}

void CopyToClipboard(const std::string& copied) {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, copied.c_str(), static_cast<gint>(copied.size()));
}

void KeepCopy(const std::string& copied) {
  GdkDisplay* display = gdk_display_get_default();
  if (copied.empty() || !GDK_IS_X11_DISPLAY(display)) return;
  if (!IsLocalDisplay(gdk_display_get_name(display))) return;
  // Another client's window comes back as a foreign one: it copied since.
  GdkWindow* owner = gdk_selection_owner_get_for_display(display, GDK_SELECTION_CLIPBOARD);
  if (!owner || gdk_window_get_window_type(owner) == GDK_WINDOW_FOREIGN) return;
  if (!KeepOnClipboard(gdk_display_get_name(display), copied, gdk_x11_window_get_xid(owner)))
    return;
  // The box holds the clipboard until the keeper has it, a second at most,
  // so that it is never empty in between.
  for (int waited = 0; waited < 100; ++waited) {
    if (gdk_selection_owner_get_for_display(display, GDK_SELECTION_CLIPBOARD) != owner) break;
    g_usleep(10000);
  }
}

// The key that types C on the first layout, whatever layout is active
// (a Russian one types С there), as GTK's own accelerators match keys.
bool IsCopyKey(const GdkEventKey* event) {
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  bool found = gdk_keyval_to_lower(event->keyval) == GDK_KEY_c;
  if (gdk_keymap_get_entries_for_keyval(keymap, GDK_KEY_c, &keys, &count)) {
    for (gint i = 0; i < count; ++i) found = found || keys[i].keycode == event->hardware_keycode;
    g_free(keys);
  }
  return found;
}

}  // namespace zorvane::posix
