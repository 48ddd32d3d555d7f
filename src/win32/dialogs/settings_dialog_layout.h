// The settings dialog's controls as data: pages, ids, kinds and rectangles at 96 DPI in creation
// (tab) order, which caption each shows, and the spin edits' pairs.
#pragma once

#include <iterator>
#include <string_view>
#include <utility>

#include "core/app/settings_dialog.h"
#include "core/panel/history_setting_texts.h"
#include "win32/dialogs/settings_dialog.h"

namespace quillo::settings_layout {

namespace ids = settings_ids;

// The client area and the font at 96 DPI.
inline constexpr int kClientWidth = 366, kClientHeight = 396;
inline constexpr int kFontHeight = 12;  // Segoe UI 9 pt
inline constexpr wchar_t kFontFace[] = L"Segoe UI";
// Out of sight for the rebuild: below every monitor, and never above 2500.
inline constexpr int kOffScreenTop = 2500;

enum class Kind {
  kLabel,
  kNotifyLabel,
  kEdit,
  kReadOnlyEdit,
  kSpinEdit,
  kUpDown,
  kList,
  kCheck,
  kRadioFirst,
  kRadio,
  kButton,
  kColor,
  kGroup,
  kMemo
};

// One control: its page (-1: the dialog itself), id, kind and rectangle at 96 DPI in its parent.
struct ControlDef {
  int page, id;
  Kind kind;
  int x, y, w, h;
};

// In the order of SettingsPage; "Debug Data" is the last, its tab shown only in debug mode.
inline constexpr int kPages = 6;
inline constexpr int kMain = -1, kGeneral = 0, kItems = 1, kTimeLogging = 2, kUpload = 3,
                     kHistory = 4, kDebug = 5;
static_assert(kHistory == static_cast<int>(SettingsPage::kHistory) &&
              kDebug == static_cast<int>(SettingsPage::kDebug) && kDebug == kPages - 1);

// Creation order is tab order. Group boxes come last on their page so that they lie beneath what
// they frame.
// clang-format off
inline constexpr ControlDef kControls[] = {
    {kMain, ids::PageControl1, Kind::kLabel, 6, 6, 354, 350},  // created apart as the tab control
    // General.
    {kGeneral, ids::lblMonitor, Kind::kLabel, 8, 8, 112, 16},
    {kGeneral, ids::edtmonitorsize, Kind::kSpinEdit, 124, 4, 47, 22},
    {kGeneral, ids::spnmonitorsize, Kind::kUpDown, 171, 4, 17, 22},
    {kGeneral, ids::lblInch, Kind::kLabel, 194, 8, 140, 16},
    {kGeneral, ids::lblResol, Kind::kLabel, 8, 34, 112, 16},
    {kGeneral, ids::lblResolution, Kind::kLabel, 124, 34, 210, 16},
    {kGeneral, ids::lblDistance, Kind::kLabel, 8, 58, 112, 16},
    {kGeneral, ids::cbxUnits, Kind::kList, 124, 54, 170, 120},
    {kGeneral, ids::lblOrientation, Kind::kLabel, 8, 84, 112, 16},
    {kGeneral, ids::cbxOrientation, Kind::kList, 124, 80, 170, 120},
    {kGeneral, ids::lblDigits, Kind::kLabel, 8, 110, 112, 16},
    {kGeneral, ids::cbxDigits, Kind::kList, 124, 106, 64, 160},
    {kGeneral, ids::lblLanguage, Kind::kLabel, 8, 136, 112, 16},
    {kGeneral, ids::cbxLanguage, Kind::kList, 124, 132, 210, 240},
    {kGeneral, ids::lblTransparent, Kind::kLabel, 8, 162, 112, 16},
    {kGeneral, ids::cbxTransparent, Kind::kList, 124, 158, 64, 120},
    {kGeneral, ids::lblBackground, Kind::kLabel, 8, 188, 112, 16},
    {kGeneral, ids::btnBackground, Kind::kColor, 124, 184, 64, 22},
    {kGeneral, ids::lblIdle, Kind::kLabel, 8, 214, 112, 16},
    {kGeneral, ids::edtSpin, Kind::kSpinEdit, 124, 210, 47, 22},
    {kGeneral, ids::spnSpin, Kind::kUpDown, 171, 210, 17, 22},
    {kGeneral, ids::lblSeconds, Kind::kLabel, 194, 214, 140, 16},
    {kGeneral, ids::chkTop, Kind::kCheck, 8, 240, 250, 18},
    {kGeneral, ids::chkStartup, Kind::kCheck, 8, 260, 250, 18},
    {kGeneral, ids::chkHide, Kind::kCheck, 8, 280, 250, 18},
    {kGeneral, ids::btnDebug, Kind::kButton, 262, 274, 74, 24},
    // Displayed items: two columns.
    {kItems, ids::kItemBoxBase + 6, Kind::kCheck, 8, 6, 172, 18},     // chktime
    {kItems, ids::kItemBoxBase + 0, Kind::kCheck, 8, 28, 172, 18},    // chkDistance
    {kItems, ids::kItemBoxBase + 1, Kind::kCheck, 8, 50, 172, 18},    // chkKeystrokes
    {kItems, ids::kItemBoxBase + 2, Kind::kCheck, 8, 72, 172, 18},    // chkLeftButton
    {kItems, ids::kItemBoxBase + 3, Kind::kCheck, 8, 94, 172, 18},    // chkRightButton
    {kItems, ids::kItemBoxBase + 4, Kind::kCheck, 8, 116, 172, 18},   // chkmidclick
    {kItems, ids::kItemBoxBase + 12, Kind::kCheck, 8, 138, 172, 18},  // chkXButton1
    {kItems, ids::kItemBoxBase + 13, Kind::kCheck, 8, 160, 172, 18},  // chkXButton2
    {kItems, ids::kItemBoxBase + 5, Kind::kCheck, 8, 182, 172, 18},   // chkDoubleClicks
    {kItems, ids::kItemBoxBase + 7, Kind::kCheck, 182, 6, 158, 18},   // chkWheel
    {kItems, ids::kItemBoxBase + 8, Kind::kCheck, 182, 28, 158, 18},  // chkSpeed
    {kItems, ids::kItemBoxBase + 9, Kind::kCheck, 182, 50, 158, 18},  // chkX
    {kItems, ids::kItemBoxBase + 10, Kind::kCheck, 182, 72, 158, 18}, // chkY
    {kItems, ids::kItemBoxBase + 11, Kind::kCheck, 182, 94, 158, 18}, // chkIdleTime
    // Time logging.
    {kTimeLogging, ids::btnRunning, Kind::kRadioFirst, 16, 18, 314, 18},
    {kTimeLogging, ids::btnTotal, Kind::kRadio, 16, 82, 314, 18},
    {kTimeLogging, ids::btnHistory, Kind::kRadioFirst, 36, 38, 294, 18},
    {kTimeLogging, ids::btnStart, Kind::kRadio, 36, 58, 294, 18},
    {kTimeLogging, ids::chklog, Kind::kCheck, 16, 130, 314, 18},
    {kTimeLogging, ids::lblLog, Kind::kNotifyLabel, 16, 160, 112, 16},
    {kTimeLogging, ids::btnLogNow, Kind::kButton, 132, 154, 98, 26},
    {kTimeLogging, ids::btnViewFile, Kind::kButton, 234, 154, 98, 26},
    {kTimeLogging, ids::chkResetEveryday, Kind::kCheck, 16, 212, 314, 18},
    {kTimeLogging, ids::lblSince, Kind::kLabel, 8, 246, 330, 16},
    {kTimeLogging, ids::lblmeas, Kind::kLabel, 8, 266, 330, 16},
    {kTimeLogging, ids::grpRunning, Kind::kGroup, 6, 0, 334, 108},
    {kTimeLogging, ids::grpLog, Kind::kGroup, 6, 112, 334, 76},
    {kTimeLogging, ids::grpReset, Kind::kGroup, 6, 194, 334, 44},
    // Data upload.
    {kUpload, ids::lblAlias, Kind::kLabel, 16, 22, 84, 16},
    {kUpload, ids::edtAlias, Kind::kEdit, 104, 18, 226, 22},
    {kUpload, ids::lblComment, Kind::kLabel, 16, 50, 84, 16},
    {kUpload, ids::edtComment, Kind::kEdit, 104, 46, 226, 22},
    {kUpload, ids::lblURL, Kind::kLabel, 16, 78, 84, 16},
    {kUpload, ids::edtURL, Kind::kEdit, 104, 74, 226, 22},
    {kUpload, ids::btnSend, Kind::kButton, 16, 106, 152, 28},
    {kUpload, ids::btnBrowse, Kind::kButton, 178, 106, 152, 28},
    {kUpload, ids::chkenable, Kind::kCheck, 16, 176, 314, 18},
    {kUpload, ids::lblSend, Kind::kLabel, 16, 206, 120, 16},
    {kUpload, ids::SpinEdit1, Kind::kSpinEdit, 140, 202, 53, 22},
    {kUpload, ids::spnInterval, Kind::kUpDown, 193, 202, 17, 22},
    {kUpload, ids::lblMinutes, Kind::kLabel, 216, 206, 114, 16},
    {kUpload, ids::grpUpload, Kind::kGroup, 6, 0, 334, 146},
    {kUpload, ids::grpAuto, Kind::kGroup, 6, 156, 334, 80},
    // History: the setting with what it promises, then where the files are and their deletion.
    // The note has room for a second line, which the longer languages need.
    {kHistory, ids::chkKeepHistory, Kind::kCheck, 16, 18, 314, 18},
    {kHistory, ids::lblHistoryNote, Kind::kLabel, 16, 42, 314, 32},
    {kHistory, ids::lblHistoryFolder, Kind::kLabel, 16, 106, 314, 16},
    {kHistory, ids::edtHistoryFolder, Kind::kReadOnlyEdit, 16, 126, 314, 22},
    {kHistory, ids::btnDeleteHistory, Kind::kButton, 16, 158, 190, 28},
    {kHistory, ids::grpKeepHistory, Kind::kGroup, 6, 0, 334, 84},
    {kHistory, ids::grpHistoryFolder, Kind::kGroup, 6, 90, 334, 108},
    // Debug data: the memo fills the page.
    {kDebug, ids::Memo1, Kind::kMemo, 4, 4, 0, 0},
    // The buttons below the pages.
    {kMain, ids::btnOK, Kind::kButton, 123, 364, 75, 25},
    {kMain, ids::btnApply, Kind::kButton, 204, 364, 75, 25},
    {kMain, ids::btnCancel, Kind::kButton, 285, 364, 75, 25},
};
// clang-format on

// Captions that follow the language.
inline constexpr std::pair<int, DialogText> kCaptions[] = {
    {ids::lblMonitor, DialogText::lblMonitor},
    {ids::lblInch, DialogText::Inchstring},
    {ids::lblResol, DialogText::lblResol},
    {ids::lblDistance, DialogText::lblDistance},
    {ids::lblOrientation, DialogText::lblOrientation},
    {ids::lblDigits, DialogText::lblDigits},
    {ids::lblLanguage, DialogText::lblLanguage},
    {ids::lblTransparent, DialogText::lblTransparent},
    {ids::lblBackground, DialogText::lblBackground},
    {ids::lblIdle, DialogText::lblIdle},
    {ids::lblSeconds, DialogText::lblSeconds},
    {ids::chkTop, DialogText::chkTop},
    {ids::chkStartup, DialogText::chkStartup},
    {ids::chkHide, DialogText::chkHide},
    {ids::kItemBoxBase + 0, DialogText::chkDistance},
    {ids::kItemBoxBase + 1, DialogText::chkKeystrokes},
    {ids::kItemBoxBase + 2, DialogText::chkLeftButton},
    {ids::kItemBoxBase + 3, DialogText::chkRightButton},
    {ids::kItemBoxBase + 4, DialogText::chkmidclick},
    {ids::kItemBoxBase + 5, DialogText::chkDoubleClicks},
    {ids::kItemBoxBase + 6, DialogText::chktime},
    {ids::kItemBoxBase + 7, DialogText::chkWheel},
    {ids::kItemBoxBase + 8, DialogText::chkSpeed},
    {ids::kItemBoxBase + 11, DialogText::chkIdleTime},
    {ids::kItemBoxBase + 12, DialogText::chkXButton1},
    {ids::kItemBoxBase + 13, DialogText::chkXButton2},
    {ids::btnRunning, DialogText::btnRunning},
    {ids::btnTotal, DialogText::btnTotal},
    {ids::btnHistory, DialogText::btnHistory},
    {ids::btnStart, DialogText::btnStart},
    {ids::chklog, DialogText::chklog},
    {ids::btnViewFile, DialogText::btnViewFile},
    {ids::lblAlias, DialogText::lblAlias},
    {ids::lblComment, DialogText::lblComment},
    {ids::btnSend, DialogText::btnSend},
    {ids::btnBrowse, DialogText::btnBrowse},
    {ids::chkenable, DialogText::chkenable},
    {ids::lblSend, DialogText::lblSend},
    {ids::lblMinutes, DialogText::lblMinutes},
    {ids::btnOK, DialogText::btnOK},
    {ids::btnCancel, DialogText::btnCancel},
    {ids::btnApply, DialogText::btnApply},
};

// Captions no language changes.
inline constexpr std::pair<int, std::string_view> kFixedCaptions[] = {
    {ids::kItemBoxBase + 9, kCaptionX},
    {ids::kItemBoxBase + 10, kCaptionY},
    {ids::lblLog, kCaptionLogFile},
    {ids::btnLogNow, kCaptionLogNow},
    {ids::btnDebug, kCaptionDebug},
    {ids::lblURL, kCaptionURL},
    {ids::chkResetEveryday, kCaptionResetEveryday},
};

// The history page's captions, from its own table.
inline constexpr std::pair<int, HistoryText> kHistoryCaptions[] = {
    {ids::chkKeepHistory, HistoryText::chkKeepHistory},
    {ids::lblHistoryNote, HistoryText::lblHistoryNote},
    {ids::lblHistoryFolder, HistoryText::lblHistoryFolder},
    {ids::btnDeleteHistory, HistoryText::btnDeleteHistory},
};

// The tabs of the pages before the history's.
inline constexpr DialogText kTabCaptions[] = {DialogText::TabSheet1, DialogText::TabSheet2,
                                              DialogText::TabSheet3, DialogText::TabSheet4};
static_assert(std::size(kTabCaptions) == kHistory);

struct SpinDef {
  int edit, upDown;
  const SpinRange* range;
};
inline constexpr SpinDef kSpins[] = {{ids::edtmonitorsize, ids::spnmonitorsize, &kMonitorSizeSpin},
                                     {ids::edtSpin, ids::spnSpin, &kIdleDelaySpin},
                                     {ids::SpinEdit1, ids::spnInterval, &kIntervalSpin}};

}  // namespace quillo::settings_layout
