#pragma once

#include <string_view>

#include "text/bounded_text.h"

namespace zorvane {

// Backslash and "n": the only way to ask for a new line on a command line.
inline constexpr std::string_view LineBreakEscape = "\\n";
inline constexpr std::string_view LineBreak = "\r\n";

// One forward pass over `source`: each byte is consumed once, and a
// candidate that stops matching `pattern` is copied whole, including the
// byte that broke the match. So "\\\\n" stays as typed while "\\\\\\n"
// keeps two backslashes and gains a line break. The result is cut at the
// bounded text's capacity, which a replacement as long as its pattern
// never reaches from a text that fits.
BoundedText ReplaceText(std::string_view source, std::string_view pattern,
                        std::string_view replacement);

}  // namespace zorvane
