// The settings dialog's rules: filling, the click rules, the language preview and applying.
#include "core/app/settings_dialog.h"

#include <algorithm>
#include <cmath>

#include "core/panel/history_setting_texts.h"
#include "core/store/activity_log.h"
#include "core/util/datetime.h"
#include "core/util/numbers.h"

namespace quillo {
namespace {

int IndexOf(const std::vector<std::string>& items, std::string_view text) {
  const auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

std::string TwoDigits(int v) {
  return PadLeft(std::to_string(v), '0', 2);
}

const std::string& Month(const std::array<std::string, 12>& months, int month) {
  static const std::string none;
  return month >= 1 && month <= 12 ? months[static_cast<size_t>(month - 1)] : none;
}

// Adding zero turns the -0 of a small negative number rounded away into 0: an edit, and the
// message about what it was corrected to, must never show "-0".
double RoundTo(double v, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return RoundHalfEven(v * scale) / scale + 0.0;
}

double RoundAndClamp(double v, const SpinRange& range) {
  return EnsureRange(RoundTo(v, range.decimals), range.min, range.max);
}

// "a number from 9.0 to 100.0" for a message about a value that was not taken as typed.
std::string RangeText(const SpinRange& range, char sep) {
  return std::string(range.decimals > 0 ? "a number from " : "a whole number from ") +
         SpinText(range.min, range, sep) + " to " + SpinText(range.max, range, sep);
}

// Closes the rebuild's off-screen stretch even when something in it fails.
class OffScreen {
 public:
  explicit OffScreen(SettingsHost& host) : host_(host) { host_.MoveMainWindowOffScreen(); }
  ~OffScreen() {
    if (!back_) host_.MoveMainWindowBack();
  }
  void Back() {
    back_ = true;
    host_.MoveMainWindowBack();
  }

 private:
  SettingsHost& host_;
  bool back_ = false;
};

}  // namespace

std::string ListState::Text() const {
  return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)]
                                                              : std::string();
}

SettingsDialogState::SettingsDialogState() {
  items.fill(true);
  for (std::string_view d : kDigitItems) cbxDigits.items.emplace_back(d);
  for (std::string_view t : kTransparentItems) cbxTransparent.items.emplace_back(t);
  for (int language = 0; language < kLanguageCount; ++language)
    cbxLanguage.items.emplace_back(LanguageListText(language));
  background = HexToColor(kDefaultBackground).value_or(0);
  SetLanguage(*this, kEnglish);
}

SpinValue TakeSpinValue(std::string_view typed, const SpinRange& range, double fallback, char sep) {
  const std::optional<double> parsed = ParseFloat(typed);
  SpinValue v;
  v.value = RoundAndClamp(parsed ? *parsed : fallback, range);
  v.text = SpinText(v.value, range, sep);
  v.corrected = !parsed || v.value != *parsed;
  return v;
}

std::string SpinText(double value, const SpinRange& range, char sep) {
  return FloatToStrFixed(RoundTo(value, range.decimals), range.decimals, sep);
}

std::string AutoStartCommand(std::string_view path) {
  // Unquoted, the system would try "C:\Users\First.exe" first for "C:\Users\First Last\...".
  if (path.find(' ') == std::string_view::npos) return std::string(path);
  std::string quoted = "\"";
  quoted.append(path).push_back('"');
  return quoted;
}

std::string SpinStepText(std::string_view typed, int steps, const SpinRange& range, double fallback,
                         char sep) {
  const double from = TakeSpinValue(typed, range, fallback, sep).value;
  return SpinText(RoundAndClamp(from + steps * range.step, range), range, sep);
}

void SetLanguage(SettingsDialogState& st, int language) {
  st.texts = DialogTextsForLanguage(language);
  st.cbxOrientation.items = {st.texts[DialogText::Horstring], st.texts[DialogText::Verstring]};
  st.cbxOrientation.index = -1;
  st.cbxUnits.items = {st.texts[DialogText::Metricstring], st.texts[DialogText::EngString]};
  st.cbxUnits.index = -1;
}

std::string FormatResetMoment(double moment, const std::array<std::string, 12>& months) {
  const CivilDateTime t = DecodeDateTime(moment);
  return Month(months, t.month) + " " + TwoDigits(t.day) + ", " +
         PadLeft(std::to_string(t.year), '0', 4) + " : " + TwoDigits(t.hour) + ":" +
         TwoDigits(t.minute);
}

std::string FormatDay(int32_t day, const std::array<std::string, 12>& months) {
  const CivilDateTime t = CivilFromDayNumber(day);
  return Month(months, t.month) + " " + TwoDigits(t.day) + ", " +
         PadLeft(std::to_string(t.year), '0', 4);
}

