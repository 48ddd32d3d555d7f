// The export and import commands' files and questions in memory: paths and answers as told,
// files in a map, failures on request, and something to run while a dialog or a question is open.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/counter_transfer.h"

namespace quillo::fakes {

struct FakeCounterFileUi : CounterFileUi {
  std::optional<std::string> exportPath = "C:\\out.qlx", importPath = "C:\\in.qlx";
  std::map<std::string, std::string> files;
  std::optional<std::string> writeFailure, readFailure;
  std::vector<std::string> errors;
  std::function<void()> whileDialogOpen;

  std::optional<std::string> AskExportPath() override {
    if (whileDialogOpen) whileDialogOpen();
    return exportPath;
  }
  std::optional<std::string> AskImportPath() override { return importPath; }
  std::optional<std::string> ReplaceFile(const std::string& path, std::string_view bytes) override {
    if (writeFailure) return writeFailure;
    files[path] = std::string(bytes);
    return std::nullopt;
  }
  ReadResult ReadFile(const std::string& path, size_t limit) override {
    ReadResult r;
    const auto it = files.find(path);
    if (readFailure) {
      r.status = ReadResult::Status::kFailed;
      r.error = *readFailure;
    } else if (it == files.end()) {
      r.status = ReadResult::Status::kMissing;
    } else if (it->second.size() > limit) {
      r.status = ReadResult::Status::kTooLarge;
    } else {
      r.status = ReadResult::Status::kRead;
      r.bytes = it->second;
    }
    return r;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }

  bool answerYes = true;
  std::vector<std::string> questions;
  std::function<void()> whileAsking;
  bool AskYesNo(const std::string& text, const std::string& yes, const std::string& no) override {
    questions.push_back(text + "|" + yes + "|" + no);
    if (whileAsking) whileAsking();
    return answerYes;
  }
  std::optional<std::string> backupFolder = std::string(kBackups);
  std::optional<std::string> BackupFolder(std::string& error) override {
    if (!backupFolder) error = "Access is denied.";
    return backupFolder;
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files)
      if (path.rfind(folder, 0) == 0 && path.find('\\', folder.size()) == std::string::npos)
        names.push_back(path.substr(folder.size()));
    return names;
  }
  void RemoveFile(const std::string& path) override { files.erase(path); }
  std::vector<std::string> Backups() { return FileNames(kBackups); }

  static constexpr char kBackups[] = "C:\\Users\\me\\AppData\\Roaming\\Quillomat\\Backups\\";
};

}  // namespace quillo::fakes
