#include "platform/posix/terminal/terminal_device.h"

namespace zorvane::posix {

std::string TerminalDevicePath(unsigned int major, unsigned int minor, std::string_view uevent) {
  // Unix 98 pseudo-terminals: majors 136 to 143, 256 minors each; sysfs
  // has no entry for them.
  if (major >= 136 && major <= 143)
    return "/dev/pts/" + std::to_string((major - 136) * 256 + minor);
  constexpr std::string_view Key = "DEVNAME=";
  for (std::size_t at = 0; at < uevent.size();) {
    const std::size_t end = std::min(uevent.find('\n', at), uevent.size());
    const std::string_view line = uevent.substr(at, end - at);
    at = end + 1;
    if (line.substr(0, Key.size()) != Key) continue;
    const std::string_view name = line.substr(Key.size());
    // A name under /dev, never a way out of it.
    if (name.empty() || name.front() == '/' || name.find("..") != std::string_view::npos) return {};
    return "/dev/" + std::string(name);
  }
  return {};
}

}  // namespace zorvane::posix
