#pragma once

// All that is known about the style's icons, in one table: what a screen
// reader calls each kind, the desktop's icon for it and the terminal's sign.
namespace zorvane::posix {

enum class BoxIcon { NoIcon, Error, Question, Warning, Information };

struct IconFacts {
  const char* severity;     // the kind in words (English; the catalogue translates it); "" for none
  const char* desktopName;  // the freedesktop icon name; nullptr for none
  const char* sign;         // the terminal's sign where the locale speaks UTF-8
  const char* asciiSign;    // and elsewhere
  unsigned char colour;     // the sign's SGR foreground colour
};

const IconFacts& FactsOf(BoxIcon icon);

}  // namespace zorvane::posix
