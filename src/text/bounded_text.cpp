#include "text/bounded_text.h"

#include <algorithm>

namespace zorvane {

void Append(BoundedText& text, std::string_view piece) {
  const std::size_t taken = std::min(piece.size(), BoundedText::Capacity - text.size);
  std::copy_n(piece.data(), taken, text.bytes.data() + text.size);
  text.size += taken;
  text.bytes[text.size] = '\0';
}

BoundedText MakeText(std::string_view piece) {
  BoundedText text;
  Append(text, piece);
  return text;
}

}  // namespace zorvane
