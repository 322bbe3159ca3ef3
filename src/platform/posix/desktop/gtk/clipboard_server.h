#pragma once

#include <string>

namespace zorvane::posix {

// Keeps `utf8` on the X clipboard after the box has gone, as clipboard
// tools do: a detached process of its own (a new session, no descriptor
// of the caller's) takes the CLIPBOARD selection on `display` and serves
// it until another client takes it or ServeMinutes pass. Returns at once;
// nothing waits for that process.
void KeepOnClipboard(const std::string& display, const std::string& utf8);

inline constexpr int ServeMinutes = 10;

}  // namespace zorvane::posix
