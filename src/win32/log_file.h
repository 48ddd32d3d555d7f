// The activity log's file in the user's Documents folder, written in the system code page.
#pragma once

#include <windows.h>

#include <string>

#include "core/store/activity_log.h"

namespace quillo {

// The Documents folder + "\" + name + "\", created (with missing parents) on every call; empty
// text when the Documents folder is unknown.
std::wstring DocumentsSubfolder(const std::wstring& name);

class WinLogFile : public LogFile {
 public:
  bool Exists() override;
  std::optional<std::string> Append(std::string_view text) override;
  // The log's full path (the folder is created).
  static std::wstring Path();
};

}  // namespace quillo
