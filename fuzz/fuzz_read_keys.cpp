// The terminal box's key reader: however the bytes are split between
// reads, the same keys come out; a control string or a paste, whatever it
// holds, gives no key; the reader never keeps more than a sequence's
// parameters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/terminal/terminal_keys.h"

using zorvane::posix::KeyPress;
using zorvane::posix::KeyReader;
using zorvane::posix::ReadKeys;

namespace {

std::vector<KeyPress> Read(const std::string& bytes, std::size_t split) {
  KeyReader reader;
  std::vector<KeyPress> keys;
  ReadKeys(reader, std::string_view(bytes).substr(0, split), keys);
  ReadKeys(reader, std::string_view(bytes).substr(split), keys);
  if (reader.pending.size() > 40) std::abort();
  return keys;
}

bool Same(const std::vector<KeyPress>& a, const std::vector<KeyPress>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].key != b[i].key || a[i].letter != b[i].letter) return false;
  }
  return true;
}

// What may stand inside a string or a paste without ending it.
std::string Inside(const std::string& bytes) {
  std::string inside;
  for (char byte : bytes) {
    if (byte != '\x1b' && byte != '\a' && byte != '\x18' && byte != '\x1a') inside += byte;
  }
  return inside;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = data[0] % (bytes.size() + 1);
  if (!Same(Read(bytes, bytes.size()), Read(bytes, split))) std::abort();
  for (const std::string& wrapped :
       {"\x1b]" + Inside(bytes) + "\a", "\x1bP" + Inside(bytes) + "\x1b\\",
        "\x1b[200~" + Inside(bytes) + "\x1b[201~"}) {
    if (!Read(wrapped, split % (wrapped.size() + 1)).empty()) std::abort();
  }
  return 0;
}
