// The GTK 3 dialog, in a program of its own that the tool runs only when
// a box is to be shown on a display.
#include "platform/posix/desktop/gtk/gtk_box.h"

#include <gdk/gdkkeysyms.h>
#include <gdk/gdkwayland.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "icon_picture.h"
#include "platform/posix/box/buttons.h"
#include "platform/posix/desktop/gtk/clipboard_keeper.h"
#include "platform/posix/desktop/gtk/screen_fit.h"
#include "platform/posix/desktop/gtk/utf8_text.h"

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
  gint64 focusedAt = 0;                   // when the box last took the focus (monotonic µs)
  std::vector<guint> held;                // keys and mouse buttons pressed since, not swallowed
  std::vector<guint> swallowed;           // those pressed too early, until released
};

// Keys and clicks that reach the box this soon after it takes the focus
// were meant for the window the user was typing in: nobody has read the
// box yet. Long enough for a key held through the change of focus and a
// fast typist's next key; short enough that a person who reads the box
// never meets it.
constexpr gint64 DeafMicroseconds = 300000;

// A key by its hardware code, a mouse button above every key code; 0 for
// other events.
guint InputOf(const GdkEvent* event) {
  switch (event->type) {
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE: return event->key.hardware_keycode;
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE: return 0x10000 + event->button.button;
    default: return 0;
  }
}

bool Holds(const std::vector<guint>& inputs, guint input) {
  return std::find(inputs.begin(), inputs.end(), input) != inputs.end();
}

bool TakeFrom(std::vector<guint>& inputs, guint input) {
  const auto found = std::find(inputs.begin(), inputs.end(), input);
  if (found == inputs.end()) return false;
  inputs.erase(found);
  return true;
}

// Whether to drop `event`: a press in the deaf time after the box takes the
// focus, with its repeats and the rest of its click, and the release of a
// key or button whose press the box did not take (pressed too early, or
// before the box had the focus).
bool Swallowed(DialogState& state, const GdkEvent* event) {
  const guint input = InputOf(event);
  const bool deaf = g_get_monotonic_time() - state.focusedAt < DeafMicroseconds;
  switch (event->type) {
    case GDK_FOCUS_CHANGE:
      if (event->focus_change.in) state.focusedAt = g_get_monotonic_time();
      return false;
    case GDK_KEY_PRESS:
    case GDK_BUTTON_PRESS:
      if (deaf || Holds(state.swallowed, input)) {
        if (!Holds(state.swallowed, input)) state.swallowed.push_back(input);
        return true;
      }
      if (!Holds(state.held, input)) state.held.push_back(input);
      return false;
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS: return deaf || Holds(state.swallowed, input);
    case GDK_KEY_RELEASE:
    case GDK_BUTTON_RELEASE:
      if (TakeFrom(state.held, input)) return false;
      TakeFrom(state.swallowed, input);
      return true;
    default: return false;
  }
}

void FilterEvent(GdkEvent* event, gpointer data) {
  if (!Swallowed(*static_cast<DialogState*>(data), event)) gtk_main_do_event(event);
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

// Where GTK draws the title bar itself (on Wayland), the full title is
// the window's, and the bar shows it shortened at the box's width.
void EllipsizeOwnTitleBar(GtkWindow* window, const std::string& title) {
  if (!GDK_IS_WAYLAND_DISPLAY(gdk_display_get_default())) return;
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

// Ctrl+C copies the box as text, the way Windows' message box does, each
// button followed by three spaces.
void CopyBox(DialogState& state) {
  const std::string rule = "---------------------------\n";
  state.copied = rule + state.title + "\n" + rule + WithLineFeeds(state.text) + "\n" + rule +
                 state.labels + "\n" + rule;
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_set_text(clipboard, state.copied.c_str(), static_cast<gint>(state.copied.size()));
}

// The copy outlives the box where it is still the clipboard's, on this
// machine's own X display: a keeper hands it to the clipboard manager
// where one runs, and serves it itself where none does. The answer never
// waits for a manager. On Wayland or a forwarded display the copy goes
// with the box, which leaves nothing behind.
void KeepCopy(const DialogState& state) {
  GdkDisplay* display = gdk_display_get_default();
  if (state.copied.empty() || !GDK_IS_X11_DISPLAY(display)) return;
  if (!IsLocalDisplay(gdk_display_get_name(display))) return;
  // Another client's window comes back as a foreign one: it copied since.
  GdkWindow* owner = gdk_selection_owner_get_for_display(display, GDK_SELECTION_CLIPBOARD);
  if (!owner || gdk_window_get_window_type(owner) == GDK_WINDOW_FOREIGN) return;
  KeepOnClipboard(gdk_display_get_name(display), state.copied, gdk_x11_window_get_xid(owner));
  // The box holds the clipboard until the keeper has it, a second at most,
  // so that it is never empty in between.
  for (int waited = 0; waited < 100; ++waited) {
    if (gdk_selection_owner_get_for_display(display, GDK_SELECTION_CLIPBOARD) != owner) break;
    g_usleep(10000);
  }
}

// The key that types C on the first style, whatever style is active
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

// The button whose letter the key types: on the active style first, then
// on any other (with a Russian style active, the key that types y on the
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
    CopyBox(*state);
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

void SetWindowIcon(GtkWindow* window);

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

int ShowGtkBox(const BoxRequest& request, void (*shown)()) {
  g_log_set_writer_func(DropLog, nullptr, nullptr);  // the tool writes nothing to stderr
  // The window is the tool's, not its helper's: WM_CLASS and Wayland's
  // app_id name it so, which finds the installed desktop entry and icon.
  g_set_prgname("zorvane");
  // X first: only there does system modal keep the box above the rest.
  gdk_set_allowed_backends("x11,wayland");
  if (!gtk_init_check(nullptr, nullptr)) return ZorvaneBoxDeclined;
  UnscaleWhereTiny(gdk_display_get_default());
  const BoxStyle& style = request.style;
  DialogState state;
  state.style = &style;
  state.shown = shown;
  state.title = LocaleTextToUtf8(request.title);
  state.text = LocaleTextToUtf8(request.text);
  GtkWidget* dialog = BuildDialog(state);
  gdk_event_handler_set(FilterEvent, &state, nullptr);
  // Another client may destroy the window; then the pointer is cleared.
  g_signal_connect(dialog, "destroy", G_CALLBACK(gtk_widget_destroyed), &dialog);
  // Escape and the close box both arrive as a delete event; where the box
  // has no answer for them they do nothing and the dialog carries on.
  const int escapeCode = style.escapeCode;
  int response = gtk_dialog_run(GTK_DIALOG(dialog));
  while (response == GTK_RESPONSE_DELETE_EVENT && escapeCode == 0) {
    response = gtk_dialog_run(GTK_DIALOG(dialog));
  }
  if (dialog) gtk_widget_destroy(dialog);
  KeepCopy(state);
  if (response == GTK_RESPONSE_DELETE_EVENT) return escapeCode;
  return response > 0 ? response : 0;
}

}  // namespace zorvane::posix
