// The menu's "Export Counters" and "Import Counters": what is written, what is checked, and in
// which order the counters change, against a small interface to the dialogs and the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/main_logic.h"
#include "core/store/counter_export.h"

namespace quillo {

// The file dialogs, the file system and the message box, as export and import use them. Paths
// are UTF-8.
class CounterFileUi {
 public:
  virtual ~CounterFileUi() = default;
  // The save and the open dialog (one filter, ".qlx" added to a name typed without it); nullopt
  // when the user cancels.
  virtual std::optional<std::string> AskExportPath() = 0;
  virtual std::optional<std::string> AskImportPath() = 0;
  // Puts `bytes` in place of the file at `path` as a whole: if anything fails, a file that was
  // there stays as it was. nullopt on success, otherwise the system's reason.
  virtual std::optional<std::string> ReplaceFile(const std::string& path,
                                                 std::string_view bytes) = 0;
  struct ReadResult {
    enum class Status { kRead, kMissing, kTooLarge, kFailed } status = Status::kFailed;
    std::string bytes;  // kRead
    std::string error;  // kFailed: the system's reason
  };
  // The whole file, unless it is larger than `limit` bytes.
  virtual ReadResult ReadFile(const std::string& path, size_t limit) = 0;
  // The standard error box, modal.
  virtual void ShowError(const std::string& text) = 0;
  // A question with the two buttons captioned `yes` and `no`, No the default; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) = 0;
  // The folder of the backups an import makes first (under the user's application data),
  // created with its parents, its path ending in a separator; nullopt with the system's reason
  // in `error` when it cannot be made.
  virtual std::optional<std::string> BackupFolder(std::string& error) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // The names (not paths) of the files in a folder.
  virtual std::vector<std::string> FileNames(const std::string& folder) = 0;
  // Deletes a file; a file that cannot be deleted stays, unreported.
  virtual void RemoveFile(const std::string& path) = 0;
};

// An import first saves the totals it replaces, so that importing that file undoes it; the
// newest kBackupsKept of them are kept.
inline constexpr size_t kBackupsKept = 20;
// "Quillomat 2026-12-10 17-45-03.qlx" for the local moment; the n-th name of the same second
// (n from 2) ends in " (n).qlx".
std::string BackupFileName(double moment, int n = 1);
// Of the names of the files in the backups folder, the backups beyond the newest `keep`, oldest
// first. A name that is not a backup's is never among them.
std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names, size_t keep);

// The question an import asks before it changes anything: the file, the totals now and the
// file's (keystrokes, clicks of all five buttons, distance, running time), and the backup that
// will undo it, in the program's language.
std::string ImportQuestion(const MainWindowTexts& texts, bool distmode, const std::string& path,
                           const CounterFigures& now, const CounterFigures& file,
                           const std::string& backupPath);

// Takes the figures, asks where to write them, writes them. Cancelling writes nothing; a file
// that cannot be written is reported and nothing else changes.
void ExportCounters1Click(MainLogic& logic, CounterFileUi& ui);

// Asks for a file, reads and checks all of it, asks whether to replace the totals (showing both),
// saves the current totals as a backup, and only then resets the counters, loads the file's
// figures and saves everything at once. Cancelling, answering No, or a file that does not exist,
// does nothing; a file that cannot be read or is not a valid export, or a backup that cannot be
// written, is reported and changes nothing.
void ImportCounters1Click(MainLogic& logic, CounterFileUi& ui);

// Replaces the totals with an export's figures, as a reset followed by loading them into the
// stored layer (the live layer, the running-time start and the reset date start afresh).
void LoadCounterFigures(MainLogic& logic, const CounterFigures& figures);

}  // namespace quillo