void FormShow(SettingsDialogState& st, MainLogic& logic, SettingsHost& host) {
  const Settings& s = logic.settings();
  SystemQueries& system = logic.platform().system;
  const char sep = system.DecimalSeparator();

  SetLanguage(st, s.Language);
  st.lblResolution = std::to_string(s.scrWidth) + " x " + std::to_string(s.scrHeight);

  st.cbxUnits.Select(s.distmode ? 0 : 1);
  st.cbxOrientation.Select(s.orientation ? 1 : 0);
  st.cbxDigits.Select(IndexOf(st.cbxDigits.items, std::to_string(s.digits)));
  st.cbxLanguage.Select(s.Language);
  st.cbxTransparent.Select(s.Transparent);
  st.edtmonitorsize = SpinText(s.monitorsize, kMonitorSizeSpin, sep);
  st.chkTop = s.ontop;
  st.chkStartup = s.startup;
  st.chkHide = s.hideonstartup;
  // One box at a time, each running its click rule as a user's click would.
  for (int box = 0; box < kItemBoxCount; ++box)
    SetItemBox(st, static_cast<ItemBox>(box),
               static_cast<size_t>(box) < s.dispitems.size() && s.dispitems[box] == '1');

  cbxOrientationChange(st, s);

  st.btnRunning = s.showrunning;
  st.btnTotal = !s.showrunning;
  st.btnHistory = s.showhistory;
  st.btnStart = !s.showhistory;
  st.chklog = s.logging;
  st.chkResetEveryday = s.ResetEveryday;
  st.edtAlias = s.alias;
  st.edtComment = s.Comment;
  st.edtURL = s.URL;
  st.SpinEdit1 = SpinText(s.interval, kIntervalSpin, sep);
  st.edtSpin = SpinText(s.idledelay, kIdleDelaySpin, sep);
  st.chkenable = s.autosend;

  st.background = s.background;
  UpdateBtns(st);

  const auto months = system.ShortMonthNames();
  st.lblSince = st.texts[DialogText::Sindsstring] + FormatResetMoment(s.resetdate, months);
  st.lblmeas = st.texts[DialogText::Metingstring] + ": " + FormatDay(s.measuredate, months);
  st.lblLogHint = host.DocumentsSubfolder(std::string(kLogSubfolder)) + std::string(kLogFileName);

  st.chkKeepHistory = s.keepHistory;
  st.edtHistoryFolder = logic.HistoryFolder();
  st.deleteHistoryEnabled = !st.edtHistoryFolder.empty();

  st.activePage = SettingsPage::kGeneral;
  DebugModeCheck(st, s.Comment, logic);
  if (st.debugTabVisible) st.activePage = SettingsPage::kDebug;
}

bool IsHorizontal(const SettingsDialogState& st) {
  return st.cbxOrientation.Text() == st.texts[DialogText::Horstring];
}

void cbxOrientationChange(SettingsDialogState& st, const Settings& settings) {
  if (IsHorizontal(st)) {
    st.cbxDigits.Select(IndexOf(st.cbxDigits.items, std::to_string(settings.digitshor)));
    st.cbxDigits.enabled = true;
  } else {
    st.cbxDigits.Select(IndexOf(st.cbxDigits.items, "10"));
    st.cbxDigits.enabled = false;
  }
}

void SetItemBox(SettingsDialogState& st, ItemBox box, bool checked) {
  bool& current = st.items[static_cast<size_t>(box)];
  if (current == checked) return;
  current = checked;
  if (box != ItemBox::chktime) chkDistanceClick(st);
}

void chkDistanceClick(SettingsDialogState& st) {
  // "Idle Time" is not looked at: left alone, it gets "Cursor Distance" back.
  for (int box = 0; box < kItemBoxCount; ++box)
    if (static_cast<ItemBox>(box) != ItemBox::chkIdleTime && st.items[static_cast<size_t>(box)])
      return;
  SetItemBox(st, ItemBox::chkDistance, true);
}

std::string DispItems(const SettingsDialogState& st) {
  std::string flags;
  for (bool checked : st.items) flags += checked ? '1' : '0';
  return flags;
}

void btnTotalClick(SettingsDialogState& st) {
  UpdateBtns(st);
}

void UpdateBtns(SettingsDialogState& st) {
  st.historyButtonsEnabled = st.btnRunning;
}

void cbxLanguageChange(SettingsDialogState& st) {
  const int units = st.cbxUnits.index;
  const int orientation = st.cbxOrientation.index;
  SetLanguage(st, st.cbxLanguage.index);
  st.cbxUnits.Select(units);
  st.cbxOrientation.Select(orientation);
}

