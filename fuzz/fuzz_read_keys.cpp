// The terminal box's key reader: however the bytes are split between
// reads, the same keys come out; a control string or a paste, whatever it
// holds, gives no key; the reader never keeps more than a sequence's
// parameters.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/terminal/key_reader.h"

using zorvane::posix::Input;
using zorvane::posix::KeyPress;
using zorvane::posix::KeyReader;
using zorvane::posix::ReadInputs;

namespace {

// The keys of `bytes` read in two pieces, split at `split`.
std::vector<Input> Read(const std::string& bytes, std::size_t split) {
  KeyReader reader;
  std::vector<Input> keys;
  ReadInputs(reader, std::string_view(bytes).substr(0, split), keys);
  ReadInputs(reader, std::string_view(bytes).substr(split), keys);
  return keys;
}

// The keys of `bytes` read a byte at a time.
std::vector<Input> ReadBytewise(const std::string& bytes) {
  KeyReader reader;
  std::vector<Input> keys;
  for (const char byte : bytes) ReadInputs(reader, std::string_view(&byte, 1), keys);
  return keys;
}

bool Same(const std::vector<Input>& a, const std::vector<Input>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].index() != b[i].index()) return false;
    const auto* pressA = std::get_if<KeyPress>(&a[i]);
    const auto* pressB = std::get_if<KeyPress>(&b[i]);
    if (pressA && (pressA->key != pressB->key || pressA->letter != pressB->letter)) return false;
    const auto* chordA = std::get_if<zorvane::posix::ControlChord>(&a[i]);
    if (chordA && chordA->byte != std::get<zorvane::posix::ControlChord>(b[i]).byte) return false;
    const auto* reportA = std::get_if<zorvane::posix::Report>(&a[i]);
    if (reportA && *reportA != std::get<zorvane::posix::Report>(b[i])) return false;
  }
  return true;
}

// What may stand inside a string or a paste without ending it.
std::string Inside(const std::string& bytes) {
  std::string inside;
  for (char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value != 0x1b && value != 0x07 && value != 0x18 && value != 0x1a && value != 0x9b &&
        value != 0x9c)
      inside += byte;
  }
  return inside;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = data[0] % (bytes.size() + 1);
  const std::vector<Input> whole = Read(bytes, bytes.size());
  if (!Same(whole, Read(bytes, split)) || !Same(whole, ReadBytewise(bytes))) std::abort();
  for (const std::string& wrapped :
       {"\x1b]" + Inside(bytes) + "\a", "\x1bP" + Inside(bytes) + "\x1b\\",
        "\x1b[200~" + Inside(bytes) + "\x1b[201~"}) {
    if (!Read(wrapped, split % (wrapped.size() + 1)).empty()) std::abort();
  }
  return 0;
}
