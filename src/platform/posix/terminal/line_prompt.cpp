#include "platform/posix/terminal/line_prompt.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/posix/box/buttons.h"
#include "platform/posix/box/characters.h"
#include "platform/posix/process/write_all.h"
#include "platform/posix/terminal/controlling_terminal.h"
#include "platform/posix/terminal/terminal_text.h"

namespace zorvane::posix {
namespace {

std::string Trimmed(const std::string& line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// Hangul syllables, kana and Han are typed through an input method, which
// a line read on a dumb terminal rarely has.
bool TypedThroughInputMethod(wchar_t character) {
  return (character >= 0xac00 && character <= 0xd7a3) ||
         (character >= 0x3040 && character <= 0x30ff) ||
         (character >= 0x3400 && character <= 0x9fff) ||
         (character >= 0xf900 && character <= 0xfaff);
}

// OK's and Cancel's English initials, which such a label offers instead, as
// Windows adds "(O)" and "(C)" to them there.
wchar_t LatinInitial(const Button& button) {
  if (button.code == 1) return L'o';
  return button.code == 2 ? L'c' : 0;
}

// "Yes [Y]"; a label that shows its letter already, as "はい(Y)" does, is
// not given it twice.
std::string Choice(const Button& button, wchar_t letter) {
  const std::string& plain = button.label;
  std::string choice = SafeTerminalLine(plain).bytes;
  if (!letter) return choice;
  if (!button.letter && letter == LatinInitial(button))
    return choice + " [" + static_cast<char>(letter - L'a' + 'A') + "]";
  // The letter as the label shows it, so it is in the label's encoding.
  const std::size_t at = button.keyAt == std::string::npos ? 0 : button.keyAt;
  const std::string shown = plain.substr(at, DecodeAt(plain, at).length);
  if (plain.find("(" + shown + ")") != std::string::npos) return choice;
  return choice + " [" + SafeTerminalLine(shown).bytes + "]";
}

std::string ChoiceLine(const BoxStyle& style) {
  const std::vector<wchar_t> letters = PromptLetters(style);
  std::string line;
  for (std::size_t i = 0; i < style.buttons.size(); ++i) {
    line += (i ? ", " : "") + Choice(style.buttons[i], letters[i]);
  }
  std::string escape;
  for (const Button& button : style.buttons) {
    if (button.code == style.escapeCode)
      escape = ", " + SafeTerminalLine(style.keyNames.escape).bytes + ": " +
               SafeTerminalLine(button.label).bytes;
  }
  return line + " (" + SafeTerminalLine(style.keyNames.enter).bytes + ": " +
         SafeTerminalLine(style.buttons[style.defaultButton].label).bytes + escape + ")? ";
}

// One line from the terminal without its line end; no value at end of input.
std::optional<std::string> ReadLine(int fd) {
  std::string line;
  char byte = 0;
  for (;;) {
    const ssize_t length = read(fd, &byte, 1);
    if (length <= 0) return std::nullopt;
    if (byte == '\n') return line;
    line += byte;
  }
}

}  // namespace

std::vector<wchar_t> PromptLetters(const BoxStyle& style) {
  std::vector<wchar_t> letters;
  for (const Button& button : style.buttons) letters.push_back(button.letter);
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (letters[i]) continue;
    const Character initial = DecodeAt(style.buttons[i].label);
    wchar_t first = initial.decoding == Decoding::Whole ? LowerCase(initial.code) : 0;
    if (TypedThroughInputMethod(first)) first = LatinInitial(style.buttons[i]);
    bool taken = false;
    for (wchar_t other : letters) taken = taken || other == first;
    if (!taken) letters[i] = first;
  }
  return letters;
}

std::string PromptText(const std::string& text, const std::string& title, const BoxStyle& style) {
  std::string out = SafeTerminalLine(title).bytes + "\n\n";
  for (const TerminalLine& line : WrapTerminalText(text, 1 << 20)) out += line.bytes + "\n";
  return out + "\n" + ChoiceLine(style);
}

std::optional<int> AnswerOfLine(const std::string& line, const BoxStyle& style) {
  const std::string typed = Trimmed(line);
  if (typed.empty()) return style.buttons[style.defaultButton].code;
  if (typed == "\x1b") {
    if (style.escapeCode != 0) return style.escapeCode;
    return std::nullopt;
  }
  const std::wstring lowered = Lowered(typed);
  for (const Button& button : style.buttons) {
    if (!lowered.empty() && lowered == Lowered(button.label)) return button.code;
  }
  const Character typedCharacter = DecodeAt(typed);
  if (typedCharacter.decoding != Decoding::Whole || typedCharacter.length != typed.size())
    return std::nullopt;
  const wchar_t letter = LowerCase(typedCharacter.code);
  const std::vector<wchar_t> letters = PromptLetters(style);
  for (std::size_t i = 0; i < letters.size(); ++i) {
    if (letters[i] && letters[i] == letter) return style.buttons[i].code;
  }
  return std::nullopt;
}

std::optional<int> ShowLinePrompt(const std::string& text, const std::string& title,
                                  const BoxStyle& style) {
  const int fd = OpenControllingTerminal();
  if (fd < 0) return std::nullopt;
  tcflush(fd, TCIFLUSH);  // nothing typed before the question was seen answers it
  WriteAll(fd, PromptText(text, title, style));
  std::optional<int> answer;
  while (!answer) {
    const std::optional<std::string> line = ReadLine(fd);
    if (!line) {
      WriteAll(fd, "\n");  // the caller's next output starts on a line of its own
      break;
    }
    answer = AnswerOfLine(*line, style);
    if (!answer) WriteAll(fd, ChoiceLine(style));
  }
  close(fd);
  return answer.value_or(0);
}

}  // namespace zorvane::posix
