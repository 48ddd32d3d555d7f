// "Export Counters" and "Import Counters" in the program: the common save and open dialogs, and
// files replaced as a whole so that a failed export never costs the file that was there.
#pragma once

#include <windows.h>

#include "core/app/counter_transfer.h"

namespace quillo {

class WinCounterFiles : public CounterFileUi {
 public:
  explicit WinCounterFiles(HWND owner) : owner_(owner) {}
  std::optional<std::string> AskExportPath() override;
  std::optional<std::string> AskImportPath() override;
  std::optional<std::string> ReplaceFile(const std::string& path, std::string_view bytes) override;
  ReadResult ReadFile(const std::string& path, size_t limit) override;
  void ShowError(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) override;
  std::optional<std::string> BackupFolder(std::string& error) override;
  bool FileExists(const std::string& path) override;
  std::vector<std::string> FileNames(const std::string& folder) override;
  void RemoveFile(const std::string& path) override;

 private:
  std::optional<std::string> AskPath(bool save);
  HWND owner_;
};

// The two menu commands. While one of them has its dialog open, choosing either again (from the
// notification-area icon's menu) does nothing.
void ExportCounters(HWND owner, MainLogic& logic);
void ImportCounters(HWND owner, MainLogic& logic);

}  // namespace quillo
