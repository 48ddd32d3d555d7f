// The export file's dialogs, writing through a temporary file beside the target, and reading.
#include "win32/counter_files.h"

#include <shlobj.h>

#include <vector>

#include "core/app/main_logic.h"
#include "core/store/activity_log.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/message_boxes.h"
#include "win32/registry_store.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

// Closes a file handle on every path out.
struct File {
  HANDLE h = INVALID_HANDLE_VALUE;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  explicit File(HANDLE handle) : h(handle) {}
  ~File() { Close(); }
  void Close() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
  }
  bool ok() const { return h != INVALID_HANDLE_VALUE; }
};

std::string Reason(DWORD code) {
  return SystemReason(code);
}

bool g_busy = false;

template <typename Command>
void OneAtATime(Command command) {
  if (g_busy) return;
  g_busy = true;
  try {
    command();
  } catch (...) {
    g_busy = false;
    throw;
  }
  g_busy = false;
}

}  // namespace

std::optional<std::string> WinCounterFiles::AskPath(bool save) {
  FileDialogRequest request;
  request.owner = owner_;
  request.save = save;
  request.filterName = kExportFilter;
  request.pattern = kExportPattern;
  request.defaultExtension = kExportExtension;
  // An existing export is replaced without a question.
  return AskFilePath(request, [this](const std::string& text) { ShowError(text); });
}

std::optional<std::string> WinCounterFiles::AskExportPath() {
  return AskPath(true);
}

std::optional<std::string> WinCounterFiles::AskImportPath() {
  return AskPath(false);
}

std::optional<std::string> WinCounterFiles::ReplaceFile(const std::string& path,
                                                        std::string_view bytes) {
  return ReplaceWholeFile(Widen(path), bytes, L"qlx");
}

CounterFileUi::ReadResult WinCounterFiles::ReadFile(const std::string& path, size_t limit) {
  ReadResult r;
  File f(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f.ok()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      r.status = ReadResult::Status::kMissing;
    } else {
      r.status = ReadResult::Status::kFailed;
      r.error = Reason(error);
    }
    return r;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(f.h, &size)) {
    r.error = Reason(GetLastError());
    return r;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    r.status = ReadResult::Status::kTooLarge;
    return r;
  }
  r.bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  if (!::ReadFile(f.h, r.bytes.data(), static_cast<DWORD>(r.bytes.size()), &got, nullptr)) {
    r.error = Reason(GetLastError());
    r.bytes.clear();
    return r;
  }
  r.bytes.resize(got);
  r.status = ReadResult::Status::kRead;
  return r;
}

void WinCounterFiles::ShowError(const std::string& text) {
  MessageBoxW(owner_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

bool WinCounterFiles::AskYesNo(const std::string& text, const std::string& yes,
                               const std::string& no) {
  return AskYesNoBox(owner_, text, yes, no, true);
}

std::optional<std::string> WinCounterFiles::BackupFolder(std::string& error) {
  wchar_t appData[MAX_PATH + 1] = {};
  const HRESULT found =
      SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  if (FAILED(found)) {
    error = "The application data folder could not be found: " + Reason(found & 0xFFFF);
    return std::nullopt;
  }
  const std::string folder = SubfolderPath(SubfolderPath(Narrow(appData), "Quillomat"), "Backups");
  const int made = SHCreateDirectoryExW(nullptr, Widen(folder).c_str(), nullptr);
  if (made != ERROR_SUCCESS && made != ERROR_ALREADY_EXISTS && made != ERROR_FILE_EXISTS) {
    error = folder + ": " + Reason(static_cast<DWORD>(made));
    return std::nullopt;
  }
  return folder;
}

bool WinCounterFiles::FileExists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> WinCounterFiles::FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((Widen(folder) + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

void WinCounterFiles::RemoveFile(const std::string& path) {
  DeleteFileW(Widen(path).c_str());
}

void ExportCounters(HWND owner, MainLogic& logic) {
  OneAtATime([&] {
    WinCounterFiles files(owner);
    ExportCounters1Click(logic, files);
  });
}

void ImportCounters(HWND owner, MainLogic& logic) {
  OneAtATime([&] {
    WinCounterFiles files(owner);
    ImportCounters1Click(logic, files);
  });
}

}  // namespace quillo
