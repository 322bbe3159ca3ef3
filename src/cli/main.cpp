#include "cli/run_command.h"

int main(int argc, char** argv) {
  zorvane::RunCommand({argc, argv});
}
