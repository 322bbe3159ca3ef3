// The GTK 3 dialog, built as a module that the binary loads only when a
// box is to be shown on a display.
#include "platform/posix/desktop/gtk/gtk_box.h"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "icon_picture.h"
#include "platform/posix/box_buttons.h"
#include "platform/posix/desktop/gtk/utf8_text.h"

namespace zorvane::posix {
namespace {

struct DialogState {
  const BoxLayout* layout;
  std::string title;  // UTF-8, as shown
  std::string text;
  std::string labels;
};

struct IconLook {
  const char* iconName;
  const char* accessibleName;  // what a screen reader says for it
};

IconLook IconOf(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error: return {"dialog-error", "Critical"};
    case BoxIcon::Question: return {"dialog-question", "Question"};
    case BoxIcon::Warning: return {"dialog-warning", "Exclamation"};
    case BoxIcon::Information: return {"dialog-information", "Information"};
    case BoxIcon::NoIcon: break;
  }
  return {nullptr, nullptr};
}

// The work area of the monitor the box will show on, or a small screen's.
GdkRectangle WorkArea(GtkWidget* widget) {
  GdkRectangle area{0, 0, 800, 600};
  GdkDisplay* display = gtk_widget_get_display(widget);
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor && gdk_display_get_n_monitors(display) > 0)
    monitor = gdk_display_get_monitor(display, 0);
  if (monitor) gdk_monitor_get_workarea(monitor, &area);
  return area;
}

// Icon and text side by side, as in a message box; the label is plain
// text, so markup, mnemonics and format directives all show as typed. It
// wraps by word, and inside a word where one is longer than a line; text
// taller than half the screen scrolls, so the buttons stay on the screen.
void AddMessage(GtkDialog* dialog, const std::string& text, BoxIcon icon) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(row), 12);
  if (const IconLook look = IconOf(icon); look.iconName) {
    GtkWidget* image = gtk_image_new_from_icon_name(look.iconName, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    atk_object_set_name(gtk_widget_get_accessible(image), look.accessibleName);
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
  }
  GtkWidget* label = gtk_label_new(text.c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 60);
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_yalign(GTK_LABEL(label), 0);
  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  GtkScrolledWindow* scrolled = GTK_SCROLLED_WINDOW(scroller);
  gtk_scrolled_window_set_policy(scrolled, GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_propagate_natural_width(scrolled, TRUE);
  gtk_scrolled_window_set_propagate_natural_height(scrolled, TRUE);
  gtk_scrolled_window_set_max_content_height(scrolled, WorkArea(row).height / 2);
  gtk_container_add(GTK_CONTAINER(scroller), label);
  gtk_box_pack_start(GTK_BOX(row), scroller, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(dialog)), row, TRUE, TRUE, 0);
  gtk_widget_show_all(row);
}

// A long title would widen a box whose title bar GTK draws itself (on
// Wayland): it is cut, with a mark, at the text's own width.
std::string ShortTitle(const std::string& title) {
  constexpr glong Longest = 60;
  if (g_utf8_strlen(title.c_str(), -1) <= Longest) return title;
  const gchar* end = g_utf8_offset_to_pointer(title.c_str(), Longest - 1);
  return std::string(title.c_str(), end) + "\u2026";
}

// One line end throughout: the text's own CR LF becomes LF.
std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

GLogWriterOutput DropLog(GLogLevelFlags, const GLogField*, gsize, gpointer) {
  return G_LOG_WRITER_HANDLED;
}

// Ctrl+C copies the box as text, the way Windows' message box does.
void CopyBox(const DialogState& state) {
  const std::string rule = "---------------------------\n";
  const std::string copy = rule + state.title + "\n" + rule + WithLineFeeds(state.text) + "\n" +
                           rule + state.labels + "\n" + rule;
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, copy.c_str(), static_cast<gint>(copy.size()));
  gtk_clipboard_store(clipboard);
}

// A button's access key works without Alt and in either case, as in
// Windows' message box; where two buttons share it, the first one wins.
gboolean OnKeyPress(GtkWidget* dialog, GdkEventKey* event, gpointer data) {
  const auto* state = static_cast<const DialogState*>(data);
  const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
  if (modifiers == GDK_CONTROL_MASK && gdk_keyval_to_lower(event->keyval) == GDK_KEY_c) {
    CopyBox(*state);
    return TRUE;
  }
  if ((modifiers & ~(GDK_MOD1_MASK | GDK_SHIFT_MASK)) != 0) return FALSE;
  const auto typed = static_cast<wchar_t>(gdk_keyval_to_unicode(event->keyval));
  const std::optional<std::size_t> button = ButtonOfLetter(*state->layout, typed);
  if (!button) return FALSE;
  gtk_dialog_response(GTK_DIALOG(dialog), state->layout->buttons[*button].code);
  return TRUE;
}

