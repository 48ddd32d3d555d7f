// Export and import of the counters, in the order that never costs the user a total.
#include "core/app/counter_transfer.h"

#include <algorithm>
#include <cstdio>

#include "core/panel/import_texts.h"
#include "core/panel/tray_hint.h"
#include "core/util/datetime.h"

namespace quillo {
namespace {

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

constexpr std::string_view kBackupPrefix = "Quillomat ";
constexpr std::string_view kBackupExtension = ".qlx";

// The moment and the number of a backup's name, which order the backups; nothing for a name
// that is not one.
std::optional<std::pair<std::string, int>> BackupKey(std::string_view name) {
  // "Quillomat " + "YYYY-MM-DD HH-MM-SS" + optional " (n)" + ".qlx"
  constexpr size_t kStamp = 19;
  if (name.size() < kBackupPrefix.size() + kStamp + kBackupExtension.size() ||
      name.substr(0, kBackupPrefix.size()) != kBackupPrefix ||
      name.substr(name.size() - kBackupExtension.size()) != kBackupExtension)
    return std::nullopt;
  const std::string_view stamp = name.substr(kBackupPrefix.size(), kStamp);
  for (size_t i = 0; i < kStamp; ++i) {
    const bool separator = i == 4 || i == 7 || i == 10 || i == 13 || i == 16;
    const char expected = i == 10 ? ' ' : '-';
    if (separator ? stamp[i] != expected : (stamp[i] < '0' || stamp[i] > '9')) return std::nullopt;
  }
  std::string_view rest = name.substr(kBackupPrefix.size() + kStamp);
  rest.remove_suffix(kBackupExtension.size());
  int n = 1;
  if (!rest.empty()) {
    if (rest.size() < 4 || rest.substr(0, 2) != " (" || rest.back() != ')') return std::nullopt;
    const std::string_view digits = rest.substr(2, rest.size() - 3);
    if (digits.size() > 6) return std::nullopt;
    n = 0;
    for (char d : digits) {
      if (d < '0' || d > '9') return std::nullopt;
      n = n * 10 + (d - '0');
    }
    if (n < 2) return std::nullopt;
  }
  return std::pair<std::string, int>{std::string(stamp), n};
}

std::string RunningTimeText(uint32_t seconds, const MainWindowTexts& texts) {
  char clock[16];
  std::snprintf(clock, sizeof clock, "%02u:%02u:%02u", seconds / 3600 % 24, seconds / 60 % 60,
                seconds % 60);
  const uint32_t days = seconds / 86400;
  return days > 0 ? std::to_string(days) + " " + texts.pnldays + " " + clock : std::string(clock);
}

std::string NotImported(const std::string& path, const std::string& why) {
  return Quoted(path) + " was not imported; the counters have not been changed.\n\n" + why;
}

}  // namespace

void ExportCounters1Click(MainLogic& logic, CounterFileUi& ui) {
  // The figures as they are when the item is chosen, not when the dialog closes.
  const std::string text = ExportFileText(CollectCounterFigures(logic.counters()));
  const auto path = ui.AskExportPath();
  if (!path) return;
  if (const auto error = ui.ReplaceFile(*path, text))
    ui.ShowError("The counters could not be exported to " + Quoted(*path) + ".\n\n" + *error);
}

std::string BackupFileName(double moment, int n) {
  const CivilDateTime t = DecodeDateTime(moment);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  std::string name = std::string(kBackupPrefix) + stamp;
  if (n > 1) name += " (" + std::to_string(n) + ")";
  return name + std::string(kBackupExtension);
}

std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names, size_t keep) {
  std::vector<std::pair<std::pair<std::string, int>, std::string>> backups;
  for (const std::string& name : names)
    if (const auto key = BackupKey(name)) backups.emplace_back(*key, name);
  std::sort(backups.begin(), backups.end());
  std::vector<std::string> old;
  for (size_t i = 0; i + keep < backups.size(); ++i) old.push_back(backups[i].second);
  return old;
}

