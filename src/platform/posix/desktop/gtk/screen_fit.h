#pragma once

// Sizes the dialog to the monitor it shows on, at any scale: a text
// narrower than its usual width where the screen is small, a scrolled text
// where it is tall, buttons stacked where they do not fit side by side.
#include <gtk/gtk.h>

#include <string>

namespace zorvane::posix {

// The text's usual width, in characters of its font.
constexpr int TextWidthChars = 60;
// The space around the text, and between it and the icon.
constexpr int TextMargins = 12;
// The least work area, in GTK's units, that holds a box of three buttons.
constexpr int SmallestWidth = 240;
constexpr int SmallestHeight = 180;

// The work area of the monitor the box will show on, in GTK's (scaled)
// units, or a small screen's where none is known.
GdkRectangle WorkArea(GtkWidget* widget);

// Fewer characters to a line, until the label is at most `room` wide.
void NarrowToFit(GtkLabel* label, int room);

// The label in a scroller where it is taller than `limit`, or the label.
GtkWidget* ScrolledWhereTall(GtkWidget* label, int limit);

// As wide as the title needs, up to `widest`.
void FitTitle(GtkWidget* dialog, const std::string& title, int widest);

// The dialog at most `width` wide, by the buttons' row that holds `button`.
void FitButtons(GtkWidget* dialog, GtkWidget* button, int width);

// How tall the text may be in a work area `height` high, beside what the
// dialog holds already: half of it, or what is left.
int TextHeightLimit(GtkWidget* dialog, int height);

// On X, drops the window scale where the monitor at that scale is too
// small for any box (320x240 at twice the size is 160x120); call it before
// any window is made.
void UnscaleWhereTiny(GdkDisplay* display);

}  // namespace zorvane::posix
