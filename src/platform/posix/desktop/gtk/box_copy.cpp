#include "platform/posix/desktop/gtk/box_copy.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkx.h>

#include <string_view>
#include <vector>

#include "platform/posix/desktop/copy_targets.h"
#include "platform/posix/desktop/gtk/clipboard_keeper.h"
#include "platform/posix/desktop/gtk/utf8_text.h"

namespace zorvane::posix {

std::string CopyText(const std::string& title, const std::string& text, const std::string& labels) {
  const std::string rule = "---------------------------\n";
  return rule + title + "\n" + rule + WithLineFeeds(text) + "\n" + rule + labels + "\n" + rule;
}

namespace {

// The copy in the form a target asks for: Latin-1 for STRING (what it
// cannot hold as "?"), UTF-8 as it stands for the rest, never converted to
// CR LF as GTK's own text targets would.
void GiveCopy(GtkClipboard*, GtkSelectionData* data, guint latin1, gpointer copy) {
  const std::string& utf8 = *static_cast<const std::string*>(copy);
  GdkAtom target = gtk_selection_data_get_target(data);
  if (latin1) {
    gsize length = 0;
    gchar* converted =
        g_convert_with_fallback(utf8.data(), static_cast<gssize>(utf8.size()), "ISO-8859-1",
                                "UTF-8", "?", nullptr, &length, nullptr);
    if (!converted) return;
    gtk_selection_data_set(data, target, 8, reinterpret_cast<const guchar*>(converted),
                           static_cast<gint>(length));
    g_free(converted);
    return;
  }
  // TEXT is answered as UTF8_STRING, the type its text is in.
  if (target == gdk_atom_intern_static_string("TEXT"))
    target = gdk_atom_intern_static_string("UTF8_STRING");
  gtk_selection_data_set(data, target, 8, reinterpret_cast<const guchar*>(utf8.data()),
                         static_cast<gint>(utf8.size()));
}

void DropCopy(GtkClipboard*, gpointer copy) {
  delete static_cast<std::string*>(copy);
}

}  // namespace

void CopyToClipboard(const std::string& copied) {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  std::vector<GtkTargetEntry> targets;
  for (const char* name : CopyTargets) {
    const bool latin1 = std::string_view(name) == Latin1Target;
    targets.push_back({const_cast<gchar*>(name), 0, latin1 ? 1U : 0U});
  }
  auto* copy = new std::string(copied);
  if (!gtk_clipboard_set_with_data(clipboard, targets.data(), static_cast<guint>(targets.size()),
                                   GiveCopy, DropCopy, copy))
    delete copy;
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
