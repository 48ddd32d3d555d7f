// The history's files in %LOCALAPPDATA%\Quillomat\History: opened and closed for every call, the
// folder made when something is written.
#pragma once

#include <windows.h>

#include "core/history/history_recorder.h"

namespace quillo {

class WinHistoryFiles : public HistoryFiles {
 public:
  std::string Folder() override;
  std::optional<std::string> Read(std::string_view name, std::string& text) override;
  std::optional<std::string> ReadTail(std::string_view name, size_t maxBytes, uint64_t& size,
                                      std::string& tail) override;
  std::optional<std::string> Append(std::string_view name, std::string_view text) override;
  std::optional<std::string> Replace(std::string_view name, std::string_view text) override;
  std::optional<std::string> DeleteAll() override;

 private:
  // The folder, made with its parents when `make`; empty when the system names no such folder.
  std::wstring FolderPath(bool make, DWORD& error);
};

}  // namespace quillo
