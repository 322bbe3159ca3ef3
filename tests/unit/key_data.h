#pragma once

// The captured key data the key tests read: bytes written as hex, and the
// key strings of terminfo entries (tests/keys/terminfo.caps).
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/terminal/key_table.h"

namespace zorvane::posix {

inline std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t at = 0; at + 1 < hex.size(); at += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
  return bytes;
}

// Each terminfo entry's key strings, by entry.
inline std::map<std::string, std::vector<KeyString>> TerminfoEntries() {
  std::map<std::string, std::vector<KeyString>> entries;
  std::ifstream lines(std::string(ZORVANE_KEY_CORPUS) + "/terminfo.caps");
  std::string entry, capability, hex;
  while (std::getline(lines, entry, '\t') && std::getline(lines, capability, '\t') &&
         std::getline(lines, hex))
    entries[entry].emplace_back(capability, FromHex(hex));
  return entries;
}

}  // namespace zorvane::posix
