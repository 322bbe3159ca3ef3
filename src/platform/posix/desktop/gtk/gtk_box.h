#pragma once

// What the binary and the GTK module say to each other. Each links its
// own C++ runtime, so only C types cross: the request as plain values and
// text, as SDL hands its message box data over.

extern "C" {

struct ZorvaneBoxRequest {
  const char* text;  // bytes in the locale's encoding, or UTF-8
  const char* title;
  const char* const* labels;  // left to right, "_" before the access key
  const int* codes;           // what each button answers
  int buttonCount;
  int icon;           // a zorvane::posix::BoxIcon
  int defaultButton;  // index into the buttons
  int escapeCode;     // what Escape and the close box answer; 0 for nothing
  int systemModal;
  const char* severity;  // the icon's kind in words; "" without one
};

// The module's one entry: the pressed button's code, 0 when the box was
// closed without an answer, zorvane::posix::ZorvaneBoxDeclined when GTK could not start here.
int ZorvaneShowGtkBox(const ZorvaneBoxRequest* request);
}

namespace zorvane::posix {

// The one word for "no box could be shown here", from the module, from
// its loader, and from the child that hands the answer back.
inline constexpr int ZorvaneBoxDeclined = -1;

inline constexpr const char* GtkBoxSymbol = "ZorvaneShowGtkBox";
inline constexpr const char* GtkModuleName = "zorvane-gtk.so";

}  // namespace zorvane::posix
