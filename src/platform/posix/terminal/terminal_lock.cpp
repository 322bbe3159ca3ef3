#include "platform/posix/terminal/terminal_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/terminal/terminal_device.h"

namespace zorvane::posix {
namespace {

bool IsDevice(const std::string& path, dev_t device) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode) && status.st_rdev == device;
}

// The kernel's description of a character device, from sysfs.
std::string Uevent(unsigned int major, unsigned int minor) {
  const std::string path =
      "/sys/dev/char/" + std::to_string(major) + ":" + std::to_string(minor) + "/uevent";
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  char bytes[512];
  const ssize_t length = read(fd, bytes, sizeof bytes);
  close(fd);
  return length > 0 ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
}

// The device's own name: a standard stream's where one is that terminal,
// else the pseudo-terminal of that number, or the name the kernel gives it.
std::string DevicePath(dev_t device) {
  for (int stream = 0; stream <= 2; ++stream) {
    char name[256];
    if (isatty(stream) && ttyname_r(stream, name, sizeof name) == 0 && IsDevice(name, device))
      return name;
  }
  const unsigned int major = ::major(device), minor = ::minor(device);
  const std::string path = TerminalDevicePath(major, minor, Uevent(major, minor));
  return IsDevice(path, device) ? path : std::string();
}

}  // namespace

int LockTerminal(int fd) {
  unsigned int number = 0;
  if (ioctl(fd, TIOCGDEV, &number) != 0) return -1;
  const std::string path = DevicePath(static_cast<dev_t>(number));
  if (path.empty()) return -1;
  const int lock = open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (lock < 0) return -1;
  int locked;
  do {
    locked = flock(lock, LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    close(lock);
    return -1;
  }
  return lock;
}

}  // namespace zorvane::posix
