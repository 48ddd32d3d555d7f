// Replacing a file as a whole.
#include "win32/file_io.h"

#include "win32/registry_store.h"

namespace quillo {

std::string SystemReason(DWORD code) {
  // Win32ErrorText gives "<what>: <reason>"; only the reason is wanted here.
  const std::string text = Win32ErrorText("", code);
  return text.size() > 2 ? text.substr(2) : text;
}

std::optional<std::string> ReplaceWholeFile(const std::wstring& target, std::string_view bytes,
                                            const wchar_t* tempPrefix) {
  std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
  if (folder.empty()) folder = L".";
  wchar_t temporary[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.c_str(), tempPrefix, 0, temporary))
    return SystemReason(GetLastError());
  DWORD error = ERROR_SUCCESS;
  {
    HANDLE f = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (f == INVALID_HANDLE_VALUE)
      error = GetLastError();
    else if (!WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      error = GetLastError();
    else if (written != bytes.size())
      error = ERROR_DISK_FULL;
    else if (!FlushFileBuffers(f))
      error = GetLastError();
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  if (error == ERROR_SUCCESS &&
      !MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = GetLastError();
  if (error == ERROR_SUCCESS) return std::nullopt;
  DeleteFileW(temporary);
  return SystemReason(error);
}

std::optional<DWORD> AppendWhole(const std::wstring& path, std::string_view bytes, bool flush) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return GetLastError();
  LARGE_INTEGER end{};
  DWORD error = ERROR_SUCCESS, written = 0;
  // Write access (not append-only) lets a failed write be cut back; so the end is sought here.
  if (!GetFileSizeEx(f, &end) || !SetFilePointerEx(f, end, nullptr, FILE_BEGIN))
    error = GetLastError();
  else if (!WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    error = GetLastError();
  else if (written != bytes.size())
    error = ERROR_DISK_FULL;
  else if (flush && !FlushFileBuffers(f))
    error = GetLastError();
  if (error != ERROR_SUCCESS) {
    // What fitted of the text goes again; the file ends where it ended before.
    LARGE_INTEGER at{};
    LARGE_INTEGER now{};
    if (GetFileSizeEx(f, &now) && now.QuadPart > end.QuadPart &&
        SetFilePointerEx(f, end, &at, FILE_BEGIN))
      SetEndOfFile(f);
  }
  CloseHandle(f);
  if (error == ERROR_SUCCESS) return std::nullopt;
  return error;
}

}  // namespace quillo
