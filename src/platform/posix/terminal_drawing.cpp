#include "platform/posix/terminal_drawing.h"

#include <algorithm>

#include "platform/posix/terminal_text.h"

namespace zorvane::posix {
namespace {

std::string MoveTo(int row, int column) {
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

std::string ButtonText(const ButtonSpec& button, bool focused) {
  const std::string plain = PlainLabel(button.label);
  std::string text = focused ? "\x1b[7m< " : "< ";
  const std::size_t key = button.hasAccessKey ? button.label.find('_') : std::string::npos;
  for (std::size_t i = 0; i < plain.size(); ++i) {
    if (i == key)
      text += "\x1b[4m" + plain.substr(i, 1) + "\x1b[24m";
    else
      text += plain[i];
  }
  return text + (focused ? " >\x1b[27m" : " >");
}

int ButtonRowColumns(const BoxLayout& layout) {
  int columns = 0;
  for (const ButtonSpec& button : layout.buttons) {
    columns += static_cast<int>(PlainLabel(button.label).size()) + 4 + 2;
  }
  return columns - 2;
}

std::string Padded(const TerminalLine& line, int width) {
  return line.bytes + std::string(static_cast<std::size_t>(std::max(0, width - line.columns)), ' ');
}

}  // namespace

std::string DrawBox(const std::string& text, const std::string& title, const BoxLayout& layout,
                    std::size_t focus, Screen screen) {
  const int widest = std::max(10, screen.columns - 6);
  std::vector<TerminalLine> lines = WrapTerminalText(text, widest);
  lines.resize(
      std::min<std::size_t>(lines.size(), static_cast<std::size_t>(std::max(1, screen.rows - 6))));
  const TerminalLine caption = WrapTerminalText(SafeTerminalLine(title).bytes, widest - 2).front();
  int inner = std::max(ButtonRowColumns(layout), caption.columns + 2);
  for (const TerminalLine& line : lines) inner = std::max(inner, line.columns);
  inner = std::min(inner, widest);
  const int height = static_cast<int>(lines.size()) + 5;
  const int top = std::max(1, (screen.rows - height) / 2 + 1);
  const int left = std::max(1, (screen.columns - inner - 4) / 2 + 1);
  const std::string rule(static_cast<std::size_t>(inner + 2), '-');
  const std::string empty(static_cast<std::size_t>(inner), ' ');
  std::string out = "\x1b[0m\x1b[2J";
  const int captionLeft = (inner + 2 - caption.columns - 2) / 2;
  out += MoveTo(top, left) + "+" + rule + "+";
  out += MoveTo(top, left + 1 + captionLeft) + " \x1b[1m" + caption.bytes + "\x1b[22m ";
  int row = top + 1;
  out += MoveTo(row++, left) + "| " + empty + " |";
  for (const TerminalLine& line : lines)
    out += MoveTo(row++, left) + "| " + Padded(line, inner) + " |";
  out += MoveTo(row++, left) + "| " + empty + " |";
  out += MoveTo(row, left) + "| " + empty + " |";
  out += MoveTo(row++, left + 2 + std::max(0, (inner - ButtonRowColumns(layout)) / 2));
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    out += (i ? "  " : "") + ButtonText(layout.buttons[i], i == focus);
  }
  out += MoveTo(row, left) + "+" + rule + "+";
  return out;
}

}  // namespace zorvane::posix
