// ParseIntegerText agrees with an independent reading: a 32-bit strtoul
// for decimal text, digit by digit for the "&" forms; it is given an
// exactly-sized heap buffer, so AddressSanitizer sees any read beyond it.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "text/parse_integer_text.h"

namespace {

std::uint32_t Strtoul32(const std::string& text) {
  const char* start = text.c_str();
  while (*start == ' ' || (*start >= '\t' && *start <= '\r')) ++start;
  const bool negative = *start == '-';
  if (*start == '+' || *start == '-') ++start;
  errno = 0;
  const unsigned long long magnitude = std::strtoull(start, nullptr, 10);
  if (*start < '0' || *start > '9') return 0;  // strtoull would accept a second sign
  if (errno == ERANGE || magnitude > 0xFFFFFFFFull) return 0xFFFFFFFFu;
  const auto low = static_cast<std::uint32_t>(magnitude);
  return negative ? 0u - low : low;
}

std::uint32_t ReadRadix(const char* digits, std::size_t count, unsigned radix) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = digits[i];
    unsigned digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    if (digit >= radix) break;
    value = value * radix + digit;
  }
  return value;
}

std::uint32_t Expected(const char* text, std::size_t size) {
  std::size_t first = 0;
  while (first < size && text[first] == ' ') ++first;
  const char* rest = text + first;
  const std::size_t length = size - first;
  if (length < 2 || rest[0] != '&') return Strtoul32(std::string(rest, length));
  switch (rest[1]) {
    case 'H':
    case 'h': return ReadRadix(rest + 2, length - 2, 16);
    case 'O':
    case 'o': return ReadRadix(rest + 2, length - 2, 8);
    case 'B':
    case 'b': return ReadRadix(rest + 2, length - 2, 2);
    default: return ReadRadix(rest + 1, length - 1, 8);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<char[]> exact(new char[size == 0 ? 1 : size]);
  std::memcpy(exact.get(), data, size);
  const std::int32_t parsed = zorvane::ParseIntegerText(std::string_view(exact.get(), size));
  if (static_cast<std::uint32_t>(parsed) != Expected(exact.get(), size)) std::abort();
  return 0;
}