void DebugModeCheck(SettingsDialogState& st, std::string_view comment, MainLogic& logic) {
  const bool on = comment == "debug";
  st.debugTabVisible = on;
  logic.platform().view.SetDebugMenuVisible(on);
  if (on)
    st.Memo1 = logic.logstring;
  else if (st.activePage == SettingsPage::kDebug)
    st.activePage = SettingsPage::kGeneral;
}

void btnDebugClick(SettingsDialogState& st, MainLogic& logic) {
  st.debugTabVisible = !st.debugTabVisible;
  if (st.debugTabVisible)
    st.Memo1 = logic.logstring;
  else if (st.activePage == SettingsPage::kDebug)
    st.activePage = SettingsPage::kGeneral;
}

void ResetOriginalColor1Click(SettingsDialogState& st) {
  st.background = HexToColor(kDefaultBackground).value_or(st.background);
}

void Reset1Click(SettingsDialogState& st) {
  // The same https address start-up uses: the results must never go out over plain http.
  st.edtURL = kDefaultSubmitUrl;
}

ApplyResult btnOKClick(SettingsDialogState& st, MainLogic& logic, SettingsHost& host) {
  Settings& s = logic.settings();
  Platform& p = logic.platform();
  KeyValueStore& store = p.store;
  const char sep = p.system.DecimalSeparator();
  ApplyResult result;

  // The spin edits first: only a number in range goes anywhere, and the edit shows what was
  // taken.
  auto take = [&](std::string& text, const SpinRange& range, double fallback, DialogText label) {
    const SpinValue v = TakeSpinValue(text, range, fallback, sep);
    if (v.corrected)
      result.corrections.push_back(st.texts[label] + ": \"" + text + "\" was taken as " + v.text +
                                   " (" + RangeText(range, sep) + ").");
    text = v.text;
    return v.value;
  };
  const double monitorsize =
      take(st.edtmonitorsize, kMonitorSizeSpin, s.monitorsize, DialogText::lblMonitor);
  const auto idledelay =
      static_cast<int32_t>(take(st.edtSpin, kIdleDelaySpin, s.idledelay, DialogText::lblIdle));
  const auto interval =
      static_cast<int32_t>(take(st.SpinEdit1, kIntervalSpin, s.interval, DialogText::lblSend));

  // 1
  s.showhistory = st.btnHistory || st.btnTotal;
  s.showrunning = st.btnRunning;
  s.logging = st.chklog;
  s.ResetEveryday = st.chkResetEveryday;
  // 2: SetDistmode, through the panel's relabelling in the language in force.
  s.distmode = st.cbxUnits.index == 0;
  WriteInt(store, "Displaymode", BoolToInt(s.distmode));
  p.view.ApplyTexts(logic.texts);
  // 3
  s.monitorsize = static_cast<float>(monitorsize);
  WriteStr(store, "MonitorSize", FloatToStr(static_cast<double>(s.monitorsize), sep));
  // 4: "Digits" always holds the horizontal choice.
  const std::optional<int32_t> chosen = ParseInt(st.cbxDigits.Text());
  if (IsHorizontal(st)) {
    if (chosen) s.digits = s.digitshor = *chosen;
    WriteInt(store, "Digits", s.digits);
  } else {
    if (chosen) s.digits = *chosen;
    WriteInt(store, "Digits", s.digitshor);
  }
  // 5
  s.background = st.background;
  p.view.SetPanelColor(s.background);
  // 6, 7
  if (st.edtAlias.empty()) st.edtAlias = p.system.ComputerName();
  s.alias = st.edtAlias;
  if (st.edtURL.empty()) st.edtURL = kDefaultSubmitUrl;
  s.URL = st.edtURL;
  // 8
  s.Comment = st.edtComment;
  s.interval = interval;
  s.idledelay = idledelay;
  // 9
  WriteInt(store, "ResetEveryday", BoolToInt(s.ResetEveryday));
  WriteStr(store, "Alias", s.alias);
  WriteStr(store, "Comment", s.Comment);
  WriteStr(store, "URL", s.URL);
  WriteInt(store, "Interval", s.interval);
  WriteStr(store, "Background", ColorToHex(s.background));
  // The user confirmed these: values that could not be read at start-up are now real figures.
  for (const char* name : {"Monitorsize", "Interval", "Background"})
    logic.saveGuard().unreadable.erase(std::string(name));
  // 10
  DebugModeCheck(st, s.Comment, logic);
  // 11
  s.autosend = st.chkenable;
  p.view.SetSubmitTimer(s.autosend, s.interval);
  WriteInt(store, "AutoSend", BoolToInt(s.autosend));
  // 12
  s.orientation = !IsHorizontal(st);
  WriteInt(store, "Orientation", BoolToInt(s.orientation));
  // 13: a list with nothing selected (a stored index the list does not have) keeps the value.
  if (st.cbxLanguage.index >= 0) s.Language = st.cbxLanguage.index;
  WriteInt(store, "Language", s.Language);
  if (st.cbxTransparent.index >= 0) s.Transparent = st.cbxTransparent.index;
  WriteInt(store, "Transparent", s.Transparent);
  // 14
  s.ontop = st.chkTop;
  WriteInt(store, "AlwaysOnTop", BoolToInt(s.ontop));
  s.hideonstartup = st.chkHide;
  WriteInt(store, "Hide", BoolToInt(s.hideonstartup));
  // 15
  host.SetAutoStart(kAutoStartValue, AutoStartCommand(host.ExecutablePath()), false,
                    !st.chkStartup);
  s.startup = st.chkStartup;
  // 16
  const std::string flags = DispItems(st);
  WriteStr(store, "DispItems", flags);
  s.dispitems = flags;
  // The history after the items: it touches neither the panel nor the full save, which never
  // writes "KeepHistory". Switched at once, so unticked nothing more is kept from this moment.
  WriteInt(store, "KeepHistory", BoolToInt(st.chkKeepHistory));
  logic.SetKeepHistory(st.chkKeepHistory);
  // 17
  {
    OffScreen offScreen(host);
    host.RebuildPanel();
    logic.SetLanguage(s.Language);
    offScreen.Back();
  }
  logic.WriteValues();
  host.RepaintMainWindow();
  return result;
}

