#pragma once

#include <string>
#include <string_view>

namespace zorvane::posix {

// Keeps `utf8` on the X clipboard of `display` after the box has gone, as
// clipboard tools do: starts zorvane-clipboard (beside this helper) in a
// session of its own, in "/", with the text on its standard input and none
// of this process's memory or descriptors. It takes the clipboard over
// from `owner`, the box's window, and not from another client that copied
// since. Returns at once, whether a keeper started (none where it is not
// installed, or no descriptor or process is left); nothing waits for it.
bool KeepOnClipboard(const std::string& display, const std::string& utf8, unsigned long owner);

// Whether the X display `name` is this machine's own (":0", "unix:0"): on
// a forwarded or remote one (ssh -X's "localhost:10.0") a keeper would hold
// the connection, and the session, open after the box has gone.
bool IsLocalDisplay(std::string_view name);

}  // namespace zorvane::posix
