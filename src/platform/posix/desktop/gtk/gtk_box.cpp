// The GTK 3 dialog, in a program of its own that the tool runs only when
// a box is to be shown on a display.
#include "platform/posix/desktop/gtk/gtk_box.h"

#include <X11/extensions/XInput2.h>
#include <gdk/gdkkeysyms.h>
#include <gdk/gdkwayland.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/box/buttons.h"
#include "platform/posix/desktop/gtk/box_copy.h"
#include "platform/posix/desktop/gtk/caller_window.h"
#include "platform/posix/desktop/gtk/deaf_time.h"
#include "platform/posix/desktop/gtk/screen_fit.h"
#include "platform/posix/desktop/gtk/utf8_text.h"
#include "platform/posix/desktop/gtk/window_icon.h"

namespace zorvane::posix {
namespace {

struct DialogState {
  const BoxStyle* style = nullptr;
  void (*shown)() = nullptr;  // told once, as the box first appears
  std::string title;          // UTF-8, as shown
  std::string text;
  std::string labels;
  std::vector<GtkWidget*> buttons;        // left to right
  GtkScrolledWindow* scroller = nullptr;  // only for a text taller than the limit
  std::string copied;                     // the last Ctrl+C, to outlive the box
  DeafTime deaf;
};

// A key by its hardware code, a mouse button above every key code, as
// the deaf time tells them apart; none for other events.
std::optional<std::pair<InputAction, InputId>> InputOf(const GdkEvent* event) {
  switch (event->type) {
    case GDK_KEY_PRESS: return std::pair{InputAction::Press, event->key.hardware_keycode};
    case GDK_KEY_RELEASE: return std::pair{InputAction::Release, event->key.hardware_keycode};
    case GDK_BUTTON_PRESS:
      return std::pair{InputAction::Press, MouseButtonBase + event->button.button};
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
      return std::pair{InputAction::MultiClick, MouseButtonBase + event->button.button};
    case GDK_BUTTON_RELEASE:
      return std::pair{InputAction::Release, MouseButtonBase + event->button.button};
    default: return std::nullopt;
  }
}

void FilterEvent(GdkEvent* event, gpointer data) {
  DeafTime& deaf = static_cast<DialogState*>(data)->deaf;
  const std::int64_t now = g_get_monotonic_time();
  if (event->type == GDK_FOCUS_CHANGE) {
    if (event->focus_change.in) {
      TookFocus(deaf, now);
    } else {
      LostFocus(deaf);
    }
  }
  const auto input = InputOf(event);
  if (!input || !Swallowed(deaf, input->first, input->second, now)) gtk_main_do_event(event);
}

// GDK 3 drops the X server's auto-repeat mark, which tells a key held since
// before the box had the focus (the box sees only its repeats): read it
// from the XInput 2 event before GDK makes its own of it. On Wayland a key
// held as the focus comes brings no press, so no repeats either.
GdkFilterReturn ReadRepeats(GdkXEvent* xevent, GdkEvent*, gpointer data) {
  const auto* event = static_cast<const XEvent*>(xevent);
  if (event->type != GenericEvent || event->xcookie.evtype != XI_KeyPress || !event->xcookie.data)
    return GDK_FILTER_CONTINUE;
  const auto* key = static_cast<const XIDeviceEvent*>(event->xcookie.data);
  SawKeyPress(static_cast<DialogState*>(data)->deaf, static_cast<guint>(key->detail),
              (key->flags & XIKeyRepeat) != 0);
  return GDK_FILTER_CONTINUE;
}

// The text as it stands: plain (markup, mnemonics and format directives
// show as typed), wrapped by word and inside a word longer than a line,
// with no hyphen added where a word breaks (paths and IDs read as given).
GtkWidget* MessageLabel(const std::string& text) {
  GtkWidget* label = gtk_label_new(text.c_str());
  GtkLabel* plain = GTK_LABEL(label);
  gtk_label_set_line_wrap(plain, TRUE);
  gtk_label_set_line_wrap_mode(plain, PANGO_WRAP_WORD_CHAR);
  gtk_label_set_max_width_chars(plain, TextWidthChars);
  gtk_label_set_xalign(plain, 0);
  gtk_label_set_yalign(plain, 0);
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
  gtk_label_set_attributes(plain, attributes);
  pango_attr_list_unref(attributes);
  return label;
}

// Icon and text side by side, as in a message box; the text as narrow as
// a small screen needs, and scrolled where taller than the limit.
void AddMessage(GtkDialog* dialog, DialogState& state, int width, int heightLimit) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, TextMargins);
  gtk_container_set_border_width(GTK_CONTAINER(row), TextMargins);
  const char* iconName = FactsOf(state.style->icon).desktopName;
  if (iconName) {
    GtkWidget* image = gtk_image_new_from_icon_name(iconName, GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(image, GTK_ALIGN_START);
    // Named as the alert's description names the kind, in the labels' language.
    const std::string kind = LocaleTextToUtf8(state.style->severity);
    atk_object_set_name(gtk_widget_get_accessible(image), kind.c_str());
    gtk_box_pack_start(GTK_BOX(row), image, FALSE, FALSE, 0);
  }
  gtk_widget_show_all(row);
  int beside = 0;  // the border and the icon, with the space after it
  gtk_widget_get_preferred_width(row, nullptr, &beside);
  if (iconName) beside += TextMargins;
  // Screen readers get plain line feeds, as the text shows them.
  GtkWidget* label = MessageLabel(WithLineFeeds(state.text));
  NarrowToFit(GTK_LABEL(label), width - beside);
  GtkWidget* text = ScrolledWhereTall(label, heightLimit);
  if (GTK_IS_SCROLLED_WINDOW(text)) state.scroller = GTK_SCROLLED_WINDOW(text);
  gtk_box_pack_start(GTK_BOX(row), text, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(dialog)), row, TRUE, TRUE, 0);
  gtk_widget_show_all(row);
}

