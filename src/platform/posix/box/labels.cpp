#include "platform/posix/box/labels.h"

#include <libintl.h>
#include <unistd.h>

#include <algorithm>

#include "platform/posix/process/executable_directory.h"

namespace zorvane::posix {
namespace {

// Beside the binary in a build tree, under share/ once installed. The
// slash asks for a folder: in /usr/bin, "locale" is the C library's program.
std::string CatalogueDirectory() {
  return BesideExecutable({"/locale/", "/../share/locale/"}, F_OK);
}

}  // namespace

std::optional<std::string> CatalogueWord(const std::string& message) {
  // gettext hands back its argument itself where the catalogue has no entry.
  const char* found = dgettext(LabelDomain, message.c_str());
  if (found == message.c_str()) return std::nullopt;
  return std::string(found);
}

std::vector<std::string> OneLanguage(const std::vector<std::string>& english,
                                     const std::vector<std::optional<std::string>>& translated) {
  std::vector<std::string> labels;
  for (const std::optional<std::string>& label : translated) {
    if (!label) return english;
    labels.push_back(*label);
  }
  return labels;
}

void TranslateLabels(BoxStyle& style) {
  const std::string directory = CatalogueDirectory();
  if (directory.empty() || !bindtextdomain(LabelDomain, directory.c_str())) return;
  TranslateLabels(style, CatalogueWord);
}

std::vector<std::string> BoxMessages(const BoxStyle& style) {
  // The key names and the kind of message go with the labels, so that
  // the line prompt and what a screen reader says are one language too.
  std::vector<std::string> english;
  for (const Button& button : style.buttons) english.push_back(button.marked);
  english.push_back(style.keyNames.enter);
  english.push_back(style.keyNames.escape);
  if (!style.severity.empty()) english.push_back(style.severity);
  return english;
}

void TranslateLabels(BoxStyle& style, WordOf word) {
  const std::vector<std::string> english = BoxMessages(style);
  std::vector<std::optional<std::string>> translated(english.size());
  std::transform(english.begin(), english.end(), translated.begin(), word);
  const std::vector<std::string> words = OneLanguage(english, translated);
  const std::size_t count = style.buttons.size();
  for (std::size_t i = 0; i < count; ++i)
    style.buttons[i] = MakeButton(words[i], style.buttons[i].code);
  style.keyNames = {words[count], words[count + 1]};
  if (!style.severity.empty()) style.severity = words[count + 2];
}

}  // namespace zorvane::posix
