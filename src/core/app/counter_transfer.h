// The menu's "Export Counters" and "Import Counters": what is written, what is checked, and in
// which order the counters change, against a small interface to the dialogs and the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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
};

// Takes the figures, asks where to write them, writes them. Cancelling writes nothing; a file
// that cannot be written is reported and nothing else changes.
void ExportCounters1Click(MainLogic& logic, CounterFileUi& ui);

// Asks for a file, reads and checks all of it, and only then resets the counters, loads the
// file's figures and saves everything at once. Cancelling, or a file that does not exist, does
// nothing; a file that cannot be read or is not a valid export is reported and changes nothing.
void ImportCounters1Click(MainLogic& logic, CounterFileUi& ui);

// Replaces the totals with an export's figures, as a reset followed by loading them into the
// stored layer (the live layer, the running-time start and the reset date start afresh).
void LoadCounterFigures(MainLogic& logic, const CounterFigures& figures);

}  // namespace quillo
