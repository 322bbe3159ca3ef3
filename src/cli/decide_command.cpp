#include "cli/decide_command.h"

#include "text/parse_integer_text.h"
#include "text/replace_text.h"

namespace zorvane {
namespace {

// Cut after trimming and compare after cutting: trailing spaces left by
// the cut are part of the text.
std::string_view CutText(Arguments arguments) {
  return LeftText(TrimSpaces(ArgumentText(arguments, 1)), MaxArgumentLength);
}

bool IsUsageWord(std::string_view text) {
  return text == "-?" || text == "/?";
}

}  // namespace

bool AsksForUsage(Arguments arguments) {
  return IsUsageWord(CutText(arguments));
}

Decision DecideCommand(Arguments arguments) {
  Decision decision{true, {{}, MakeText(DefaultTitle), DefaultStyle}};
  BoxRequest& box = decision.box;
  const std::string_view cut = CutText(arguments);
  if (cut.empty() || IsUsageWord(cut)) return decision;
  box.text = ReplaceText(cut, LineBreakEscape, LineBreak);
  const std::string_view title = TrimSpaces(ArgumentText(arguments, 2));
  if (!title.empty()) box.title = MakeText(LeftText(title, MaxArgumentLength));
  const std::string_view style = TrimSpaces(ArgumentText(arguments, 3));
  if (!style.empty()) box.style = ParseIntegerText(style) & StyleMask;
  decision.showUsage = false;
  return decision;
}

}  // namespace zorvane
