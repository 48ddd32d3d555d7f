// The settings dialog's rules without a window: what every control holds, filling it from the
// main window's settings, the rules that run on a click, the language preview, and applying.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/main_logic.h"
#include "core/panel/settings_dialog_texts.h"

namespace quillo {

// The fourteen item boxes, in the order of their flags in "Dispitems".
// clang-format off
enum class ItemBox : int {
  chkDistance, chkKeystrokes, chkLeftButton, chkRightButton, chkmidclick, chkDoubleClicks,
  chktime, chkWheel, chkSpeed, chkX, chkY, chkIdleTime, chkXButton1, chkXButton2,
};
// clang-format on
inline constexpr int kItemBoxCount = 14;

// A drop-down list: its items, the selected one (-1: none) and whether it can be used.
struct ListState {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;

  // The selected item's text; empty with nothing selected.
  std::string Text() const;
  void Select(int i) { index = i >= 0 && i < static_cast<int>(items.size()) ? i : -1; }
};

// The pages in the order of their tabs.
enum class SettingsPage : int {
  kGeneral,
  kDisplayedItems,
  kTimeLogging,
  kDataUpload,
  kHistory,
  kDebug
};

// What every control of the dialog holds. A new state is the dialog as designed; FormShow fills
// it from the main window.
struct SettingsDialogState {
  SettingsDialogState();

  SettingsDialogTexts texts;  // captions and the string fields of the chosen language

  // General.
  std::string edtmonitorsize;  // spin edits hold the text as typed
  std::string lblResolution;
  ListState cbxUnits, cbxOrientation, cbxDigits, cbxLanguage, cbxTransparent;
  uint32_t background = 0;  // btnBackground's colour (0x00BBGGRR)
  std::string edtSpin;      // idle time delay, seconds
  bool chkTop = false, chkStartup = false, chkHide = false;

  // Displayed items: all checked as designed.
  std::array<bool, kItemBoxCount> items{};

  // Time logging. btnHistory and btnStart can be used exactly while btnRunning is checked.
  bool btnRunning = false, btnTotal = false, btnHistory = true, btnStart = false;
  bool historyButtonsEnabled = true;
  bool chklog = false, chkResetEveryday = false;
  std::string lblSince, lblmeas;
  std::string lblLogHint;  // the log file's full path

  // Data upload.
  std::string edtAlias, edtComment, edtURL;
  std::string SpinEdit1;  // minutes between submissions
  bool chkenable = false;

  // History. "Delete history…" can be used only where the program names the folder it deletes.
  bool chkKeepHistory = true;
  std::string edtHistoryFolder;  // read-only: where the history is kept
  bool deleteHistoryEnabled = false;

  // Debug data.
  bool debugTabVisible = false;
  std::string Memo1;

  SettingsPage activePage = SettingsPage::kGeneral;

  bool item(ItemBox box) const { return items[static_cast<size_t>(box)]; }
};

// A spin edit's range, step and decimals.
struct SpinRange {
  double min, max, step;
  int decimals;
};
inline constexpr SpinRange kMonitorSizeSpin{9.0, 100.0, 0.1, 1};  // inches
inline constexpr SpinRange kIdleDelaySpin{0, 3600, 1, 0};         // seconds
inline constexpr SpinRange kIntervalSpin{30, 1440, 1, 0};         // minutes

// The value a spin edit's text stands for, as OK and Apply take it: a number (either decimal
// separator) is rounded to the spin's decimals and brought into its range; anything else is
// refused and `fallback` (the value last applied) is taken instead. `text` is what the edit shows
// for the value taken; `corrected` tells whether that differs from what was typed.
struct SpinValue {
  double value = 0;
  std::string text;
  bool corrected = false;
};
SpinValue TakeSpinValue(std::string_view typed, const SpinRange& range, double fallback, char sep);
// The spin's text for a value, with its decimals and `sep` as decimal separator.
std::string SpinText(double value, const SpinRange& range, char sep);
// The text after the up-down arrows moved `steps` steps (negative: down), from the value the text
// stands for; the result stays in the range.
std::string SpinStepText(std::string_view typed, int steps, const SpinRange& range, double fallback,
                         char sep);

// The auto-start entry's value for the program at `path`: the path, quoted when it has a space, so
// that the system never starts a program named after the part before the space.
std::string AutoStartCommand(std::string_view path);

// What applying and the dialog's buttons need from the main window and the system, beyond the
// main window's logic and its view.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  // The rebuild after applying, which the user must never see half done: the main window is
  // moved out of sight (its top remembered), its panel torn down and built again for the
  // settings as they are now (freeobjects, SetItems, SetSize), then moved back and repainted.
  // Moving back keeps the rebuilt panel on its monitor's work area (KeepOnWorkArea).
  virtual void MoveMainWindowOffScreen() = 0;
  virtual void RebuildPanel() = 0;
  virtual void MoveMainWindowBack() = 0;
  virtual void RepaintMainWindow() = 0;
  // Writes `data` under `name` in the per-user Run key ("RunOnce" with `once`), creating the key
  // when it does not exist yet, or, with `remove`, deletes it.
  virtual void SetAutoStart(const std::string& name, const std::string& data, bool once,
                            bool remove) = 0;
  // The running program's full path, as the process reports it.
  virtual std::string ExecutablePath() = 0;
  // The Documents folder + "\" + name + "\", the folder created.
  virtual std::string DocumentsSubfolder(const std::string& name) = 0;
  // A warning question with two buttons captioned `yes` and `no`, the second of them the default
  // (Enter answers it); true for the first.
  virtual bool AskYesNoDefaultNo(const std::string& text, const std::string& yes,
                                 const std::string& no) = 0;
  // ShellExecuteW with no owner window; an absent directory is passed as no directory at all.
  // Returns the call's result.
  virtual int64_t ShellExec(const std::string& operation, const std::string& file,
                            const std::string& parameters,
                            const std::optional<std::string>& directory, int showCommand) = 0;
};

