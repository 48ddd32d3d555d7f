// The main window's texts in the nine interface languages: on/off words, panel captions, menu
// captions, the reset question and the imperial unit words.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillo {

// Interface languages by their stored index.
inline constexpr int kLanguageCount = 9;
// clang-format off
enum LanguageIndex : int {
  kEnglish = 0, kDutch, kGerman, kSpanish, kFrench, kSwedish, kNorwegian, kPortuguese, kCzech
};
// clang-format on

// The rows of the main window's table, in the order they are applied.
// clang-format off
enum class MainText : int {
  onstring, offstring, pnldays, pnlKeyStrokes, pnlLeftBut, pnlRightBut, pnlMidBut, pnlXbut1,
  pnlXBut2, pnlDBLClick, HidePanel1, ResetCounter1, SetupQuillomat1, Help1, Info1, Exit1,
  Resetquestion, milestring, yardstring, inchstring2, inchstring, yesstring, nostring, pnlWheel,
  pnlspeed, Checkforupdate1,
};
// clang-format on
inline constexpr int kMainTextCount = 26;

// One cell of the table (UTF-8). An index outside 0 … 8 reads the English column.
std::string_view MainWindowText(MainText row, int language);

// The language list of the settings dialog ("English / Anglais", …, "Czech / čeština").
std::string_view LanguageListText(int language);

// Whether a stored language index names one of the nine languages.
constexpr bool IsKnownLanguage(int language) {
  return language >= 0 && language < kLanguageCount;
}

// Everything the main window takes from its language table, one language's column. Field names
// are the window fields and components they set; the ten panel words are named after their
// labels.
struct MainWindowTexts {
  // The column in force: the index asked for, or English for an unknown one.
  int language = kEnglish;
  std::string onstring, offstring;
  std::string pnldays, pnlKeyStrokes, pnlLeftBut, pnlRightBut, pnlMidBut, pnlXbut1, pnlXBut2,
      pnlDBLClick, pnlWheel, pnlspeed;
  std::string HidePanel1, ResetCounter1, SetupQuillomat1, Help1, Info1, Exit1, Checkforupdate1;
  std::string Resetquestion, yesstring, nostring;
  std::string milestring, yardstring, inchstring2, inchstring;
  // Hint of the on/off button: a fixed text in French, "<on> / <off>" in every other language.
  std::string onOffHint;
};

// The texts of a language. An index outside 0 … 8 (only a hand-edited stored value gives one)
// falls back to English, so that no caption, menu item or unit word is ever left empty.
MainWindowTexts TextsForLanguage(int language);

}  // namespace quillo
