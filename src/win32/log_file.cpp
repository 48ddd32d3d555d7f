// Appending the log's lines: open, write, close, every time.
#include "win32/log_file.h"

#include <shlobj.h>

#include "win32/file_io.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {

std::wstring DocumentsSubfolder(const std::wstring& name) {
  wchar_t docs[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, docs)))
    return {};
  std::wstring folder = Widen(SubfolderPath(Narrow(docs), Narrow(name)));
  SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  return folder;
}

std::wstring WinLogFile::Path() {
  const std::wstring folder = DocumentsSubfolder(Widen(kLogSubfolder));
  if (folder.empty()) return {};
  return Widen(LogFilePath(Narrow(folder)));
}

bool WinLogFile::Exists() {
  const std::wstring path = Path();
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> WinLogFile::Append(std::string_view text) {
  const std::wstring path = Path();
  if (path.empty()) return std::string("The Documents folder could not be found");
  // The log is plain 8-bit text in the system code page; characters it lacks become its
  // default character.
  const std::wstring wide = Widen(text);
  std::string bytes;
  if (!wide.empty()) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                        nullptr, nullptr);
  }
  if (const auto failed = AppendWhole(path, bytes, false))
    return Win32ErrorText("Cannot write the log file " + Narrow(path), *failed);
  return std::nullopt;
}

}  // namespace quillo
