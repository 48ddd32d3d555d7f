// The main window's language table: completeness, the Czech spelling, the on/off hint and the
// fallback for an unknown language.
#include <gtest/gtest.h>

#include <string>

#include "core/panel/main_window_texts.h"
#include "core/util/utf.h"

namespace quillo {
namespace {

TEST(MainWindowLanguage, EveryLanguageHasEveryTextAsValidUtf8) {
  for (int row = 0; row < kMainTextCount; ++row) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const std::string_view text = MainWindowText(static_cast<MainText>(row), language);
      EXPECT_FALSE(text.empty()) << row << "/" << language;
      EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text) << row << "/" << language;
    }
  }
}

// Characters that Windows-1250 bytes turn into when read as Windows-1252 (and that Czech does
// not use): any of them in a Czech text is a mis-read "č", "ř", "ě", "ů", "ď", "ň", "ť", ….
constexpr std::string_view kMisread = "ƒˆŒ˜œŸ¡¢£¥ª¯²³¹º¼½¾¿ÀÃÅÆÈÊÌÏÐÑÒÕØÙÛÞàãåæèêìïðñòõøùûþÿ";

TEST(MainWindowLanguage, CzechIsSpelledAsCzech) {
  const std::u16string misread = Utf8ToUtf16(kMisread);
  for (int row = 0; row < kMainTextCount; ++row) {
    const std::string_view text = MainWindowText(static_cast<MainText>(row), kCzech);
    for (char16_t c : Utf8ToUtf16(text)) EXPECT_EQ(misread.find(c), std::u16string::npos) << text;
  }
  const MainWindowTexts cz = TextsForLanguage(kCzech);
  EXPECT_EQ(cz.pnldays, "dnů");
  EXPECT_EQ(cz.pnlKeyStrokes, "úhozů");
  EXPECT_EQ(cz.pnlLeftBut, "levé tlačítko");
  EXPECT_EQ(cz.pnlMidBut, "prostřední tlačítko");
  EXPECT_EQ(cz.Help1, "Zobrazit Nápovědu");
  EXPECT_EQ(cz.Exit1, "Ukončit");
  EXPECT_EQ(cz.pnlWheel, "kolečko myši");
  EXPECT_EQ(cz.Resetquestion, "Jste si jisti, že chcete obnovit všechny počitadla ?");
  EXPECT_EQ(LanguageListText(kCzech), "Czech / čeština");
}

TEST(MainWindowLanguage, OnOffWordsAndHint) {
  struct Case {
    int language;
    std::string_view on, off, hint;
  } cases[] = {
      {kEnglish, "on", "off", "on / off"},          {kDutch, "aan", "uit", "aan / uit"},
      {kGerman, "Ein", "Aus", "Ein / Aus"},         {kSpanish, "on", "off", "on / off"},
      {kFrench, "on", "off", "Démarrer / Arrêter"}, {kSwedish, "på", "av", "på / av"},
      {kNorwegian, "på", "av", "på / av"},          {kPortuguese, "på", "av", "på / av"},
      {kCzech, "vyp", "zap", "vyp / zap"},
  };
  static_assert(std::size(cases) == kLanguageCount, "one row per language");
  for (const Case& c : cases) {
    const MainWindowTexts t = TextsForLanguage(c.language);
    EXPECT_EQ(t.onstring, c.on) << c.language;
    EXPECT_EQ(t.offstring, c.off) << c.language;
    EXPECT_EQ(t.onOffHint, c.hint) << c.language;
  }
}

