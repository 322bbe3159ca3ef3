#pragma once

#include <cstddef>
#include <string>

namespace zorvane::posix {

// A text as long as `limit` may have been cut inside a character; the
// first bytes of that character are dropped, never shown as a broken
// sign. The cut is found in the locale's encoding, and in UTF-8 where the
// rest of the text is UTF-8, whatever the locale. Shorter texts and bytes
// broken anywhere else stay as they are.
std::string DropCutCharacter(std::string text, std::size_t limit);

}  // namespace zorvane::posix
