#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zorvane {

// A text the tool keeps, in place: every one is at most 250 bytes once
// cut, so none needs the heap. Always NUL-terminated for the platform's calls.
struct BoundedText {
  static constexpr std::size_t Capacity = 250;
  std::array<char, Capacity + 1> bytes{};
  std::size_t size = 0;
};

// Appends as much of `piece` as still fits; the rest is dropped.
void Append(BoundedText& text, std::string_view piece);

BoundedText MakeText(std::string_view piece);

inline std::string_view View(const BoundedText& text) {
  return {text.bytes.data(), text.size};
}

}  // namespace zorvane
