// The export file's dialogs, writing through a temporary file beside the target, and reading.
#include "win32/counter_files.h"

#include <shlobj.h>

#include <commdlg.h>

#include <vector>

#include "core/app/main_logic.h"
#include "core/store/activity_log.h"
#include "win32/common_controls.h"
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

// The file dialogs live in comdlg32, which brings the common-controls library with it: both are
// loaded when a dialog is first asked for, never for the panel alone, and then stay.
struct FileDialogs {
  using Show = BOOL(WINAPI*)(LPOPENFILENAMEW);
  Show save = nullptr, open = nullptr;
  DWORD(WINAPI* extendedError)() = nullptr;
  DWORD loadError = ERROR_SUCCESS;
};

const FileDialogs& LoadFileDialogs() {
  static const FileDialogs dialogs = [] {
    FileDialogs d;
    HMODULE library = LoadLibraryW(L"comdlg32.dll");
    if (!library) {
      d.loadError = GetLastError();
      return d;
    }
    const auto get = [library](const char* name) {
      return reinterpret_cast<void*>(GetProcAddress(library, name));
    };
    d.save = reinterpret_cast<FileDialogs::Show>(get("GetSaveFileNameW"));
    d.open = reinterpret_cast<FileDialogs::Show>(get("GetOpenFileNameW"));
    d.extendedError = reinterpret_cast<DWORD(WINAPI*)()>(get("CommDlgExtendedError"));
    if (!d.save || !d.open) d.loadError = ERROR_PROC_NOT_FOUND;
    return d;
  }();
  return dialogs;
}

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
  const std::wstring filter = Widen(kExportFilter) + L'\0' + Widen(kExportPattern) + L'\0' + L'\0';
  const std::wstring extension = Widen(kExportExtension);
  std::vector<wchar_t> name(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = extension.c_str();  // added to a name typed without an extension
  // An existing export is replaced without a question; an open names no file that must exist,
  // since a name that names nothing is simply not imported.
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              (save ? OFN_NOREADONLYRETURN : 0);
  // Version 6 of the common controls, as every dialog of the program gets it.
  CommonControlsScope v6(0);
  const FileDialogs& dialogs = LoadFileDialogs();
  if (dialogs.loadError != ERROR_SUCCESS) {
    ShowError("The file dialog could not be shown: " + Reason(dialogs.loadError));
    return std::nullopt;
  }
  const BOOL chosen = (save ? dialogs.save : dialogs.open)(&ofn);
  if (!chosen) {
    if (const DWORD error = dialogs.extendedError ? dialogs.extendedError() : 0)
      ShowError("The file dialog could not be shown (error " + std::to_string(error) + ").");
    return std::nullopt;
  }
  return Narrow(name.data());
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
