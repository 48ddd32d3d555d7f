// The "History" page's language table: every text in every language, each language's own words,
// the Czech spelling and the English fallback.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/panel/history_setting_texts.h"
#include "core/panel/main_window_texts.h"
#include "core/util/utf.h"

namespace quillo {
namespace {

TEST(HistorySettingLanguage, EveryLanguageHasItsOwnTextForEveryRowAsValidUtf8) {
  for (int row = 0; row < kHistoryTextCount; ++row) {
    const auto r = static_cast<HistoryText>(row);
    std::set<std::string_view> seen;
    for (int language = 0; language < kLanguageCount; ++language) {
      const std::string_view text = HistorySettingText(r, language);
      EXPECT_FALSE(text.empty()) << row << "/" << language;
      EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text) << row << "/" << language;
      seen.insert(text);
    }
    // Translated, not English left standing: nine languages, nine texts.
    EXPECT_EQ(seen.size(), static_cast<size_t>(kLanguageCount)) << row;
  }
}

TEST(HistorySettingLanguage, AnUnknownLanguageReadsEnglish) {
  for (int language : {-1, kLanguageCount, 42}) {
    EXPECT_EQ(HistorySettingText(HistoryText::chkKeepHistory, language), "Keep a history");
    EXPECT_EQ(HistorySettingText(HistoryText::btnDeleteHistory, language), "Delete history…");
  }
}

TEST(HistorySettingLanguage, TheTextsAsGiven) {
  struct Case {
    HistoryText row;
    int language;
    const char* text;
  } cases[] = {
      {HistoryText::TabHistory, kEnglish, "History"},
      {HistoryText::chkKeepHistory, kEnglish, "Keep a history"},
      {HistoryText::lblHistoryNote, kEnglish,
       "The history stays on this computer and is never sent anywhere."},
      {HistoryText::btnDeleteHistory, kGerman, "Verlauf löschen…"},
      {HistoryText::chkKeepHistory, kFrench, "Conserver un historique"},
      {HistoryText::TabHistory, kCzech, "Historie"},
      {HistoryText::lblHistoryNote, kCzech,
       "Historie zůstává v tomto počítači a nikdy se nikam neodesílá."},
  };
  for (const Case& c : cases) EXPECT_EQ(HistorySettingText(c.row, c.language), c.text);
}

}  // namespace
}  // namespace quillo
