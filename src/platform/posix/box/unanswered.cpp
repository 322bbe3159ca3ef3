#include "platform/posix/box/unanswered.h"

namespace zorvane::posix {
namespace {

std::string Within(const std::string& detail) {
  return detail.empty() ? std::string() : " (" + detail + ")";
}

std::string WhyGone(const NoAnswer& noAnswer) {
  switch (noAnswer.why) {
    case Unanswered::WindowClosed: return "another program closed its window";
    case Unanswered::DisplayLost: return "its display went away";
    default: return "the program that drew it ended" + Within(noAnswer.detail);
  }
}

std::string WhyNone(const NoAnswer& noAnswer) {
  switch (noAnswer.why) {
    case Unanswered::NotInstalled: return "the desktop box is not installed";
    case Unanswered::DisplayRefused:
      return "the desktop box could not open the display" +
             (noAnswer.detail.empty() ? std::string() : " " + noAnswer.detail);
    case Unanswered::Ended:
      return "the desktop box ended before it was shown" + Within(noAnswer.detail);
    default: return "the desktop box could not start" + Within(noAnswer.detail);
  }
}

}  // namespace

std::string NoAnswerLine(const NoAnswer& noAnswer) {
  if (noAnswer.shown)
    return "zorvane: the box went away without an answer: " + WhyGone(noAnswer) + "\n";
  if (noAnswer.why == Unanswered::NoDisplay)
    return "zorvane: no display and no terminal to show the box on\n";
  return "zorvane: " + WhyNone(noAnswer) + ", and there is no terminal to show the box on\n";
}

}  // namespace zorvane::posix
