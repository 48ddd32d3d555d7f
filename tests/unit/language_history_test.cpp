// The History window's language table: every text in every language, the names of months and
// weekdays, the placeholders, the fallback to English.
#include <gtest/gtest.h>

#include <string>

#include "core/panel/history_texts.h"
#include "core/panel/main_window_texts.h"
#include "core/util/utf.h"

namespace quillo {
namespace {

TEST(HistoryLanguage, EveryLanguageHasEveryTextAsValidUtf8) {
  for (int language = 0; language < kLanguageCount; ++language) {
    for (int row = 0; row < kHistoryTextCount; ++row) {
      const std::string_view text = HistoryWindowText(static_cast<HistoryText>(row), language);
      EXPECT_FALSE(text.empty()) << row << "/" << language;
      EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text) << row << "/" << language;
    }
    for (int month = 1; month <= 12; ++month)
      for (bool shortName : {false, true})
        EXPECT_FALSE(HistoryMonthName(month, shortName, language).empty()) << month;
    for (int day = 0; day < 7; ++day) EXPECT_FALSE(HistoryWeekdayName(day, language).empty());
    // The texts with a place for a value have it.
    EXPECT_NE(HistoryWindowText(HistoryText::yearOf, language).find("{}"), std::string::npos);
    EXPECT_NE(HistoryMonthYear(12, 2026, language).find("2026"), std::string::npos);
    // Written as the menu item beside it is.
    EXPECT_EQ(HistoryWindowText(HistoryText::menuItem, language)
                  .substr(HistoryWindowText(HistoryText::menuItem, language).size() - 3),
              "...");
  }
}

TEST(HistoryLanguage, NamesAsEachLanguageWritesThem) {
  const struct {
    int language;
    std::string_view menu, december, dec, monday, monthYear, yearOf;
  } cases[] = {
      {kEnglish, "History...", "December", "Dec", "Mon", "December 2026", "Year 2026"},
      {kDutch, "Geschiedenis...", "december", "dec", "ma", "december 2026", "Jaar 2026"},
      {kGerman, "Verlauf...", "Dezember", "Dez", "Mo", "Dezember 2026", "Jahr 2026"},
      {kSpanish, "Historial...", "diciembre", "dic", "lun", "diciembre de 2026", "Año 2026"},
      {kFrench, "Historique...", "décembre", "déc.", "lun.", "décembre 2026", "Année 2026"},
      {kSwedish, "Historik...", "december", "dec", "mån", "december 2026", "År 2026"},
      {kNorwegian, "Historikk...", "desember", "des", "man", "desember 2026", "År 2026"},
      {kPortuguese, "Histórico...", "dezembro", "dez", "seg", "dezembro de 2026", "Ano 2026"},
      {kCzech, "Historie...", "prosinec", "pro", "po", "prosinec 2026", "Rok 2026"},
      {42, "History...", "December", "Dec", "Mon", "December 2026", "Year 2026"},  // unknown
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HistoryWindowText(HistoryText::menuItem, c.language), c.menu);
    EXPECT_EQ(HistoryMonthName(12, false, c.language), c.december);
    EXPECT_EQ(HistoryMonthName(12, true, c.language), c.dec);
    EXPECT_EQ(HistoryWeekdayName(0, c.language), c.monday);
    EXPECT_EQ(HistoryMonthYear(12, 2026, c.language), c.monthYear);
    EXPECT_EQ(HistoryTextWith(HistoryText::yearOf, c.language, "2026"), c.yearOf);
  }
}

}  // namespace
}  // namespace quillo
