#pragma once

#include <string_view>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

struct GtkBoxRequest {
  std::string_view text;  // bytes in the locale's encoding
  std::string_view title;
  const BoxLayout* layout;
};

inline constexpr const char* GtkBoxSymbol = "ZorvaneShowGtkBox";
inline constexpr const char* GtkModuleName = "zorvane-gtk.so";

}  // namespace zorvane::posix

// The module's one entry: the pressed button's code, 0 when the box was
// closed without an answer, -1 when GTK could not start here.
extern "C" int ZorvaneShowGtkBox(const zorvane::posix::GtkBoxRequest* request);
