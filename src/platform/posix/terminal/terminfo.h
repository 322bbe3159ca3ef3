#pragma once

// What the terminal's terminfo entry (TERM's) says that the box needs.
#include <vector>

#include "platform/posix/terminal/key_table.h"

namespace zorvane::posix {

struct TerminfoEntry {
  bool known = false;           // TERM has an entry
  bool hasSmcup = false;        // it says how to enter an alternate screen
  std::vector<KeyString> keys;  // what its keys send, of those the box acts on
};

// The entry for the terminal on `fd`, through libtinfo, which is loaded
// only here: the usage screen's start-up does not pay for it.
TerminfoEntry ReadTerminfo(int fd);

}  // namespace zorvane::posix
