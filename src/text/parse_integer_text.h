#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zorvane {

// Bytes, not ints: the table is 46 rows and zorvane.exe counts its bytes.
struct RadixPrefix {
  std::uint8_t radix;
  std::uint8_t digitOffset;  // from the "&" to the first digit
};

// Indexed by the byte after "&" minus 'B'; bytes outside 'B'..'o' read as
// octal digits straight after the "&", as the table's default rows do.
inline constexpr unsigned char RadixPrefixFirstByte = 'B';
inline constexpr std::array<RadixPrefix, 'o' - 'B' + 1> RadixPrefixTable = [] {
  std::array<RadixPrefix, 'o' - 'B' + 1> table{};
  for (auto& entry : table) entry = {8, 1};
  for (char letter : {'H', 'h'}) table[letter - 'B'] = {16, 2};
  for (char letter : {'O', 'o'}) table[letter - 'B'] = {8, 2};
  for (char letter : {'B', 'b'}) table[letter - 'B'] = {2, 2};
  return table;
}();

RadixPrefix LookUpRadixPrefix(char byteAfterAmpersand);

// Decimal as the C library's strtoul reads it, narrowed to 32 bits the way
// a 32-bit strtoul would (saturating, wrapping a negation); or "&H", "&O",
// "&B" and "&" followed by octal digits. Never fails: non-numbers give 0.
std::int32_t ParseIntegerText(std::string_view text);

}  // namespace zorvane
