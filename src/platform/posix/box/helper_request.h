#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

// What the tool and its GTK helper say to each other. The helper is a
// program of its own, run by the child that shows the box, so that only
// it loads GTK and the tool links no GUI library: the box comes to it as
// its arguments, and it writes back one int through ReplyDescriptor.

inline constexpr const char* GtkHelperName = "zorvane-gtk";
inline constexpr int ReplyDescriptor = 3;
// The one word for "no box could be shown here", from the helper or from
// the child that could not run it.
inline constexpr int ZorvaneBoxDeclined = -1;
// "The box is on the screen", sent once before the answer: a helper that
// ends without it never showed a box (it could not start, GTK is missing),
// and the terminal box is shown instead; after it, an end without an
// answer is a box that went away, which answers 0.
inline constexpr int ZorvaneBoxShown = -2;
// Why a box gave no answer, where the helper knows: it could not open the
// display (a box is tried on the terminal instead), or, once shown,
// another program closed its window, or its display went away.
inline constexpr int ZorvaneDisplayRefused = -3;
inline constexpr int ZorvaneWindowClosed = -4;
inline constexpr int ZorvaneDisplayLost = -5;

struct HelperRequest {
  std::string text;  // bytes in the locale's encoding, or UTF-8
  std::string title;
  BoxStyle style;  // labels, codes, key names and severity already translated
};

// The request as the helper's arguments after its name: text, title,
// icon, default button, Escape's code, system modal, severity, then a
// label and a code for each button.
std::vector<std::string> HelperArguments(const HelperRequest& request);

// The arguments back as a request; no value where they are not a whole one.
std::optional<HelperRequest> ReadHelperArguments(const std::vector<std::string>& arguments);

}  // namespace zorvane::posix
