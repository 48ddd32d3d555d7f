// Reading, appending and replacing the history's files.
#include "win32/history_files.h"

#include <shlobj.h>

#include <algorithm>

#include "core/store/activity_log.h"
#include "win32/file_io.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

bool Missing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring WinHistoryFiles::FolderPath(bool make, DWORD& error) {
  error = ERROR_SUCCESS;
  wchar_t local[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) {
    error = ERROR_PATH_NOT_FOUND;
    return {};
  }
  const std::wstring folder =
      Widen(SubfolderPath(SubfolderPath(Narrow(local), "Quillomat"), kHistoryFolder));
  if (make) {
    const int made = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS)
      error = static_cast<DWORD>(made);
  }
  return folder;
}

std::string WinHistoryFiles::Folder() {
  DWORD error = 0;
  return Narrow(FolderPath(false, error));
}

std::optional<std::string> WinHistoryFiles::Read(std::string_view name, std::string& text) {
  text.clear();
  DWORD error = 0;
  const std::wstring folder = FolderPath(false, error);
  if (folder.empty()) return SystemReason(error);
  Handle f(CreateFileW((folder + Widen(name)).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) {
    const DWORD e = GetLastError();
    return Missing(e) ? std::nullopt : std::optional(SystemReason(e));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.h, &size)) return SystemReason(GetLastError());
  text.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < text.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1 << 20));
    if (!ReadFile(f.h, text.data() + done, want, &got, nullptr))
      return SystemReason(GetLastError());
    if (got == 0) break;
    done += got;
  }
  text.resize(done);
  return std::nullopt;
}

std::optional<std::string> WinHistoryFiles::ReadTail(std::string_view name, size_t maxBytes,
                                                     uint64_t& size, std::string& tail) {
  size = 0;
  tail.clear();
  DWORD error = 0;
  const std::wstring folder = FolderPath(false, error);
  if (folder.empty()) return SystemReason(error);
  Handle f(CreateFileW((folder + Widen(name)).c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) {
    const DWORD e = GetLastError();
    return Missing(e) ? std::nullopt : std::optional(SystemReason(e));
  }
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(f.h, &length)) return SystemReason(GetLastError());
  size = static_cast<uint64_t>(length.QuadPart);
  const uint64_t want = std::min<uint64_t>(size, maxBytes);
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(size - want);
  if (!SetFilePointerEx(f.h, at, nullptr, FILE_BEGIN)) return SystemReason(GetLastError());
  tail.resize(static_cast<size_t>(want));
  DWORD got = 0;
  if (!ReadFile(f.h, tail.data(), static_cast<DWORD>(want), &got, nullptr))
    return SystemReason(GetLastError());
  tail.resize(got);
  return std::nullopt;
}

std::optional<std::string> WinHistoryFiles::Append(std::string_view name, std::string_view text) {
  DWORD error = 0;
  const std::wstring folder = FolderPath(true, error);
  if (folder.empty() || error != ERROR_SUCCESS) return SystemReason(error);
  if (const auto failed = AppendWhole(folder + Widen(name), text, true))
    return SystemReason(*failed);
  return std::nullopt;
}

std::optional<std::string> WinHistoryFiles::Replace(std::string_view name, std::string_view text) {
  DWORD error = 0;
  const std::wstring folder = FolderPath(true, error);
  if (folder.empty() || error != ERROR_SUCCESS) return SystemReason(error);
  return ReplaceWholeFile(folder + Widen(name), text, L"qh");
}

std::optional<std::string> WinHistoryFiles::DeleteAll() {
  DWORD error = 0;
  const std::wstring folder = FolderPath(false, error);
  if (folder.empty()) return SystemReason(error);
  for (std::string_view name : {kHistoryPastFile, kHistoryTodayFile}) {
    if (DeleteFileW((folder + Widen(name)).c_str())) continue;
    const DWORD e = GetLastError();
    if (!Missing(e)) return SystemReason(e);
  }
  return std::nullopt;
}

}  // namespace quillo
