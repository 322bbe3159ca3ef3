#pragma once

#include <string>

namespace zorvane::posix {

// Takes the CLIPBOARD selection on the X display `name` over from the
// window `box` (or from nobody, once that window is gone) and serves
// `utf8` (as UTF-8, as Latin-1 for STRING) until another client takes it
// or ServeMinutes pass; returns then, or at once where another client
// copied meanwhile or it cannot have the selection.
void ServeClipboard(const std::string& name, const std::string& utf8, unsigned long box);

inline constexpr int ServeMinutes = 10;

}  // namespace zorvane::posix
