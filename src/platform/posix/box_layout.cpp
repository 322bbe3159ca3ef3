#include "platform/posix/box_layout.h"

namespace zorvane::posix {
namespace {

constexpr ButtonSpec Ok{"_OK", 1, false}, Cancel{"_Cancel", 2, false}, Abort{"_Abort", 3, true},
    Retry{"_Retry", 4, true}, Ignore{"_Ignore", 5, true}, Yes{"_Yes", 6, true}, No{"_No", 7, true},
    TryAgain{"_Try Again", 10, true}, Continue{"_Continue", 11, true};

std::vector<ButtonSpec> ButtonSet(int set) {
  switch (set) {
    case 0: return {Ok};
    case 1: return {Ok, Cancel};
    case 2: return {Abort, Retry, Ignore};
    case 3: return {Yes, No, Cancel};
    case 4: return {Yes, No};
    case 5: return {Retry, Cancel};
    case 6: return {Cancel, TryAgain, Continue};
    default: return {};
  }
}

BoxIcon IconOf(std::int32_t style) {
  switch (style & 0x70) {
    case 0x10: return BoxIcon::Error;
    case 0x20: return BoxIcon::Question;
    case 0x30: return BoxIcon::Warning;
    case 0x40: return BoxIcon::Information;
    default: return BoxIcon::NoIcon;
  }
}

// Escape answers Cancel where there is one, OK on the OK-only box, and
// nothing otherwise, so a script never reads an answer nobody gave.
int EscapeCodeOf(const std::vector<ButtonSpec>& buttons) {
  for (const ButtonSpec& button : buttons) {
    if (button.code == Cancel.code) return Cancel.code;
  }
  return buttons.size() == 1 ? buttons[0].code : 0;
}

}  // namespace

std::optional<BoxLayout> LayOutBox(std::int32_t style) {
  std::vector<ButtonSpec> buttons = ButtonSet(style & 0x7);
  if (buttons.empty()) return std::nullopt;
  auto defaultButton = static_cast<std::size_t>((style >> 8) & 0x3);
  if (defaultButton >= buttons.size()) defaultButton = 0;
  const int escapeCode = EscapeCodeOf(buttons);
  return BoxLayout{std::move(buttons), IconOf(style), defaultButton, escapeCode,
                   (style & 0x1000) != 0};
}

std::string PlainLabel(std::string_view label) {
  std::string plain;
  for (char byte : label) {
    if (byte != '_') plain += byte;
  }
  return plain;
}

char LowerAscii(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

char AccessKey(const ButtonSpec& button) {
  const std::size_t mark = button.label.find('_');
  if (!button.hasAccessKey || mark + 1 >= button.label.size()) return 0;
  const char key = button.label[mark + 1];
  return LowerAscii(key);
}

}  // namespace zorvane::posix
