// ReplaceText with the line-break escape keeps the length, changes only
// whole escape pairs into CR LF, and makes no CR LF of its own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/replace_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The driver passes at most 250 bytes.
  const std::string source(reinterpret_cast<const char*>(data), size < 250 ? size : 250);
  const std::string result(
      View(zorvane::ReplaceText(source, zorvane::LineBreakEscape, zorvane::LineBreak)));
  if (result.size() != source.size()) std::abort();
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (result[i] == source[i]) continue;
    const bool replacedPair = source.compare(i, 2, "\\n") == 0 && result.compare(i, 2, "\r\n") == 0;
    if (!replacedPair) std::abort();
    ++i;
  }
  return 0;
}
