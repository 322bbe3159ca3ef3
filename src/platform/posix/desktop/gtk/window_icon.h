#pragma once

#include <gtk/gtk.h>

namespace zorvane::posix {

// The window icon, drawn from the same picture as the installed icons:
// no image file to find and no image loader to start.
void SetWindowIcon(GtkWindow* window);

}  // namespace zorvane::posix
