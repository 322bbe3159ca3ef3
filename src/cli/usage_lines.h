#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#ifndef ZORVANE_VERSION
#error "the build passes ZORVANE_VERSION"
#endif

namespace zorvane {

inline constexpr std::array<std::string_view, 23> UsageLines = {
    // 56 bytes with a three-byte version such as "1.0"; a version of
    // another length needs as many bytes taken from or added to the words
    // after it (the assertion below says when).
    "ZORVANE " ZORVANE_VERSION " - message boxes for batch and shell scripts.",
    "",
    "Shows a Messagebox from the command line and returns the result as Errorlevel.",
    "",
    "USAGE:   ZORVANE \"Text to be displayed\" [\"Title\"] [Style]",
    "",
    "EXAMPLE: ZORVANE \"Line 1 of text ...\\nLine 2 of text ...\" \"My title\" 68",
    "         ECHO %ERRORLEVEL%",
    "",
    "Style can be combined of (values must be added):",
    "",
    "      0 = OK         1 = OK/Cancel  4 = Yes/No        5 = Retry/Cancel",
    "     16 = Critical  32 = Question  48 = Exclamation  64 = Information",
    "    256 = Button 2 is default     512 = Button 3 is default",
    "   4096 = Window is system modal",
    "",
    "Returned Errorlevel (button pressed):",
    "",
    "      1 = OK         2 = Cancel     3 = Abort         4 = Retry",
    "      5 = Ignore     6 = Yes        7 = No",
    "",
    "Zorvane is free software under the MIT licence (see LICENSE); no warranty.",
    "More in the README; on Linux: man zorvane.",
};
static_assert(UsageLines[0].size() == 56 && UsageLines[21].size() == 74 &&
                  UsageLines[22].size() == 42,
              "the usage screen's own lines keep their byte counts, 870 bytes in all");

// The writes that make up the usage screen: each line's text (none for a
// blank line), then its own CR LF, so a failed piece never takes the line
// ends after it down with it.
inline constexpr std::size_t UsagePieceCount = [] {
  std::size_t count = 0;
  for (std::string_view line : UsageLines) count += line.empty() ? 1 : 2;
  return count;
}();
inline constexpr std::array<std::string_view, UsagePieceCount> UsagePieces = [] {
  std::array<std::string_view, UsagePieceCount> pieces{};
  std::size_t next = 0;
  for (std::string_view line : UsageLines) {
    if (!line.empty()) pieces[next++] = line;
    pieces[next++] = "\r\n";
  }
  return pieces;
}();

}  // namespace zorvane
