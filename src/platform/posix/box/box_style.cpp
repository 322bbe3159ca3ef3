#include "platform/posix/box/box_style.h"

namespace zorvane::posix {
namespace {

// Set by set, left to right, as Windows orders them.
std::vector<Button> ButtonSet(int set) {
  const Button Ok = MakeButton("OK", 1), Cancel = MakeButton("Cancel", 2),
               Abort = MakeButton("_Abort", 3), Retry = MakeButton("_Retry", 4),
               Ignore = MakeButton("_Ignore", 5), Yes = MakeButton("_Yes", 6),
               No = MakeButton("_No", 7), TryAgain = MakeButton("_Try Again", 10),
               Continue = MakeButton("_Continue", 11);
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

BoxIcon IconOf(std::int32_t word) {
  switch (word & 0x70) {
    case 0x10: return BoxIcon::Error;
    case 0x20: return BoxIcon::Question;
    case 0x30: return BoxIcon::Warning;
    case 0x40: return BoxIcon::Information;
    default: return BoxIcon::NoIcon;
  }
}

constexpr int CancelCode = 2;

// Escape answers Cancel where there is one, OK on the OK-only box, and
// nothing otherwise, so a script never reads an answer nobody gave.
int EscapeCodeOf(const std::vector<Button>& buttons) {
  for (const Button& button : buttons) {
    if (button.code == CancelCode) return CancelCode;
  }
  return buttons.size() == 1 ? buttons[0].code : 0;
}

}  // namespace

std::optional<BoxStyle> ReadStyle(std::int32_t word) {
  std::vector<Button> buttons = ButtonSet(word & 0x7);
  if (buttons.empty()) return std::nullopt;
  auto defaultButton = static_cast<std::size_t>((word >> 8) & 0x3);
  if (defaultButton >= buttons.size()) defaultButton = 0;
  const int escapeCode = EscapeCodeOf(buttons);
  return BoxStyle{std::move(buttons),
                  IconOf(word),
                  defaultButton,
                  escapeCode,
                  (word & 0x1000) != 0,
                  KeyNames{},
                  FactsOf(IconOf(word)).severity};
}

}  // namespace zorvane::posix
