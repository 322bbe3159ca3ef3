#pragma once

#include "platform/posix/box/helper_request.h"

namespace zorvane::posix {

// The GTK dialog: the pressed button's code, 0 when the box was closed
// without an answer, ZorvaneBoxDeclined when GTK could not start here.
// `shown` is called once, as the box first appears on the screen.
int ShowGtkBox(const HelperRequest& request, void (*shown)());

}  // namespace zorvane::posix
