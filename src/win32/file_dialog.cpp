// The common file dialogs, bound late.
#include "win32/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "win32/common_controls.h"
#include "win32/file_io.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

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

}  // namespace

std::optional<std::string> AskFilePath(const FileDialogRequest& request,
                                       const std::function<void(const std::string&)>& showError) {
  const std::wstring filter =
      Widen(request.filterName) + L'\0' + Widen(request.pattern) + L'\0' + L'\0';
  const std::wstring extension = Widen(request.defaultExtension);
  std::vector<wchar_t> name(32768, L'\0');
  const std::wstring suggested = Widen(request.suggestedName);
  suggested.copy(name.data(), std::min(suggested.size(), name.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = extension.c_str();
  // An open names no file that must exist: a name that names nothing is simply not read.
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              (request.save ? OFN_NOREADONLYRETURN : 0) |
              (request.askBeforeReplacing ? OFN_OVERWRITEPROMPT : 0);
  // Version 6 of the common controls, as every dialog of the program gets it.
  CommonControlsScope v6(0);
  const FileDialogs& dialogs = LoadFileDialogs();
  if (dialogs.loadError != ERROR_SUCCESS) {
    showError("The file dialog could not be shown: " + SystemReason(dialogs.loadError));
    return std::nullopt;
  }
  const BOOL chosen = (request.save ? dialogs.save : dialogs.open)(&ofn);
  if (!chosen) {
    if (const DWORD error = dialogs.extendedError ? dialogs.extendedError() : 0)
      showError("The file dialog could not be shown (error " + std::to_string(error) + ").");
    return std::nullopt;
  }
  return Narrow(name.data());
}

}  // namespace quillo