// Where GTK draws the title bar itself (on a Wayland compositor that
// leaves the frame to its clients), the full title is the window's, and
// the bar shows it shortened at the box's width. Where the compositor
// draws frames (KWin), it draws the box's as it does its own dialogs'.
void EllipsizeOwnTitleBar(GtkWindow* window, const std::string& title) {
  GdkDisplay* display = gdk_display_get_default();
  if (!GDK_IS_WAYLAND_DISPLAY(display) || gdk_wayland_display_prefers_ssd(display)) return;
  GtkWidget* bar = gtk_header_bar_new();
  GtkWidget* label = gtk_label_new(title.c_str());
  gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
  gtk_label_set_width_chars(GTK_LABEL(label), 1);
  // Never wider than the text may be: the title's bold letters are wider.
  gtk_label_set_max_width_chars(GTK_LABEL(label), TextWidthChars * 5 / 6);
  gtk_style_context_add_class(gtk_widget_get_style_context(label), "title");
  gtk_header_bar_set_custom_title(GTK_HEADER_BAR(bar), label);
  // The window takes its title from the bar's: without one, the compositor
  // would list the box by its program's name.
  gtk_header_bar_set_title(GTK_HEADER_BAR(bar), title.c_str());
  gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(bar), gtk_window_get_deletable(window));
  gtk_widget_show_all(bar);
  gtk_window_set_titlebar(window, bar);
}

GLogWriterOutput DropLog(GLogLevelFlags, const GLogField*, gsize, gpointer) {
  return G_LOG_WRITER_HANDLED;
}

// The X server went away: say so before ending, as GDK would end anyway.
int SayDisplayLost(Display*) {
  const int lost = ZorvaneDisplayLost;
  [[maybe_unused]] const ssize_t written = write(ReplyDescriptor, &lost, sizeof lost);
  _exit(1);
}

// Tab, Shift+Tab and the arrows move between the buttons only, in a
// cycle, as on Windows; Up and Down move as Left and Right do.
bool MoveFocus(DialogState& state, guint keyval) {
  int step = 0;
  switch (keyval) {
    case GDK_KEY_Tab:
    case GDK_KEY_KP_Tab:
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down: step = 1; break;
    case GDK_KEY_ISO_Left_Tab:
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up: step = -1; break;
    default: return false;
  }
  const auto count = static_cast<int>(state.buttons.size());
  if (count == 0) return false;
  int focused = 0;
  for (int i = 0; i < count; ++i) {
    if (gtk_widget_has_focus(state.buttons[static_cast<std::size_t>(i)])) focused = i;
  }
  gtk_widget_grab_focus(state.buttons[static_cast<std::size_t>((focused + step + count) % count)]);
  return true;
}

