#pragma once

// A terminal that knows what the box sends: cursor moves, erasing the
// screen and the looks it sets (bold, underline, reverse, a colour); any
// other sequence or look is kept as unknown. Holds each cell's character,
// with the combining marks that joined it, and look, as a real terminal
// would show them.
#include <algorithm>
#include <cwchar>
#include <regex>
#include <string>
#include <vector>

#include "platform/posix/terminal/frame.h"

namespace zorvane::posix {

struct FakeTerminal {
  Screen screen;
  std::vector<Cell> cells;
  Look look;
  int row = 0, column = 0;
  std::string unknown;

  explicit FakeTerminal(Screen size)
      : screen(size), cells(static_cast<std::size_t>(size.rows * size.columns)) {}

  void Feed(const std::string& bytes) {
    static const std::regex sequence("^\x1b\\[([0-9;]*)([A-Za-z])");
    for (std::size_t at = 0; at < bytes.size();) {
      std::smatch found;
      const std::string rest = bytes.substr(at);
      if (std::regex_search(rest, found, sequence)) {
        Obey(found[1], found[2].str()[0]);
        at += static_cast<std::size_t>(found.length(0));
        continue;
      }
      std::mbstate_t state{};
      wchar_t character = 0;
      std::size_t length = std::mbrtowc(&character, rest.data(), rest.size(), &state);
      if (length == 0 || length > rest.size()) length = 1;
      if (static_cast<unsigned char>(rest[0]) < 0x20) unknown += rest.substr(0, 1);
      if (wcwidth(character) == 0 && column > 0) {
        // A combining mark joins the character before it, as a terminal draws it.
        if (row < screen.rows && column <= screen.columns)
          At(row, column - 1).glyph += rest.substr(0, length);
        at += length;
        continue;
      }
      const int width = std::max(1, wcwidth(character));
      if (row < screen.rows && column < screen.columns)
        At(row, column) = {rest.substr(0, length), look};
      if (width == 2 && column + 1 < screen.columns) At(row, column + 1) = {"", look};
      column += width;
      at += length;
    }
  }

  Cell& At(int r, int c) { return cells[static_cast<std::size_t>(r * screen.columns + c)]; }

  void Obey(const std::string& parameters, char final) {
    if (final == 'H') {
      const std::size_t split = parameters.find(';');
      row = parameters.empty() ? 0 : std::stoi(parameters.substr(0, split)) - 1;
      column = split == std::string::npos ? 0 : std::stoi(parameters.substr(split + 1)) - 1;
    } else if (final == 'J' && parameters == "2") {
      std::fill(cells.begin(), cells.end(), Cell{" ", look});
    } else if (final == 'm') {
      SetLook(parameters);
    } else {
      unknown += parameters + final;
    }
  }

  void SetLook(const std::string& parameters) {
    std::size_t at = 0;
    do {
      const std::size_t end = std::min(parameters.find(';', at), parameters.size());
      const int code = end == at ? 0 : std::stoi(parameters.substr(at, end - at));
      const auto set = [this](unsigned char bit, bool on) {
        look.attributes =
            static_cast<unsigned char>(on ? look.attributes | bit : look.attributes & ~bit);
      };
      if (code == 0)
        look = {};
      else if (code == 1 || code == 22)
        set(Bold, code == 1);
      else if (code == 4 || code == 24)
        set(Underline, code == 4);
      else if (code == 7 || code == 27)
        set(Reverse, code == 7);
      else if ((code >= 30 && code <= 37) || code == 39)
        look.colour = static_cast<unsigned char>(code == 39 ? 0 : code);
      else
        unknown += "m" + std::to_string(code);
      at = end + 1;
    } while (at <= parameters.size() && !parameters.empty());
  }

  std::string Text() const {
    std::string all;
    for (int r = 0; r < screen.rows; ++r) {
      for (int c = 0; c < screen.columns; ++c)
        all += cells[static_cast<std::size_t>(r * screen.columns + c)].glyph;
      all += "\n";
    }
    return all;
  }
};

}  // namespace zorvane::posix
