#pragma once

#include <string>

#include "platform/posix/box_layout.h"

namespace zorvane::posix {

// The GTK dialog, from a module loaded only now, so that the usage screen
// and the terminal box never load a GUI library: the pressed button's
// code, 0 when the box was closed without an answer, ZorvaneBoxDeclined
// when there is no module or GTK cannot start here.
int RunGtkModule(const std::string& text, const std::string& title, const BoxLayout& layout);

}  // namespace zorvane::posix
