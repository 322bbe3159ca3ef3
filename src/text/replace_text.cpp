#include "text/replace_text.h"

namespace zorvane {

BoundedText ReplaceText(std::string_view source, std::string_view pattern,
                        std::string_view replacement) {
  BoundedText result;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = start;
    std::string_view candidate;
    do {
      ++end;
      candidate = source.substr(start, end - start);
    } while (end < source.size() && candidate.size() < pattern.size() &&
             pattern.substr(0, candidate.size()) == candidate);
    Append(result, candidate == pattern ? replacement : candidate);
    start = end;
  }
  return result;
}

}  // namespace zorvane
