#include "platform/posix/box/icons.h"

namespace zorvane::posix {

const IconFacts& FactsOf(BoxIcon icon) {
  static const IconFacts facts[] = {
      {"", nullptr, "", "", 0},
      {"Critical", "dialog-error", "✖", "X", 31},
      {"Question", "dialog-question", "?", "?", 34},
      {"Warning", "dialog-warning", "⚠", "!", 33},
      {"Information", "dialog-information", "ℹ", "i", 34},
  };
  return facts[static_cast<int>(icon)];
}

}  // namespace zorvane::posix
