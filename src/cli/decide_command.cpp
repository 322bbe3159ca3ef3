#include "cli/decide_command.h"

#include "cli/argument_text.h"
#include "text/parse_integer_text.h"
#include "text/replace_text.h"

namespace zorvane {
namespace {

std::string TrimmedArgument(const std::vector<std::string>& arguments, int index) {
  return TrimSpaces(ArgumentText(arguments, index));
}

bool AsksForUsage(std::string_view text) {
  return text == "-?" || text == "/?";
}

}  // namespace

Decision DecideCommand(const std::vector<std::string>& arguments) {
  BoxRequest box{"", std::string(DefaultTitle), DefaultStyle};
  const std::string text = TrimmedArgument(arguments, 1);
  if (text.empty()) return {true, box};
  // Cut after trimming and compare after cutting: trailing spaces left by
  // the cut are part of the text.
  box.text = LeftText(text, MaxArgumentLength);
  if (AsksForUsage(box.text)) return {true, box};
  box.text = ReplaceText(box.text, LineBreakEscape, LineBreak);
  const std::string title = TrimmedArgument(arguments, 2);
  if (!title.empty()) box.title = LeftText(title, MaxArgumentLength);
  const std::string style = TrimmedArgument(arguments, 3);
  if (!style.empty()) box.style = ParseIntegerText(style) & StyleMask;
  return {false, box};
}

}  // namespace zorvane
