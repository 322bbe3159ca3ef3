#include "cli/run_command.h"

#include "cli/decide_command.h"
#include "cli/usage_lines.h"
#include "platform/platform.h"

namespace zorvane {

void ShowUsage() {
  platform::WriteStandardOutput(UsagePieces.data(), UsagePieces.size());
  platform::EndProcess(0);
}

void RunCommand(Arguments arguments) {
  const Decision decision = DecideCommand(arguments);
  if (decision.showUsage) ShowUsage();
  const BoxRequest& box = decision.box;
  platform::EndProcess(platform::ShowMessageBox(box.text, box.title, box.style));
}

}  // namespace zorvane
