#pragma once

#include <string>
#include <string_view>

namespace zorvane::posix {

// Bytes in the locale's encoding as UTF-8 for GTK. Every byte that does
// not decode (a cut through a character, Latin-1 in a UTF-8 locale)
// becomes U+FFFD, so a text is never lost or emptied.
std::string LocaleTextToUtf8(std::string_view text);

}  // namespace zorvane::posix
