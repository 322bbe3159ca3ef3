#pragma once

#include <string>
#include <string_view>

namespace zorvane::posix {

// Bytes as UTF-8 for GTK: taken as they are where they are valid UTF-8,
// else converted from the locale's encoding. Every byte that does not
// decode (Latin-1 in a UTF-8 locale) becomes U+FFFD, so a text is never
// lost or emptied.
std::string LocaleTextToUtf8(std::string_view text);

// One line end throughout: the text's own CR LF becomes LF, as screen
// readers and the clipboard take it.
std::string WithLineFeeds(const std::string& text);

}  // namespace zorvane::posix
