// The settings dialog window: copies the core's dialog state to its controls and the controls'
// notifications back, and runs modally over the window that opens it.
#pragma once

#include <windows.h>

namespace quillo {

class WinSettingsHost;

// Control ids, named after the dialog's components (the end-to-end tests address them too).
namespace settings_ids {
inline constexpr int btnOK = IDOK, btnCancel = IDCANCEL, btnApply = 1001, PageControl1 = 1002;
// Pages: TabSheet1 … TabSheet4, the history's page and tshDebug.
inline constexpr int kPageBase = 1900;
// General.
inline constexpr int lblMonitor = 1100, edtmonitorsize = 1101, spnmonitorsize = 1102,
                     lblInch = 1103, lblResol = 1104, lblResolution = 1105, lblDistance = 1106,
                     cbxUnits = 1107, lblOrientation = 1108, cbxOrientation = 1109,
                     lblDigits = 1110, cbxDigits = 1111, lblLanguage = 1112, cbxLanguage = 1113,
                     lblTransparent = 1114, cbxTransparent = 1115, lblBackground = 1116,
                     btnBackground = 1117, lblIdle = 1118, edtSpin = 1119, spnSpin = 1120,
                     lblSeconds = 1121, chkTop = 1122, chkStartup = 1123, chkHide = 1124,
                     btnDebug = 1125;
// Displayed items: 1200 + the box's position in "Dispitems" less one.
inline constexpr int kItemBoxBase = 1200;
// Time logging.
inline constexpr int grpRunning = 1300, btnRunning = 1301, btnTotal = 1302, btnHistory = 1303,
                     btnStart = 1304, grpLog = 1305, chklog = 1306, lblLog = 1307, btnLogNow = 1308,
                     btnViewFile = 1309, grpReset = 1310, chkResetEveryday = 1311, lblSince = 1312,
                     lblmeas = 1313;
// Data upload.
inline constexpr int grpUpload = 1400, lblAlias = 1401, edtAlias = 1402, lblComment = 1403,
                     edtComment = 1404, lblURL = 1405, edtURL = 1406, btnSend = 1407,
                     btnBrowse = 1408, grpAuto = 1409, chkenable = 1410, lblSend = 1411,
                     SpinEdit1 = 1412, spnInterval = 1413, lblMinutes = 1414;
// Debug data.
inline constexpr int Memo1 = 1500;
// History.
inline constexpr int grpKeepHistory = 1700, chkKeepHistory = 1701, lblHistoryNote = 1702,
                     grpHistoryFolder = 1703, lblHistoryFolder = 1704, edtHistoryFolder = 1705,
                     btnDeleteHistory = 1706;
// Pop-up menu items.
inline constexpr int ResetOriginalColor1 = 1600, Reset1 = 1601;
}  // namespace settings_ids

// SetupQuillomat1Click: opens the settings dialog modally over the host's owner window, or brings
// the one already open to the front; either way the owner's stay-on-top state is applied again
// afterwards. The host, made by the window that opens the dialog, is all the dialog knows of it.
void SetupQuillomat1Click(WinSettingsHost& host);

}  // namespace quillo
