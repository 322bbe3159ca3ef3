#include "platform/posix/box/labels.h"

#include <gtest/gtest.h>
#include <libintl.h>  // bindtextdomain

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "platform/posix/box/box_style.h"
#include "platform/posix/box/buttons.h"

// gettext's own: bumped, it forgets the translations found for the
// language before (the manual's way of changing language at run time).
extern "C" int _nl_msg_cat_cntr;  // NOLINT(bugprone-reserved-identifier)

namespace zorvane::posix {
namespace {

TEST(OneLanguage, ABoxWithAnyLabelUntranslatedIsAllEnglish) {
  const std::vector<std::string> english = {"_Cancel", "_Try Again", "_Continue"};
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", std::nullopt, std::nullopt}), english);
  EXPECT_EQ(OneLanguage(english, {"Abbrechen", "_Wiederholen", "W_eiter"}),
            (std::vector<std::string>{"Abbrechen", "_Wiederholen", "W_eiter"}));
}

// A German catalogue with every word, and one that lacks Continue.
std::optional<std::string> German(const std::string& message) {
  static const std::map<std::string, std::string> words = {{"_Yes", "_Ja"},
                                                           {"_No", "_Nein"},
                                                           {"Cancel", "Abbrechen"},
                                                           {"Return", "Eingabe"},
                                                           {"Esc", "Esc"},
                                                           {"Question", "Frage"},
                                                           {"_Try Again", "_Wiederholen"},
                                                           {"_Continue", "_Weiter"}};
  const auto found = words.find(message);
  return found == words.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::string> GermanWithoutContinue(const std::string& message) {
  return message == "_Continue" ? std::nullopt : German(message);
}

// Labels, key names and the kind of message come in the one language, each
// in its own place; where any word is missing, the box is all English.
TEST(TranslateLabels, EveryWordInItsPlaceOrAllEnglish) {
  BoxStyle question = *ReadStyle(32 + 3);  // the question sign, Yes, No and Cancel
  TranslateLabels(question, German);
  EXPECT_EQ(
      question.buttons[0].label + "|" + question.buttons[1].label + "|" + question.buttons[2].label,
      "Ja|Nein|Abbrechen");
  EXPECT_EQ(question.buttons[1].letter, L'n');
  EXPECT_EQ(question.buttons[2].code, 2);
  EXPECT_EQ(question.keyNames.enter + "|" + question.keyNames.escape, "Eingabe|Esc");
  EXPECT_EQ(question.severity, "Frage");
  BoxStyle partial = *ReadStyle(6);  // Cancel, Try Again, Continue
  const BoxStyle english = partial;
  TranslateLabels(partial, GermanWithoutContinue);
  EXPECT_EQ(partial.buttons[1].label, english.buttons[1].label);
  EXPECT_EQ(partial.keyNames.enter, "Return");
  BoxStyle whole = *ReadStyle(6);
  TranslateLabels(whole, German);
  EXPECT_EQ(whole.buttons[2].label, "Weiter");
}

TEST(CatalogueWord, NoneForAMessageTheCatalogueLacks) {
  ASSERT_NE(bindtextdomain(LabelDomain, ZORVANE_LOCALE_DIR), nullptr);
  EXPECT_EQ(CatalogueWord("no such message"), std::nullopt);
}

bool Translated(const BoxStyle& box) {
  const std::vector<std::string> messages = BoxMessages(box);
  return std::all_of(messages.begin(), messages.end(),
                     [](const std::string& message) { return CatalogueWord(message); });
}

// Every catalogue the build compiled, box by box: a language shows the
// four most used boxes (OK, OK/Cancel, Yes/No, Yes/No/Cancel) at least;
// in every box it shows, each label that has an access letter in English
// has one and the buttons' letters differ; the same words carry the same
// letter in every box (both boxes and the line prompt take the letter
// from here).
TEST(Catalogues, TheMostUsedBoxesAndOneLetterPerButton) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  ASSERT_NE(bindtextdomain(LabelDomain, ZORVANE_LOCALE_DIR), nullptr);
  std::ifstream linguas(ZORVANE_LINGUAS);
  int languages = 0;
  for (std::string language; linguas >> language; ++languages) {
    setenv("LANGUAGE", language.c_str(), 1);
    ++_nl_msg_cat_cntr;
    for (int set : {0, 1, 3, 4})
      EXPECT_TRUE(Translated(*ReadStyle(set))) << language << ": English in box " << set;
    std::map<std::string, wchar_t> letterOfWords;
    for (int style = 0; style <= 0x46; style += style % 16 == 6 ? 10 : 1) {
      const std::optional<BoxStyle> box = ReadStyle(style);
      ASSERT_TRUE(box);
      if (!Translated(*box)) continue;  // shown in English, whole
      std::set<wchar_t> letters;
      for (const Button& button : box->buttons) {
        const Button translated = MakeButton(*CatalogueWord(button.marked), button.code);
        const wchar_t letter = translated.letter;
        EXPECT_TRUE(letter == 0 || letters.insert(letter).second)
            << language << ": a letter twice in style " << style;
        EXPECT_TRUE(letter != 0 || button.letter == 0)
            << language << ": no letter on " << button.marked;
        if (button.letter == 0) continue;  // OK and Cancel have none, as on Windows
        const auto [known, fresh] = letterOfWords.emplace(translated.label, letter);
        EXPECT_TRUE(fresh || known->second == letter)
            << language << ": two letters on " << translated.label;
      }
    }
  }
  unsetenv("LANGUAGE");
  std::setlocale(LC_ALL, "C");  // as the other tests expect it
  EXPECT_GE(languages, 70);
}

}  // namespace
}  // namespace zorvane::posix
