#pragma once

#include <array>
#include <string_view>
#include <vector>

#ifndef ZORVANE_VERSION
#error "the build passes ZORVANE_VERSION"
#endif

namespace zorvane {

inline constexpr std::array<std::string_view, 23> UsageLines = {
    "ZORVANE " ZORVANE_VERSION " - message boxes for batch files and shell scripts",
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
    "Free software under the MIT licence (see LICENSE); no warranty.",
    "Read more in README.md; on Linux also in man zorvane.",
};

// The writes that make up the usage screen: each line's text (none for a
// blank line), then its own CR LF, so a failed piece never takes the line
// ends after it down with it.
std::vector<std::string_view> UsagePieces();

}  // namespace zorvane
