#pragma once

// Which device file a terminal is, by its device number.
#include <string>
#include <string_view>

namespace zorvane::posix {

// The path of terminal device (major, minor): a pseudo-terminal's from its
// number, any other's (the console's tty1, a serial line's ttyS0, ttyUSB0
// or ttyACM0) from the name the kernel gives it, the DEVNAME line of its
// sysfs `uevent`; empty where neither says.
std::string TerminalDevicePath(unsigned int major, unsigned int minor, std::string_view uevent);

}  // namespace zorvane::posix