inline constexpr int kShowNormal = 1;    // SW_SHOWNORMAL
inline constexpr int kShowDefault = 10;  // SW_SHOWDEFAULT

// SetLanguage: relabels the dialog in a language (English for an unknown index) and rebuilds the
// orientation and unit lists with nothing selected; the caller selects again.
void SetLanguage(SettingsDialogState& st, int language);

// FormShow: fills every control from the main window's settings, in the fixed order.
void FormShow(SettingsDialogState& st, MainLogic& logic, SettingsHost& host);

// cbxOrientationChange: horizontal shows the horizontal digit choice, vertical always 10 digits
// and a list that cannot be used.
bool IsHorizontal(const SettingsDialogState& st);
void cbxOrientationChange(SettingsDialogState& st, const Settings& settings);

// An item box set to `checked`, by a click or while filling: when its state changed, the box's
// click handler runs, which for every box but chktime is the keep-one-item rule.
void SetItemBox(SettingsDialogState& st, ItemBox box, bool checked);
// chkDistanceClick: with no item checked but possibly "Idle Time", check "Cursor Distance".
void chkDistanceClick(SettingsDialogState& st);
// The 14-character item flags the boxes stand for.
std::string DispItems(const SettingsDialogState& st);

// btnTotalClick and UpdateBtns: the two "since" options follow "Show Only Running Time".
void btnTotalClick(SettingsDialogState& st);
void UpdateBtns(SettingsDialogState& st);

// cbxLanguageChange (also run when the transparency changes): the dialog in the chosen language,
// with the selected units and orientation kept. The main window follows only on OK/Apply.
void cbxLanguageChange(SettingsDialogState& st);

// The debug mode check: the exact comment "debug" shows the "Debug Data" tab with the debug text
// and the main window's debug menu items; any other comment hides them.
void DebugModeCheck(SettingsDialogState& st, std::string_view comment, MainLogic& logic);
// btnDebugClick: shows or hides the "Debug Data" tab; shown, it holds the current debug text.
void btnDebugClick(SettingsDialogState& st, MainLogic& logic);

// ResetOriginalColor1Click and Reset1Click.
void ResetOriginalColor1Click(SettingsDialogState& st);
void Reset1Click(SettingsDialogState& st);

// What OK or Apply did beyond the settings: the typed values that were not taken as typed, one
// message each, saying which value was taken instead.
struct ApplyResult {
  std::vector<std::string> corrections;
};
// btnOKClick, for OK and Apply alike: everything the dialog shows goes to the main window's
// settings, the store (with the dialog's own spellings), the auto-start entry, the history and the
// panel, in the fixed order, ending with the full save. Typed spin values are taken first and the
// state shows what was taken. A store write that fails throws StoreError; what was done stays done.
ApplyResult btnOKClick(SettingsDialogState& st, MainLogic& logic, SettingsHost& host);

// btnLogNowClick: a line in the activity log now.
void btnLogNowClick(MainLogic& logic);
// btnBrowseClick: the results page (the applied URL) in the browser. The message to show when
// the shell reports one of its known failures, else nothing.
std::optional<std::string> btnBrowseClick(MainLogic& logic, SettingsHost& host);
// btnViewFileClick: the log file in its viewer. The warning to show when the shell fails.
std::optional<std::string> btnViewFileClick(SettingsHost& host);

// "Delete history…": the question (in the dialog's language, naming the folder, No the default),
// and on Yes the history's files deleted at once, whatever OK or Cancel follows. The message to
// show when deleting failed, with the system's reason; nothing after No or a deletion.
std::optional<std::string> btnDeleteHistoryClick(const SettingsDialogState& st, MainLogic& logic,
                                                 SettingsHost& host);
// The question "Delete history…" asks in a language.
std::string DeleteHistoryQuestion(int language, const std::string& folder);

// The message ShellExecuteChecked raises for one of ShellExecuteW's thirteen failure results;
// nothing for any other result.
std::optional<std::string_view> ShellExecuteError(int64_t result);

// "mmm dd, yyyy : hh:nn" and "mmm dd, yyyy" with the locale's abbreviated month names.
std::string FormatResetMoment(double moment, const std::array<std::string, 12>& months);
std::string FormatDay(int32_t day, const std::array<std::string, 12>& months);

}  // namespace quillo
