#include "platform/posix/desktop/gtk/utf8_text.h"

#include <glib.h>

namespace zorvane::posix {
namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

std::string ValidUtf8(std::string_view text) {
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string result(valid);
  g_free(valid);
  return result;
}

// Converts what decodes and puts U+FFFD for each byte that does not.
std::string ConvertFrom(const char* charset, std::string_view text) {
  std::string result;
  while (!text.empty()) {
    gsize read = 0, written = 0;
    GError* error = nullptr;
    gchar* converted = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8", charset,
                                 &read, &written, &error);
    if (converted) {
      result.append(converted, written);
      g_free(converted);
      break;
    }
    const bool illegal = error && (error->code == G_CONVERT_ERROR_ILLEGAL_SEQUENCE ||
                                   error->code == G_CONVERT_ERROR_PARTIAL_INPUT);
    g_clear_error(&error);
    if (!illegal) return ValidUtf8(text);  // no converter: show what is valid
    if (read > 0) result += ConvertFrom(charset, text.substr(0, read));
    result += Replacement;
    text.remove_prefix(read + 1);
  }
  return result;
}

}  // namespace

std::string LocaleTextToUtf8(std::string_view text) {
  const char* charset = nullptr;
  // Valid UTF-8 is taken as such whatever the locale says: under LANG=C
  // (cron, services, containers) texts are still written in UTF-8.
  if (g_get_charset(&charset) ||
      g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
    return ValidUtf8(text);
  return ConvertFrom(charset, text);
}

std::string WithLineFeeds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace zorvane::posix
