// DecideCommand, given arguments split at NUL bytes: text and title stay
// within 250 bytes, the style within the mask, and the usage screen comes
// only for a missing text or exactly "-?" or "/?" after trimming.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/decide_command.h"

namespace {

std::string Trimmed(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\0')) --last;
  return text.substr(first, last - first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments = {"zorvane"};
  std::string current;
  for (std::size_t i = 0; i < size && arguments.size() < 6; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  if (arguments.size() < 6) arguments.push_back(current);
  std::vector<const char*> values;
  for (const std::string& argument : arguments) values.push_back(argument.c_str());
  const zorvane::Decision decision =
      zorvane::DecideCommand({static_cast<int>(values.size()), values.data()});
  const std::string text = Trimmed(arguments.size() > 1 ? arguments[1] : "");
  const bool usage = text.empty() || text == "-?" || text == "/?";
  if (decision.showUsage != usage) std::abort();
  if (decision.showUsage) return 0;
  const zorvane::BoxRequest& box = decision.box;
  if (box.text.size > 250 || box.title.size > 250 || box.title.size == 0) std::abort();
  if (box.text.bytes[box.text.size] != '\0' || box.title.bytes[box.title.size] != '\0')
    std::abort();
  if ((box.style & ~zorvane::StyleMask) != 0) std::abort();
  return 0;
}