void btnLogNowClick(MainLogic& logic) {
  logic.LogNow();
}

std::optional<std::string> btnBrowseClick(MainLogic& logic, SettingsHost& host) {
  const int64_t r = host.ShellExec("open", logic.settings().URL, "", std::string(), kShowDefault);
  if (const auto message = ShellExecuteError(r)) return std::string(*message);
  return std::nullopt;
}

std::optional<std::string> btnViewFileClick(SettingsHost& host) {
  const std::string folder = host.DocumentsSubfolder(std::string(kLogSubfolder));
  const int64_t r = host.ShellExec("open", folder + "quillomat.log", "", std::nullopt, kShowNormal);
  if (r >= 32) return std::nullopt;
  return "The following link is invalid :\n\r" + folder + std::string(kLogFileName);
}

std::optional<std::string> btnDeleteHistoryClick(const SettingsDialogState& st, MainLogic& logic,
                                                 SettingsHost& host) {
  // Asked and answered in the language the dialog shows, which may be one not yet applied.
  const int language = st.texts.language;
  const std::string folder = logic.HistoryFolder();
  if (folder.empty()) return std::nullopt;  // nothing the user could be told would be deleted
  if (!host.AskYesNoDefaultNo(DeleteHistoryQuestion(language, folder),
                              std::string(MainWindowText(MainText::yesstring, language)),
                              std::string(MainWindowText(MainText::nostring, language))))
    return std::nullopt;
  const std::optional<std::string> error = logic.DeleteHistory();
  if (!error) return std::nullopt;
  return std::string(HistorySettingText(HistoryText::deleteFailed, language)) + " " + *error;
}

std::string DeleteHistoryQuestion(int language, const std::string& folder) {
  return std::string(HistorySettingText(HistoryText::deleteQuestion, language)) + "\n\n" +
         std::string(HistorySettingText(HistoryText::lblHistoryFolder, language)) + "\n" + folder;
}

std::optional<std::string_view> ShellExecuteError(int64_t result) {
  switch (result) {
    case 0:
      return "The operating system is out of memory or resources.";
    case 2:
      return "The specified file was not found.";
    case 3:
      return "The specified path was not found.";
    case 5:
      return "The operating system denied access to the specified file.";
    case 8:
      return "There was not enough memory to complete the operation.";
    case 11:
      return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case 26:
      return "A sharing violation occurred.";
    case 27:
      return "The filename association is incomplete or invalid.";
    case 28:
      return "The DDE transaction could not be completed because the request timed out.";
    case 29:
      return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not be completed because other DDE transactions were "
             "being processed.";
    case 31:
      return "There is no application associated with the given filename extension.";
    case 32:
      return "The specified dynamic-link library was not found.";
    default:
      return std::nullopt;
  }
}

}  // namespace quillo
