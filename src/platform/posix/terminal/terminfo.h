#pragma once

// What the terminal's terminfo entry (TERM's) says that the box needs.
namespace zorvane::posix {

struct TerminfoEntry {
  bool known = false;            // TERM has an entry
  bool hasSmcup = false;         // it says how to enter an alternate screen
  bool escTabIsBackTab = false;  // its Back-Tab key (kcbt) sends ESC Tab, as the Linux console's
};

// The entry for the terminal on `fd`, through libtinfo, which is loaded
// only here: the usage screen's start-up does not pay for it.
TerminfoEntry ReadTerminfo(int fd);

}  // namespace zorvane::posix
