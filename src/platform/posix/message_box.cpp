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
void SayWhy(const posix::NoAnswer& noAnswer) {
  std::signal(SIGPIPE, SIG_IGN);
  posix::WriteAll(STDERR_FILENO, posix::NoAnswerLine(noAnswer));
}

}  // namespace

// The services in the order they are tried: the desktop box, then the
// terminal box where no desktop box could be shown; 0 answers when none
// can, or when the box went away, with a line on stderr that says why.
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
  const posix::DesktopOutcome desktop = posix::ShowDesktopBox(text, title, *boxStyle);
  if (desktop.answer) return *desktop.answer;
  // A box that was shown and went away answers 0; where none could be
  // shown, the terminal box is tried.
  if (!desktop.noAnswer.shown) {
    if (const std::optional<int> code = posix::ShowTerminalBox(text, title, *boxStyle))
      return *code;
  }
  SayWhy(desktop.noAnswer);
  return 0;
}

}  // namespace zorvane::platform