TEST(MainWindowLanguage, EveryFieldReadsItsOwnRow) {
  struct Field {
    std::string MainWindowTexts::*member;
    MainText row;
  } fields[] = {
      {&MainWindowTexts::onstring, MainText::onstring},
      {&MainWindowTexts::offstring, MainText::offstring},
      {&MainWindowTexts::pnldays, MainText::pnldays},
      {&MainWindowTexts::pnlKeyStrokes, MainText::pnlKeyStrokes},
      {&MainWindowTexts::pnlLeftBut, MainText::pnlLeftBut},
      {&MainWindowTexts::pnlRightBut, MainText::pnlRightBut},
      {&MainWindowTexts::pnlMidBut, MainText::pnlMidBut},
      {&MainWindowTexts::pnlXbut1, MainText::pnlXbut1},
      {&MainWindowTexts::pnlXBut2, MainText::pnlXBut2},
      {&MainWindowTexts::pnlDBLClick, MainText::pnlDBLClick},
      {&MainWindowTexts::HidePanel1, MainText::HidePanel1},
      {&MainWindowTexts::ResetCounter1, MainText::ResetCounter1},
      {&MainWindowTexts::SetupQuillomat1, MainText::SetupQuillomat1},
      {&MainWindowTexts::Help1, MainText::Help1},
      {&MainWindowTexts::Info1, MainText::Info1},
      {&MainWindowTexts::Exit1, MainText::Exit1},
      {&MainWindowTexts::Resetquestion, MainText::Resetquestion},
      {&MainWindowTexts::milestring, MainText::milestring},
      {&MainWindowTexts::yardstring, MainText::yardstring},
      {&MainWindowTexts::inchstring2, MainText::inchstring2},
      {&MainWindowTexts::inchstring, MainText::inchstring},
      {&MainWindowTexts::yesstring, MainText::yesstring},
      {&MainWindowTexts::nostring, MainText::nostring},
      {&MainWindowTexts::pnlWheel, MainText::pnlWheel},
      {&MainWindowTexts::pnlspeed, MainText::pnlspeed},
      {&MainWindowTexts::Checkforupdate1, MainText::Checkforupdate1},
  };
  static_assert(std::size(fields) == kMainTextCount);
  for (int language = 0; language < kLanguageCount; ++language) {
    const MainWindowTexts t = TextsForLanguage(language);
    EXPECT_EQ(t.language, language);
    for (const Field& f : fields)
      EXPECT_EQ(t.*f.member, MainWindowText(f.row, language)) << static_cast<int>(f.row);
  }
}

TEST(MainWindowLanguage, SampleCells) {
  EXPECT_EQ(TextsForLanguage(kEnglish).Help1, "Show Helpfile");
  EXPECT_EQ(TextsForLanguage(kPortuguese).Help1, "Ajuda");
  EXPECT_EQ(TextsForLanguage(kEnglish).SetupQuillomat1, "Options...");
  EXPECT_EQ(TextsForLanguage(kEnglish).Resetquestion,
            "Are you sure you want to reset all the counters ?");
  EXPECT_EQ(TextsForLanguage(kSpanish).inchstring2, "pulg.");
  EXPECT_EQ(TextsForLanguage(kSpanish).inchstring, "pulgada");
  EXPECT_EQ(TextsForLanguage(kFrench).yardstring, "verges");
  EXPECT_EQ(TextsForLanguage(kNorwegian).pnlRightBut, "høyre knapp");
  EXPECT_EQ(TextsForLanguage(kGerman).Checkforupdate1, "Internet auf Update prüfen...");
  EXPECT_EQ(LanguageListText(kEnglish), "English / Anglais");
  EXPECT_EQ(LanguageListText(kPortuguese), "Portuguese / Português");
}

TEST(MainWindowLanguage, UnknownIndexFallsBackToEnglish) {
  const MainWindowTexts english = TextsForLanguage(kEnglish);
  for (int index : {-1, 9, 42, -2147483647 - 1}) {
    EXPECT_FALSE(IsKnownLanguage(index));
    const MainWindowTexts t = TextsForLanguage(index);
    EXPECT_EQ(t.language, kEnglish) << index;
    EXPECT_EQ(t.onstring, english.onstring);
    EXPECT_EQ(t.pnlKeyStrokes, "keystrokes");
    EXPECT_EQ(t.onOffHint, "on / off");
    EXPECT_EQ(MainWindowText(MainText::Exit1, index), "Exit");
    EXPECT_EQ(LanguageListText(index), "English / Anglais");
  }
}

}  // namespace
}  // namespace quillo
