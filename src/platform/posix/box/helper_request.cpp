#include "platform/posix/box/helper_request.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace zorvane::posix {
namespace {

constexpr std::size_t FixedArguments = 7;

std::optional<int> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

std::vector<std::string> HelperArguments(const HelperRequest& request) {
  const BoxStyle& style = request.style;
  std::vector<std::string> arguments = {request.text,
                                        request.title,
                                        std::to_string(static_cast<int>(style.icon)),
                                        std::to_string(style.defaultButton),
                                        std::to_string(style.escapeCode),
                                        style.systemModal ? "1" : "0",
                                        style.severity};
  for (const Button& button : style.buttons) {
    arguments.push_back(button.marked);
    arguments.push_back(std::to_string(button.code));
  }
  return arguments;
}

std::optional<HelperRequest> ReadHelperArguments(const std::vector<std::string>& arguments) {
  if (arguments.size() < FixedArguments + 2 || (arguments.size() - FixedArguments) % 2 != 0)
    return std::nullopt;
  const auto icon = Number(arguments[2]), defaultButton = Number(arguments[3]),
             escapeCode = Number(arguments[4]), systemModal = Number(arguments[5]);
  if (!icon || !defaultButton || !escapeCode || !systemModal || *icon < 0 ||
      *icon > static_cast<int>(BoxIcon::Information))
    return std::nullopt;
  HelperRequest request{arguments[0], arguments[1], {}};
  BoxStyle& style = request.style;
  for (std::size_t i = FixedArguments; i < arguments.size(); i += 2) {
    const auto code = Number(arguments[i + 1]);
    if (!code) return std::nullopt;
    style.buttons.push_back(MakeButton(arguments[i], *code));
  }
  if (*defaultButton < 0 || static_cast<std::size_t>(*defaultButton) >= style.buttons.size())
    return std::nullopt;
  style.icon = static_cast<BoxIcon>(*icon);
  style.defaultButton = static_cast<std::size_t>(*defaultButton);
  style.escapeCode = *escapeCode;
  style.systemModal = *systemModal != 0;
  style.severity = arguments[6];
  return request;
}

}  // namespace zorvane::posix