std::string ImportQuestion(const MainWindowTexts& texts, bool distmode, const std::string& path,
                           const CounterFigures& now, const CounterFigures& file,
                           const std::string& backupPath) {
  const int language = texts.language;
  auto text = [language](ImportText row) { return std::string(ImportQuestionText(row, language)); };
  auto side = [&](ImportText heading, const CounterFigures& f) {
    uint64_t clicks = 0;
    for (Counter button :
         {Counter::kLeft, Counter::kRight, Counter::kMiddle, Counter::kX1, Counter::kX2})
      clicks += f.totals[static_cast<int>(button)];
    const std::string indent = "      ";
    return text(heading) + "\n" + indent + text(ImportText::keystrokes) + ": " +
           std::to_string(f.totals[static_cast<int>(Counter::kKeystrokes)]) + "\n" + indent +
           text(ImportText::clicks) + ": " + std::to_string(clicks) + "\n" + indent +
           text(ImportText::distance) + ": " +
           DistanceText(static_cast<double>(f.distance), distmode, texts) + "\n" + indent +
           text(ImportText::runningTime) + ": " + RunningTimeText(f.runSeconds, texts) + "\n";
  };
  return text(ImportText::question) + "\n" + path + "\n\n" + side(ImportText::now, now) + "\n" +
         side(ImportText::inFile, file) + "\n" + text(ImportText::backupNote) + "\n" + backupPath +
         "\n" + text(ImportText::undoNote);
}

void LoadCounterFigures(MainLogic& logic, const CounterFigures& f) {
  logic.ResetCounters();  // also lets the saves replace totals that failed to load at start
  ActivityCounters& c = logic.counters();
  c.totalDistance = static_cast<double>(f.distance);
  // Like the totals, the distance is a loaded figure: "since start" begins at zero here too.
  c.histDistance = c.totalDistance;
  c.histRunSeconds = f.runSeconds;
  c.histIdleSeconds = f.idleSeconds;
  // As at start-up: the panel's idle figure and the log's are the loaded one until the sampler
  // works it out again (which it does only while the idle item is shown).
  c.shownIdleSeconds = c.histIdleSeconds;
  for (Counter counter : kAllCounters) c.Hist(counter) = f.totals[static_cast<int>(counter)];
}

void ImportCounters1Click(MainLogic& logic, CounterFileUi& ui) {
  const auto path = ui.AskImportPath();
  if (!path) return;
  const CounterFileUi::ReadResult read = ui.ReadFile(*path, kExportFileSizeLimit);
  using Status = CounterFileUi::ReadResult::Status;
  switch (read.status) {
    case Status::kMissing:
      return;  // a name typed in the open dialog that names no file
    case Status::kFailed:
      ui.ShowError(NotImported(*path, "The file cannot be read: " + read.error));
      return;
    case Status::kTooLarge:
      ui.ShowError(NotImported(*path, "The file is far larger than a counter export (at most " +
                                          std::to_string(kExportFileSizeLimit) + " bytes)."));
      return;
    case Status::kRead:
      break;
  }
  const ImportResult parsed = ParseExportFile(read.bytes);
  if (!parsed.figures) {
    ui.ShowError(NotImported(*path, parsed.problem.Message()));
    return;
  }

  // The totals it replaces are kept first, in a file that undoes the import; its name is given
  // in the question, so it is chosen now.
  const std::string backupFailed(
      ImportQuestionText(ImportText::backupFailed, logic.texts.language));
  std::string error;
  const auto folder = ui.BackupFolder(error);
  if (!folder) {
    ui.ShowError(backupFailed + "\n\n" + error);
    return;
  }
  const double now = logic.platform().clock.Now();
  std::string backup = *folder + BackupFileName(now);
  for (int n = 2; ui.FileExists(backup) && n < 1000; ++n) backup = *folder + BackupFileName(now, n);
  const std::string question =
      ImportQuestion(logic.texts, logic.settings().distmode, *path,
                     CollectCounterFigures(logic.counters()), *parsed.figures, backup);
  if (!ui.AskYesNo(question, logic.texts.yesstring, logic.texts.nostring)) return;
  // The totals as they are now: counting went on while the question was open.
  if (const auto failure =
          ui.ReplaceFile(backup, ExportFileText(CollectCounterFigures(logic.counters())))) {
    ui.ShowError(backupFailed + "\n\n" + Quoted(backup) + ": " + *failure);
    return;
  }
  for (const std::string& old : BackupsToRemove(ui.FileNames(*folder), kBackupsKept))
    ui.RemoveFile(*folder + old);

  LoadCounterFigures(logic, *parsed.figures);
  // A running sampler shows the new totals at its next tick; a paused panel is refreshed now.
  if (!logic.samplerEnabled()) logic.tmrDistanceTimer();
  // Saved at once: an import must not wait for the next minute, nor be lost to a crash.
  const std::vector<std::string> failures = logic.WriteValues();
  if (!failures.empty()) {
    std::string text =
        "The counters were imported, but some of them could not be saved; they will be saved "
        "again when the program closes.\n";
    for (const auto& f : failures) text += "\n" + f;
    ui.ShowError(text);
  }
}

}  // namespace quillo
