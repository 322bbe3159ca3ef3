#pragma once

// Ctrl+C in the box: the box as text on the clipboard, and what becomes of
// that copy once the box is gone.
#include <gtk/gtk.h>

#include <string>

namespace zorvane::posix {

// The box as text, the way Windows' message box copies it: rules between
// title, text and buttons, each button followed by three spaces in `labels`.
std::string CopyText(const std::string& title, const std::string& text, const std::string& labels);

// `copied` on the CLIPBOARD selection, owned by the box.
void CopyToClipboard(const std::string& copied);

// As the box closes: the copy outlives the box where it is still the
// clipboard's, on this machine's own X display. A keeper hands it to the
// clipboard manager where one runs, and serves it itself where none does;
// the answer never waits for a manager. On Wayland or a forwarded display
// the copy goes with the box, which leaves nothing behind.
void KeepCopy(const std::string& copied);

// The key that types C on the first layout, whatever layout is active.
bool IsCopyKey(const GdkEventKey* event);

}  // namespace zorvane::posix
