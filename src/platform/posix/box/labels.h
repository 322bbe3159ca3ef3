#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/box/box_style.h"

namespace zorvane::posix {

inline constexpr const char* LabelDomain = "zorvane";

// A box speaks one language: the translations where every label has one,
// the English labels otherwise.
std::vector<std::string> OneLanguage(const std::vector<std::string>& english,
                                     const std::vector<std::optional<std::string>>& translated);

// The catalogue's word for `message` in the user's language (which may be
// the English word itself); none where the catalogue has no entry.
std::optional<std::string> CatalogueWord(const std::string& message);

// The messages a box asks of the catalogue, in English: its buttons'
// labels, then the key names and the kind of message.
std::vector<std::string> BoxMessages(const BoxStyle& style);

// A word for a message, none where it has no translation.
using WordOf = std::optional<std::string> (*)(const std::string& message);

// The style's labels, key names and kind of message in the language of
// `word`, all of them or none: a box is in one language.
void TranslateLabels(BoxStyle& style, WordOf word);

// The style's labels in the user's language, from the tool's own message
// catalogue, in the locale's encoding. Both boxes show these.
void TranslateLabels(BoxStyle& style);

}  // namespace zorvane::posix
