// zorvane-clipboard: keeps a box's copy on the X clipboard after the box
// has gone. A program of its own, started by the GTK helper with the X
// display's name and the box's window as its arguments and the text on
// its standard input, so that it holds none of GTK's memory, no text in
// its command line and no directory of the caller's.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/posix/desktop/keeper/selection_owner.h"

namespace {

// What the limit allows: a box's copy is some hundreds of bytes.
constexpr std::size_t LongestCopy = std::size_t{64} * 1024;

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t length; (length = read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(length));
    if (text.size() > LongestCopy) return {};
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string text = ReadAll(STDIN_FILENO);
  close(STDIN_FILENO);
  const unsigned long box = std::strtoul(argv[2], nullptr, 10);
  if (!text.empty()) zorvane::posix::ServeClipboard(argv[1], text, box);
  return 0;
}
