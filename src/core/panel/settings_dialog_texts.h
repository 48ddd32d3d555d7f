// The settings dialog's texts in the nine interface languages: the captions of its controls and
// the words of its orientation and unit lists, plus the captions no language changes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/panel/main_window_texts.h"

namespace quillo {

// The rows of the dialog's table, named after the control or string field they set.
// clang-format off
enum class DialogText : int {
  // Group A: the English text for every language, replaced where a language has its own text.
  Metingstring, Sindsstring, chktime, chkIdleTime, chkWheel, TabSheet4, TabSheet3, lblAlias,
  lblComment, chkenable, lblSend, lblMinutes, btnSend, btnBrowse, btnRunning, btnTotal, chklog,
  btnViewFile, btnHistory, btnStart, chkHide, lblBackground, lblIdle, lblSeconds,
  // Group B: every language has its own text.
  lblMonitor, lblDistance, lblOrientation, lblDigits, lblLanguage, lblResol, lblTransparent,
  chkTop, chkStartup, TabSheet1, TabSheet2, chkDistance, chkKeystrokes, chkLeftButton,
  chkRightButton, chkmidclick, chkXButton1, chkXButton2, chkDoubleClicks, btnOK, btnCancel,
  btnApply, Horstring, Verstring, EngString, Metricstring, Inchstring, chkSpeed,
};
// clang-format on
inline constexpr int kDialogTextCount = 52;
inline constexpr int kDialogGroupACount = 24;

constexpr bool InGroupA(DialogText row) {
  return static_cast<int>(row) < kDialogGroupACount;
}

// Whether a language has a text of its own in a row: always in group B, in group A only where
// the table gives one. An unknown index has none.
bool HasOwnDialogText(DialogText row, int language);

// One cell as the dialog shows it (UTF-8): the language's own text, else the English one. An
// index outside 0 … 8 reads English, as the main window's table does.
std::string_view DialogTextFor(DialogText row, int language);

// Every row of one language, as SetLanguage applies them.
struct SettingsDialogTexts {
  int language = kEnglish;  // the column in force (English for an unknown index)
  std::array<std::string, kDialogTextCount> rows;

  const std::string& operator[](DialogText row) const { return rows[static_cast<size_t>(row)]; }
};
SettingsDialogTexts DialogTextsForLanguage(int language);

// Captions that no language changes.
inline constexpr std::string_view kSettingsCaption = "Quillomat Setup";
inline constexpr std::string_view kCaptionURL = "URL";
inline constexpr std::string_view kCaptionX = "X Coord";
inline constexpr std::string_view kCaptionY = "Y Coord";
inline constexpr std::string_view kCaptionLogNow = "Log Now";
inline constexpr std::string_view kCaptionDebug = "Debug";
inline constexpr std::string_view kCaptionDebugPage = "Debug Data";
inline constexpr std::string_view kCaptionResetURL = "Reset URL";
inline constexpr std::string_view kCaptionResetColor = "Reset Original Color";
inline constexpr std::string_view kCaptionLogFile = "Quillomat.log";
inline constexpr std::string_view kCaptionResetEveryday = "Reset Counters Every Day";

// The items of the fixed lists.
inline constexpr std::array<std::string_view, 5> kDigitItems = {"6", "7", "8", "9", "10"};
inline constexpr std::array<std::string_view, 4> kTransparentItems = {"0 %", "25 %", "50 %",
                                                                      "75 %"};

}  // namespace quillo
