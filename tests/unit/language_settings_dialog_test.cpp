// The settings dialog's language table: the quoted rows in every language, which rows of group A a
// language has its own text for, completeness, the Czech spelling and the English fallback.
#include <gtest/gtest.h>

#include <string>

#include "core/app/settings_dialog.h"
#include "core/panel/settings_dialog_texts.h"
#include "core/util/utf.h"

namespace quillo {
namespace {

constexpr const char* kLanguageNames[] = {"English", "Dutch",     "German",     "Spanish", "French",
                                          "Swedish", "Norwegian", "Portuguese", "Czech"};

struct Telling {
  int language;
  DialogText row;
  const char* rowName;
  const char* text;
};

void PrintTo(const Telling& t, std::ostream* os) {
  *os << kLanguageNames[t.language] << " " << t.rowName;
}

class TellingRows : public ::testing::TestWithParam<Telling> {};

TEST_P(TellingRows, ReadAsGiven) {
  const Telling& t = GetParam();
  EXPECT_EQ(DialogTextFor(t.row, t.language), t.text);
  EXPECT_EQ(DialogTextsForLanguage(t.language)[t.row], t.text);
}

#define ROW(r) DialogText::r, #r
INSTANTIATE_TEST_SUITE_P(
    Cases, TellingRows,
    ::testing::Values(Telling{kSpanish, ROW(btnOK), "Si"}, Telling{kFrench, ROW(btnOK), "Accepter"},
                      Telling{kDutch, ROW(chkSpeed), "Cursor Snelheid"},
                      Telling{kDutch, ROW(TabSheet3), "Tijdsregistratie"},
                      Telling{kDutch, ROW(TabSheet4), "Data Upload"},
                      Telling{kDutch, ROW(Sindsstring), "Gemeten sinds "},
                      Telling{kDutch, ROW(lblAlias), "Alias"},
                      // English through the table differs from the design-time captions.
                      Telling{kEnglish, ROW(chktime), "Running Time"},
                      Telling{kEnglish, ROW(btnViewFile), "Show Log"},
                      Telling{kEnglish, ROW(lblBackground), "Background"},
                      Telling{kEnglish, ROW(lblSeconds), "Seconds"},
                      Telling{kEnglish, ROW(lblResol), "Resolution"},
                      Telling{kEnglish, ROW(Sindsstring), "Measuring since "},
                      Telling{kEnglish, ROW(Metingstring), "Last Logging"},
                      // Rows of group A without an own text stay English.
                      Telling{kGerman, ROW(btnSend), "Send Now !"},
                      Telling{kSpanish, ROW(btnRunning), "Show Only Running Time"},
                      Telling{kFrench, ROW(chkHide), "Hide Screen on Startup"},
                      Telling{kSwedish, ROW(Sindsstring), "Measuring since "},
                      Telling{kCzech, ROW(lblIdle), "Idle Time Delay"},
                      Telling{kCzech, ROW(lblTransparent), "Průhlednost"},
                      Telling{kCzech, ROW(lblDigits), "Číslice"}),
    [](const auto& info) {
      return std::string(kLanguageNames[info.param.language]) + "_" + info.param.rowName;
    });
#undef ROW

TEST(SettingsDialogLanguage, FieldsAndButtonsInEveryLanguage) {
  struct Row {
    const char *hor, *ver, *metric, *eng, *inch, *ok, *cancel, *apply;
  } rows[kLanguageCount] = {
      {"Horizontal", "Vertical", "Metric system", "English system", "Inch", "OK", "Cancel",
       "Apply"},
      {"Horizontaal", "Verticaal", "Metrisch systeem", "Engels systeem", "Inch", "OK", "Cancel",
       "Toepassen"},
      {"Horizontal", "Vertikal", "Metrisches System", "Englisches System", "Inch", "OK",
       "Abbrechen", "Anwenden"},
      {"Horizontal", "Vertical", "Sistema métrico", "Sistema inglés", "pulgada", "Si", "Cancelar",
       "Aplicar"},
      {"Horizontale", "Verticale", "Système métrique", "Système anglais", "pouces", "Accepter",
       "Annuler", "Appliquer"},
      {"Horisontell", "Vertikal", "Meterenhet", "Engelsk måttenhet", "inch", "OK", "Avbryt",
       "Applicera"},
      {"Horisontal", "Vertikal", "Metrisk system", "Engelsk system", "inch", "OK", "Avbryt",
       "Gjelder"},
      {"Horizontal", "Vertical", "Sistema métrico", "Sistema inglês", "polegadas", "OK", "Cancelar",
       "Aplicar"},
      // Czech as Czech is written: "systém" carries its accent.
      {"Horizontální", "Vertikální", "Metrický systém", "Anglický systém", "Palec", "OK", "Zrušit",
       "Použít"},
  };
  for (int language = 0; language < kLanguageCount; ++language) {
    SCOPED_TRACE(kLanguageNames[language]);
    const SettingsDialogTexts t = DialogTextsForLanguage(language);
    const Row& r = rows[language];
    EXPECT_EQ(t[DialogText::Horstring], r.hor);
    EXPECT_EQ(t[DialogText::Verstring], r.ver);
    EXPECT_EQ(t[DialogText::Metricstring], r.metric);
    EXPECT_EQ(t[DialogText::EngString], r.eng);
    EXPECT_EQ(t[DialogText::Inchstring], r.inch);
    EXPECT_EQ(t[DialogText::btnOK], r.ok);
    EXPECT_EQ(t[DialogText::btnCancel], r.cancel);
    EXPECT_EQ(t[DialogText::btnApply], r.apply);
  }
}

TEST(SettingsDialogLanguage, GroupAHasOwnTextsOnlyWhereTheTableNamesThem) {
  // Per row of group A, which of the nine languages has an own text ("1").
  constexpr const char* kOwn[kDialogGroupACount] = {
      "111111111",  // Metingstring: languages 1 to 8
      "110000000",  // Sindsstring: Dutch only
      "110000000",  // chktime
      "100000000",  // chkIdleTime: none
      "111111111",  // chkWheel
      "111111111",  // TabSheet4: all
      "111111111",  // TabSheet3
      "110000000",  // lblAlias
      "110000000",  // lblComment
      "110000000",  // chkenable
      "110000000",  // lblSend
      "110000000",  // lblMinutes
      "110000000",  // btnSend
      "110000000",  // btnBrowse
      "110000000",  // btnRunning
      "110000000",  // btnTotal
      "110000000",  // chklog
      "110000000",  // btnViewFile
      "110000000",  // btnHistory
      "110000000",  // btnStart
      "100000000",  // chkHide
      "111111111",  // lblBackground
      "100000000",  // lblIdle
      "100000000",  // lblSeconds
  };
  for (int row = 0; row < kDialogTextCount; ++row) {
    const auto r = static_cast<DialogText>(row);
    for (int language = 0; language < kLanguageCount; ++language) {
      SCOPED_TRACE(testing::Message() << "row " << row << ", " << kLanguageNames[language]);
      const bool own = InGroupA(r) ? kOwn[row][language] == '1' : true;
      EXPECT_EQ(HasOwnDialogText(r, language), own);
      const std::string_view text = DialogTextFor(r, language);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);  // valid UTF-8
      if (!own) {
        EXPECT_EQ(text, DialogTextFor(r, kEnglish));
      }
    }
  }
  // Where a language has its own text in group B it is its own: the captions a user reads most
  // are not English words left behind (a few words are spelt alike: "OK", "Monitor", …).
  for (DialogText r : {DialogText::lblLanguage, DialogText::TabSheet2, DialogText::chkTop})
    for (int language = 1; language < kLanguageCount; ++language)
      EXPECT_NE(DialogTextFor(r, language), DialogTextFor(r, kEnglish)) << kLanguageNames[language];
}

// Characters that Windows-1250 bytes turn into when read as Windows-1252 (and that Czech does
// not use): any of them in a Czech text is a mis-read "č", "ř", "ě", "ů", "ď", "ň", "ť", ….
constexpr std::string_view kMisread = "ƒˆŒ˜œŸ¡¢£¥ª¯²³¹º¼½¾¿ÀÃÅÆÈÊÌÏÐÑÒÕØÙÛÞàãåæèêìïðñòõøùûþÿ";

TEST(SettingsDialogLanguage, CzechIsSpelledAsCzech) {
  const std::u16string misread = Utf8ToUtf16(kMisread);
  for (int row = 0; row < kDialogTextCount; ++row) {
    const std::string_view text = DialogTextFor(static_cast<DialogText>(row), kCzech);
    for (char16_t c : Utf8ToUtf16(text)) EXPECT_EQ(misread.find(c), std::u16string::npos) << text;
  }
}

TEST(SettingsDialogLanguage, AnUnknownIndexReadsEnglish) {
  const SettingsDialogTexts english = DialogTextsForLanguage(kEnglish);
  for (int language : {-1, 9, 42}) {
    const SettingsDialogTexts t = DialogTextsForLanguage(language);
    EXPECT_EQ(t.language, kEnglish) << language;
    EXPECT_EQ(t.rows, english.rows) << language;
  }
}

TEST(SettingsDialogLanguage, SetLanguageRebuildsTheListsWithNothingSelected) {
  SettingsDialogState st;
  st.cbxUnits.Select(1);
  st.cbxOrientation.Select(0);
  SetLanguage(st, kFrench);
  EXPECT_EQ(st.cbxOrientation.items, (std::vector<std::string>{"Horizontale", "Verticale"}));
  EXPECT_EQ(st.cbxUnits.items, (std::vector<std::string>{"Système métrique", "Système anglais"}));
  EXPECT_EQ(st.cbxUnits.index, -1);
  EXPECT_EQ(st.cbxOrientation.index, -1);
  EXPECT_EQ(st.texts[DialogText::Inchstring], "pouces");
  // The language list shows every language in its own name, whatever the dialog's language.
  EXPECT_EQ(st.cbxLanguage.items.size(), 9u);
  EXPECT_EQ(st.cbxLanguage.items[kCzech], "Czech / čeština");
}

}  // namespace
}  // namespace quillo
