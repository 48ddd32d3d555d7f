// The common open and save dialogs, for every command that asks for a file: comdlg32 (which brings
// the common-controls library with it) is loaded when a dialog is first asked for, never for the
// panel alone, and then stays.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quillo {

struct FileDialogRequest {
  HWND owner = nullptr;
  bool save = false;
  std::string filterName;        // "CSV files (*.csv)"
  std::string pattern;           // "*.csv"
  std::string defaultExtension;  // added to a name typed without one
  std::string suggestedName;     // the name the dialog starts with ("" for none)
  bool askBeforeReplacing = false;
};

// The path the user chose, or nullopt: cancelled, or the dialog could not be shown (then
// `showError` was told why).
std::optional<std::string> AskFilePath(const FileDialogRequest& request,
                                       const std::function<void(const std::string&)>& showError);

}  // namespace quillo
