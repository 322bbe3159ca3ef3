#include "text/parse_integer_text.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zorvane {
namespace {

constexpr std::uint32_t Max32 = 0xFFFFFFFFu;

int DigitValue(char byte, int radix) {
  int value = -1;
  if (byte >= '0' && byte <= '9') value = byte - '0';
  if (byte >= 'a' && byte <= 'f') value = byte - 'a' + 10;
  if (byte >= 'A' && byte <= 'F') value = byte - 'A' + 10;
  return value < radix ? value : -1;
}

std::int32_t ReadDigits(std::string_view digits, int radix) {
  std::uint32_t value = 0;
  for (char byte : digits) {
    const int digit = DigitValue(byte, radix);
    if (digit < 0) break;
    value = value * static_cast<std::uint32_t>(radix) + static_cast<std::uint32_t>(digit);
  }
  return static_cast<std::int32_t>(value);
}

bool StartsWithMinus(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
  return first < text.size() && text[first] == '-';
}

// strtoul's own rules for spaces, sign and digits; only its width differs
// between platforms, so the result is brought to what a 32-bit one gives.
std::int32_t ReadDecimal(std::string_view text) {
  // strtoul reads a C string, and the text may be of any length.
  char* terminated = static_cast<char*>(std::malloc(text.size() + 1));
  if (!terminated) return 0;
  std::memcpy(terminated, text.data(), text.size());
  terminated[text.size()] = '\0';
  errno = 0;
  const unsigned long parsed = std::strtoul(terminated, nullptr, 10);
  std::free(terminated);
  const bool saturated = errno == ERANGE;
  const bool negative = StartsWithMinus(text);
  const std::uint64_t magnitude = negative ? 0UL - parsed : parsed;
  if (saturated || magnitude > Max32) return static_cast<std::int32_t>(Max32);
  const auto low = static_cast<std::uint32_t>(magnitude);
  return static_cast<std::int32_t>(negative ? 0u - low : low);
}

}  // namespace

RadixPrefix LookUpRadixPrefix(char byteAfterAmpersand) {
  const int index = static_cast<unsigned char>(byteAfterAmpersand) - RadixPrefixFirstByte;
  if (index < 0 || index >= static_cast<int>(RadixPrefixTable.size())) return {8, 1};
  return RadixPrefixTable[static_cast<std::size_t>(index)];
}

std::int32_t ParseIntegerText(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  const std::string_view rest = text.substr(first);
  if (rest.size() < 2 || rest[0] != '&') return ReadDecimal(rest);
  const RadixPrefix prefix = LookUpRadixPrefix(rest[1]);
  return ReadDigits(rest.substr(static_cast<std::size_t>(prefix.digitOffset)), prefix.radix);
}

}  // namespace zorvane
