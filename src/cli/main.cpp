#include <string>
#include <vector>

#include "cli/run_command.h"

int main(int argc, char** argv) {
  zorvane::RunCommand(std::vector<std::string>(argv, argv + argc));
}