// Page Up, Page Down, Home and End scroll a text taller than the limit.
bool ScrollText(const DialogState& state, guint keyval) {
  if (!state.scroller) return false;
  GtkAdjustment* adjustment = gtk_scrolled_window_get_vadjustment(state.scroller);
  const double page = gtk_adjustment_get_page_increment(adjustment);
  const double value = gtk_adjustment_get_value(adjustment);
  switch (keyval) {
    case GDK_KEY_Page_Up: gtk_adjustment_set_value(adjustment, value - page); return true;
    case GDK_KEY_Page_Down: gtk_adjustment_set_value(adjustment, value + page); return true;
    case GDK_KEY_Home:
      gtk_adjustment_set_value(adjustment, gtk_adjustment_get_lower(adjustment));
      return true;
    case GDK_KEY_End:
      gtk_adjustment_set_value(adjustment, gtk_adjustment_get_upper(adjustment));
      return true;
    default: return false;
  }
}

// The button whose letter the key types: on the active layout first, then
// on any other (with a Russian layout active, the key that types y on the
// English one still presses Yes, as Ctrl+C still copies).
std::optional<std::size_t> ButtonOfKey(const BoxStyle& style, const GdkEventKey* event) {
  const auto typed = static_cast<wchar_t>(gdk_keyval_to_unicode(event->keyval));
  if (const std::optional<std::size_t> button = ButtonOfLetter(style.buttons, typed)) return button;
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  GdkKeymapKey* keys = nullptr;
  guint* keyvals = nullptr;
  gint count = 0;
  std::optional<std::size_t> button;
  if (gdk_keymap_get_entries_for_keycode(keymap, event->hardware_keycode, &keys, &keyvals,
                                         &count)) {
    for (gint i = 0; i < count && !button; ++i) {
      if (keys[i].level != 0) continue;  // the key's own letter, either case
      button =
          ButtonOfLetter(style.buttons, static_cast<wchar_t>(gdk_keyval_to_unicode(keyvals[i])));
    }
    g_free(keys);
    g_free(keyvals);
  }
  return button;
}

// A button's access key works without Alt and in either case, as in
// Windows' message box; where two buttons share it, the first one wins.
gboolean OnKeyPress(GtkWidget* dialog, GdkEventKey* event, gpointer data) {
  auto* state = static_cast<DialogState*>(data);
  const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
  if (modifiers == GDK_CONTROL_MASK && IsCopyKey(event)) {
    state->copied = CopyText(state->title, state->text, state->labels);
    CopyToClipboard(state->copied);
    return TRUE;
  }
  if ((modifiers & ~GDK_SHIFT_MASK) == 0 &&
      (MoveFocus(*state, event->keyval) || ScrollText(*state, event->keyval)))
    return TRUE;
  if ((modifiers & ~(GDK_MOD1_MASK | GDK_SHIFT_MASK)) != 0) return FALSE;
  const std::optional<std::size_t> button = ButtonOfKey(*state->style, event);
  if (!button) return FALSE;
  gtk_dialog_response(GTK_DIALOG(dialog), state->style->buttons[*button].code);
  return TRUE;
}

gboolean AskForAttention(GtkWidget* window, GdkEvent*, gpointer) {
  gtk_window_set_urgency_hint(GTK_WINDOW(window), TRUE);
  return FALSE;
}

// The default button is outlined from the start, as on Windows, not only
// once a key has been pressed; the window icon follows the first frame,
// which need not wait for it.
gboolean OnMapped(GtkWidget* window, GdkEvent*, gpointer data) {
  auto* state = static_cast<DialogState*>(data);
  if (state->shown) std::exchange(state->shown, nullptr)();
  gtk_window_set_focus_visible(GTK_WINDOW(window), TRUE);
  g_idle_add_full(
      G_PRIORITY_LOW,
      [](gpointer data) -> gboolean {
        SetWindowIcon(GTK_WINDOW(data));
        return G_SOURCE_REMOVE;
      },
      window, nullptr);
  return FALSE;
}

// Read out as Windows' message box is: an alert named by its title, with
// its text, and the kind of message as its description, so that a screen
// reader speaks all three as the box appears.
void DescribeForScreenReaders(GtkWidget* dialog, const DialogState& state) {
  AtkObject* accessible = gtk_widget_get_accessible(dialog);
  atk_object_set_role(accessible, ATK_ROLE_ALERT);
  atk_object_set_name(accessible, state.title.c_str());  // whole, whoever draws the title bar
  const std::string severity = LocaleTextToUtf8(state.style->severity);
  if (!severity.empty()) atk_object_set_description(accessible, severity.c_str());
}

