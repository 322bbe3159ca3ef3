// zorvane-gtk: the GTK dialog as a program of its own, run by the child
// that shows the desktop box. It takes the box as its arguments and writes
// its answer, one int, to the descriptor it was handed.
#include <unistd.h>

#include <clocale>
#include <string>
#include <vector>

#include "platform/posix/desktop/gtk/gtk_box.h"

namespace {

bool Say(int word) {
  return write(zorvane::posix::ReplyDescriptor, &word, sizeof word) == sizeof word;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zorvane::posix;
  // The labels' access letters are read in the user's encoding.
  std::setlocale(LC_ALL, "");
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::optional<HelperRequest> request = ReadHelperArguments(arguments);
  const int code =
      request ? ShowGtkBox(*request, [] { Say(ZorvaneBoxShown); }) : ZorvaneBoxDeclined;
  return Say(code) ? 0 : 1;
}