gboolean AskForAttention(GtkWidget* window, GdkEvent*, gpointer) {
  gtk_window_set_urgency_hint(GTK_WINDOW(window), TRUE);
  return FALSE;
}

// The window icon, drawn from the same picture as the installed icons:
// no image file to find and no image loader to start.
void SetWindowIcon(GtkWindow* window) {
  using namespace zorvane::icon;
  constexpr int Size = 48;
  GdkPixbuf* icon = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, Size, Size);
  guchar* pixels = gdk_pixbuf_get_pixels(icon);
  const int stride = gdk_pixbuf_get_rowstride(icon);
  for (int row = 0; row < Size; ++row) {
    for (int column = 0; column < Size; ++column) {
      const Colour colour = ColourAt((column + 0.5) / Size, (row + 0.5) / Size);
      guchar* pixel =
          pixels + static_cast<std::ptrdiff_t>(row) * stride + std::ptrdiff_t{4} * column;
      const Rgb rgb = Palette[colour];
      pixel[0] = rgb.red;
      pixel[1] = rgb.green;
      pixel[2] = rgb.blue;
      pixel[3] = colour == Clear ? 0 : 255;
    }
  }
  gtk_window_set_icon(window, icon);
  g_object_unref(icon);
}

GtkWidget* BuildDialog(DialogState& state) {
  const BoxLayout& layout = *state.layout;
  GtkWidget* dialog = gtk_dialog_new();
  GtkWindow* window = GTK_WINDOW(dialog);
  gtk_window_set_title(window, ShortTitle(state.title).c_str());
  // Read out as Windows' message box is: an alert, whose text is its description.
  AtkObject* accessible = gtk_widget_get_accessible(dialog);
  atk_object_set_role(accessible, ATK_ROLE_ALERT);
  atk_object_set_description(accessible, state.text.c_str());
  gtk_window_set_resizable(window, FALSE);
  AddMessage(GTK_DIALOG(dialog), state.text, layout.icon);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  SetWindowIcon(window);
  GtkWidget* focused = nullptr;
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const BoxButton& button = layout.buttons[i];
    const std::string label = LocaleTextToUtf8(button.label);
    GtkWidget* widget = gtk_dialog_add_button(GTK_DIALOG(dialog), label.c_str(), button.code);
    state.labels += (i ? "   " : "") + PlainLabel(label);
    if (i == layout.defaultButton) focused = widget;
  }
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), layout.buttons[layout.defaultButton].code);
  gtk_widget_grab_focus(focused);
  if (layout.escapeCode == 0) {
    gtk_window_set_deletable(window, FALSE);
  }
  if (layout.systemModal) {
    // X only; on Wayland, presenting the window is all a client may ask.
    gtk_window_set_keep_above(window, TRUE);
    // GDK drops the hint while the window is unmapped, so ask once it shows.
    g_signal_connect(dialog, "map-event", G_CALLBACK(AskForAttention), nullptr);
  }
  g_signal_connect(dialog, "key-press-event", G_CALLBACK(OnKeyPress), &state);
  return dialog;
}

}  // namespace
}  // namespace zorvane::posix

extern "C" int ZorvaneShowGtkBox(const zorvane::posix::GtkBoxRequest* request) {
  using namespace zorvane::posix;
  g_log_set_writer_func(DropLog, nullptr, nullptr);  // the tool writes nothing to stderr
  // X first: only there does system modal keep the box above the rest.
  gdk_set_allowed_backends("x11,wayland");
  if (!gtk_init_check(nullptr, nullptr)) return -1;
  DialogState state{request->layout, LocaleTextToUtf8(request->title),
                    LocaleTextToUtf8(request->text), ""};
  GtkWidget* dialog = BuildDialog(state);
  // Another client may destroy the window; then the pointer is cleared.
  g_signal_connect(dialog, "destroy", G_CALLBACK(gtk_widget_destroyed), &dialog);
  // Escape and the close box both arrive as a delete event; where the box
  // has no answer for them they do nothing and the dialog carries on.
  const int escapeCode = request->layout->escapeCode;
  int response = gtk_dialog_run(GTK_DIALOG(dialog));
  while (response == GTK_RESPONSE_DELETE_EVENT && escapeCode == 0) {
    response = gtk_dialog_run(GTK_DIALOG(dialog));
  }
  if (dialog) gtk_widget_destroy(dialog);
  if (response == GTK_RESPONSE_DELETE_EVENT) return escapeCode;
  return response > 0 ? response : 0;
}
