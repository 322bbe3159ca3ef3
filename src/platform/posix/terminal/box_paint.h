#pragma once

// The terminal box as a frame of cells, drawn by its measured geometry.
#include <cstddef>

#include "platform/posix/box/box_style.h"
#include "platform/posix/terminal/box_geometry.h"
#include "platform/posix/terminal/box_reducer.h"
#include "platform/posix/terminal/frame.h"

namespace zorvane::posix {

// The box: the frame with the title, the style's sign, the text scrolled
// by `view` (which the reducer keeps inside the text) with marks where
// more lies above or below, and the buttons with the focus in reverse and each access key
// underlined. Box-drawing characters and signs where the locale speaks
// UTF-8, ASCII elsewhere.
Frame Paint(const BoxGeometry& box, const BoxStyle& style, BoxView view);

}  // namespace zorvane::posix
