#include "platform/posix/terminal/frame.h"

#include <algorithm>
#include <tuple>

#include "platform/posix/terminal/terminal_text.h"

namespace zorvane::posix {
namespace {

const Cell& CellAt(const Frame& frame, int row, int column) {
  return frame
      .cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(frame.screen.columns) +
             static_cast<std::size_t>(column)];
}

Cell& CellAt(Frame& frame, int row, int column) {
  return const_cast<Cell&>(CellAt(static_cast<const Frame&>(frame), row, column));
}

}  // namespace

std::string MoveTo(int row, int column) {
  if (column == 0) return "\x1b[" + std::to_string(row + 1) + "H";
  return "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

namespace {

// The shortest SGR that takes the terminal from one look to the other.
std::string LookChange(Look from, Look to) {
  if (from == to) return {};
  if (to == Look{}) return "\x1b[m";
  std::string parameters;
  auto add = [&parameters](const std::string& code) {
    parameters += (parameters.empty() ? "" : ";") + code;
  };
  for (const auto& [bit, on, off] : {std::tuple{Bold, "1", "22"}, std::tuple{Underline, "4", "24"},
                                     std::tuple{Reverse, "7", "27"}}) {
    if ((from.attributes & bit) != (to.attributes & bit)) add((to.attributes & bit) ? on : off);
  }
  if (from.colour != to.colour) add(to.colour ? std::to_string(to.colour) : "39");
  return "\x1b[" + parameters + "m";
}

// Unchanged cells between two changed ones are written again where that
// costs less than moving the cursor over them.
constexpr int LongestGap = 4;

}  // namespace

Frame BlankFrame(Screen screen) {
  return {screen, std::vector<Cell>(static_cast<std::size_t>(screen.rows * screen.columns))};
}

void Put(Frame& frame, int row, int column, std::string_view text, Look look) {
  if (row < 0 || row >= frame.screen.rows) return;
  while (!text.empty()) {
    const Cluster cluster = ClusterAt(text);
    const int width = std::max(1, cluster.columns);
    if (column < 0 || column + width > frame.screen.columns) return;
    Cell& cell = CellAt(frame, row, column);
    if (cell.glyph.empty() && column > 0) CellAt(frame, row, column - 1).glyph = " ";
    if (column + width < frame.screen.columns && CellAt(frame, row, column + width).glyph.empty())
      CellAt(frame, row, column + width).glyph = " ";
    cell = {std::string(text.substr(0, cluster.length)), look};
    if (width == 2) CellAt(frame, row, column + 1) = {"", look};
    column += width;
    text.remove_prefix(cluster.length);
  }
}

std::string FrameUpdate(const Frame* before, const Frame& after) {
  const bool whole = !before || !(before->screen == after.screen) || before->origin != after.origin;
  const int columns = after.screen.columns, origin = after.origin;
  auto changed = [&](int row, int column) {
    const Cell& now = CellAt(after, row, column);
    return whole ? now != Cell{} : now != CellAt(*before, row, column);
  };
  std::string out;
  if (whole) out = origin == 0 ? "\x1b[m\x1b[2J" : "\x1b[m" + MoveTo(origin, 0) + "\x1b[J";
  Look current;
  for (int row = 0; row < after.screen.rows; ++row) {
    for (int column = 0; column < columns;) {
      if (!changed(row, column)) {
        ++column;
        continue;
      }
      int start = column;
      if (CellAt(after, row, start).glyph.empty() && start > 0) --start;  // a wide character's half
      int end = column + 1;
      for (int next = end; next < columns && next - end <= LongestGap; ++next) {
        if (changed(row, next)) end = next + 1;
      }
      out += MoveTo(origin + row, start);
      for (int at = start; at < end; ++at) {
        const Cell& now = CellAt(after, row, at);
        if (now.glyph.empty()) continue;
        out += LookChange(current, now.look);
        current = now.look;
        out += now.glyph;
      }
      column = end;
    }
  }
  out += LookChange(current, Look{});
  const bool cursorMoved =
      whole || before->cursorRow != after.cursorRow || before->cursorColumn != after.cursorColumn;
  if (after.cursorRow >= 0 && (cursorMoved || !out.empty()))
    out += MoveTo(origin + after.cursorRow, after.cursorColumn);
  return out;
}

}  // namespace zorvane::posix