// The buttons left to right; returns the default one.
GtkWidget* AddButtons(GtkDialog* dialog, DialogState& state) {
  const BoxStyle& style = *state.style;
  GtkWidget* focused = nullptr;
  for (std::size_t i = 0; i < style.buttons.size(); ++i) {
    const Button& button = style.buttons[i];
    const std::string marked = LocaleTextToUtf8(button.marked);
    GtkWidget* widget = gtk_dialog_add_button(dialog, marked.c_str(), button.code);
    state.buttons.push_back(widget);
    state.labels += LocaleTextToUtf8(button.label) + "   ";
    if (i == style.defaultButton) focused = widget;
  }
  gtk_dialog_set_default_response(dialog, style.buttons[style.defaultButton].code);
  return focused;
}

GtkWidget* BuildDialog(DialogState& state) {
  const BoxStyle& style = *state.style;
  GtkWidget* dialog = gtk_dialog_new();
  GtkWindow* window = GTK_WINDOW(dialog);
  gtk_window_set_title(window, state.title.c_str());
  DescribeForScreenReaders(dialog, state);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  // Buttons first: the text takes the room they leave on a small screen.
  const GdkRectangle area = WorkArea(dialog);
  GtkWidget* focused = AddButtons(GTK_DIALOG(dialog), state);
  FitButtons(dialog, focused, area.width);
  AddMessage(GTK_DIALOG(dialog), state, area.width, TextHeightLimit(dialog, area.height));
  FitTitle(dialog, state.title, area.width);
  gtk_widget_grab_focus(focused);
  if (style.escapeCode == 0) {
    gtk_window_set_deletable(window, FALSE);
  }
  EllipsizeOwnTitleBar(window, state.title);
  BelongToCaller(window);
  g_signal_connect(dialog, "map-event", G_CALLBACK(OnMapped), &state);
  if (style.systemModal) {
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

namespace zorvane::posix {

int ShowGtkBox(const HelperRequest& request, void (*shown)()) {
  g_log_set_writer_func(DropLog, nullptr, nullptr);  // the tool writes nothing to stderr
  // The window is the tool's, not its helper's: WM_CLASS and Wayland's
  // app_id name it so, which finds the installed desktop entry and icon.
  g_set_prgname("zorvane");
  // X first: only there does system modal keep the box above the rest.
  gdk_set_allowed_backends("x11,wayland");
  if (!gtk_init_check(nullptr, nullptr)) return ZorvaneDisplayRefused;
  if (GDK_IS_X11_DISPLAY(gdk_display_get_default())) XSetIOErrorHandler(SayDisplayLost);
  UnscaleWhereTiny(gdk_display_get_default());
  const BoxStyle& style = request.style;
  DialogState state;
  state.style = &style;
  state.shown = shown;
  state.title = LocaleTextToUtf8(request.title);
  state.text = LocaleTextToUtf8(request.text);
  GtkWidget* dialog = BuildDialog(state);
  gdk_event_handler_set(FilterEvent, &state, nullptr);
  if (GDK_IS_X11_DISPLAY(gdk_display_get_default()))
    gdk_window_add_filter(nullptr, ReadRepeats, &state);
  // Another client may destroy the window; then the pointer is cleared.
  g_signal_connect(dialog, "destroy", G_CALLBACK(gtk_widget_destroyed), &dialog);
  // Escape and the close box both arrive as a delete event; where the box
  // has no answer for them they do nothing and the dialog carries on.
  const int escapeCode = style.escapeCode;
  ShowAsCallerAsks(GTK_WINDOW(dialog));
  int response = gtk_dialog_run(GTK_DIALOG(dialog));
  while (response == GTK_RESPONSE_DELETE_EVENT && escapeCode == 0) {
    response = gtk_dialog_run(GTK_DIALOG(dialog));
  }
  const bool closedByAnother = !dialog;
  if (dialog) gtk_widget_destroy(dialog);
  KeepCopy(state.copied);
  if (closedByAnother) return ZorvaneWindowClosed;
  if (response == GTK_RESPONSE_DELETE_EVENT) return escapeCode;
  return response > 0 ? response : 0;
}

}  // namespace zorvane::posix
