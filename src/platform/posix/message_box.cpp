#include <unistd.h>

#include <clocale>
#include <csignal>

#include "platform/platform.h"
#include "platform/posix/box/box_style.h"
#include "platform/posix/box/cut_character.h"
#include "platform/posix/box/labels.h"
#include "platform/posix/desktop/desktop_box.h"
#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/terminal_box.h"

namespace zorvane::platform {
namespace {

// Without it a caller under cron, su -c or ssh -T could not tell why the
// answer is 0. A closed or full stderr changes nothing, the status least.
void SayNoBoxCanBeShown() {
  std::signal(SIGPIPE, SIG_IGN);
  posix::WriteAll(STDERR_FILENO, "zorvane: no display and no terminal to show the box on\n");
}

}  // namespace

// The services in the order they are tried; each one declines (no value)
// when it cannot show a box here, and 0 answers when none can.
int ShowMessageBox(const BoundedText& boxText, const BoundedText& boxTitle, std::int32_t style) {
  std::optional<posix::BoxStyle> boxStyle = posix::ReadStyle(style);
  if (!boxStyle) return 0;  // no such button set: Windows refuses it too
  // Only now: the decision above reads numbers in the C locale.
  std::setlocale(LC_ALL, "");
  posix::TranslateLabels(*boxStyle);
  const std::string text =
      posix::DropCutCharacter(std::string(View(boxText)), BoundedText::Capacity);
  const std::string title =
      posix::DropCutCharacter(std::string(View(boxTitle)), BoundedText::Capacity);
  for (auto service : {posix::ShowDesktopBox, posix::ShowTerminalBox}) {
    if (const std::optional<int> code = service(text, title, *boxStyle)) return *code;
  }
  SayNoBoxCanBeShown();
  return 0;
}

}  // namespace zorvane::platform
