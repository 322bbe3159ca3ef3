#include "platform/posix/desktop/gtk/screen_fit.h"

#include <gdk/gdkx.h>

#include <algorithm>

namespace zorvane::posix {
namespace {

int NaturalWidth(GtkWidget* widget) {
  int natural = 0;
  gtk_widget_get_preferred_width(widget, nullptr, &natural);
  return natural;
}

// Where a centred box shows: the primary monitor, or the first.
GdkMonitor* BoxMonitor(GdkDisplay* display) {
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (!monitor && gdk_display_get_n_monitors(display) > 0)
    monitor = gdk_display_get_monitor(display, 0);
  return monitor;
}

}  // namespace

GdkRectangle WorkArea(GtkWidget* widget) {
  GdkRectangle area{0, 0, 800, 600};
  if (GdkMonitor* monitor = BoxMonitor(gtk_widget_get_display(widget)))
    gdk_monitor_get_workarea(monitor, &area);
  return area;
}

void NarrowToFit(GtkLabel* label, int room) {
  constexpr int FewestChars = 8;       // below this a line holds too little to read
  gtk_widget_show(GTK_WIDGET(label));  // a hidden widget measures nothing
  int chars = TextWidthChars;
  while (NaturalWidth(GTK_WIDGET(label)) > room && chars > FewestChars) {
    chars = std::max(FewestChars, chars * 4 / 5);
    gtk_label_set_max_width_chars(label, chars);
  }
}

// The scroller never takes the focus: the keys that scroll it are the
// box's own (see ScrollText).
GtkWidget* ScrolledWhereTall(GtkWidget* label, int limit) {
  gtk_widget_show(label);
  int width = NaturalWidth(label), natural = 0;
  gtk_widget_get_preferred_height_for_width(label, width, nullptr, &natural);
  if (natural <= limit) return label;
  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  GtkScrolledWindow* scrolled = GTK_SCROLLED_WINDOW(scroller);
  gtk_scrolled_window_set_policy(scrolled, GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_propagate_natural_width(scrolled, TRUE);
  gtk_scrolled_window_set_propagate_natural_height(scrolled, TRUE);
  gtk_scrolled_window_set_max_content_height(scrolled, limit);
  // A scrollbar from the start, not only once scrolled: there is more to read.
  gtk_scrolled_window_set_overlay_scrolling(scrolled, FALSE);
  gtk_widget_set_can_focus(scroller, FALSE);
  gtk_container_add(GTK_CONTAINER(scroller), label);
  return scroller;
}

// The window manager draws the title on X, so GTK cannot know its width:
// the title's, a tenth more for the title bar's bold letters, and room for
// the bar's own buttons, up to the work area's width. Where GTK draws the
// bar itself (Wayland) it ellipsizes the title there, and the box stays
// as wide as its text. Measured in the text's font, which is loaded anyway.
void FitTitle(GtkWidget* dialog, const std::string& title, int widest) {
  PangoLayout* layout = gtk_widget_create_pango_layout(dialog, title.c_str());
  int titleWidth = 0;
  pango_layout_get_pixel_size(layout, &titleWidth, nullptr);
  if (!GDK_IS_X11_DISPLAY(gtk_widget_get_display(dialog))) {
    pango_layout_set_text(layout, std::string(TextWidthChars, 'n').c_str(), -1);
    int textWidth = 0;
    pango_layout_get_pixel_size(layout, &textWidth, nullptr);
    widest = std::min(widest, textWidth);
  }
  g_object_unref(layout);
  constexpr int TitleBarButtons = 96;  // a close box and margins, as common themes draw them
  gtk_widget_set_size_request(dialog, std::min(titleWidth * 11 / 10 + TitleBarButtons, widest), -1);
}

// Side by side where they fit; else each as wide as its own label; else
// one above the other.
void FitButtons(GtkWidget* dialog, GtkWidget* button, int width) {
  GtkWidget* row = gtk_widget_get_parent(button);
  if (NaturalWidth(dialog) <= width || !GTK_IS_BUTTON_BOX(row)) return;
  GList* buttons = gtk_container_get_children(GTK_CONTAINER(row));
  for (GList* item = buttons; item; item = item->next)
    gtk_button_box_set_child_non_homogeneous(GTK_BUTTON_BOX(row), GTK_WIDGET(item->data), TRUE);
  g_list_free(buttons);
  if (NaturalWidth(dialog) > width)
    gtk_orientable_set_orientation(GTK_ORIENTABLE(row), GTK_ORIENTATION_VERTICAL);
}

int TextHeightLimit(GtkWidget* dialog, int height) {
  constexpr int FewestPixels = 16;  // a line, at least, to show that there is text
  int rest = 0;                     // the buttons and the margins
  gtk_widget_get_preferred_height(dialog, nullptr, &rest);
  return std::max(FewestPixels, std::min(height / 2, height - rest - 2 * TextMargins));
}

void UnscaleWhereTiny(GdkDisplay* display) {
  if (!GDK_IS_X11_DISPLAY(display)) return;
  GdkMonitor* monitor = BoxMonitor(display);
  if (!monitor || gdk_monitor_get_scale_factor(monitor) == 1) return;
  GdkRectangle area{};
  gdk_monitor_get_workarea(monitor, &area);
  if (area.width < SmallestWidth || area.height < SmallestHeight)
    gdk_x11_display_set_window_scale(display, 1);
}

}  // namespace zorvane::posix
