// The settings key in the per-user registry, the auto-start entry and the stored window position.
#pragma once

#include <windows.h>

#include <string>

#include "core/store/key_value_store.h"
#include "core/store/window_placement.h"

namespace quillo {

// Opens HKCU\<path> for each call and closes it again.
class RegistryStore : public KeyValueStore {
 public:
  explicit RegistryStore(std::wstring path) : path_(std::move(path)) {}
  std::optional<std::string> Read(std::string_view name) override;
  void Write(std::string_view name, std::string_view value) override;

 private:
  std::wstring path_;
};

// Whether the per-user Run key holds a value named "Quillomat".
bool AutoStartEntryExists();
// Writes `name` under the per-user Run key ("RunOnce" with `once`), creating the key when it is
// missing, or, with `remove`, deletes it (nothing to do without the key). A write that fails
// throws StoreError with the system's reason.
void SetAutoStart(const std::string& name, const std::string& data, bool once, bool remove);

// Position of `window` saved to / restored from HKCU\<settings key>\<subkey> ("frmMain" for the
// panel, whose size follows its figures). `withSize` restores the stored size too (a window the
// user sizes); a minimised or maximised window keeps the rectangle it is restored to.
void SaveWindowPlacement(HWND window, const char* subkey = kPlacementSubkey);
void RestoreWindowPlacement(HWND window, const char* subkey = kPlacementSubkey,
                            bool withSize = false);

// "<what failed>: <the system's reason>".
std::string Win32ErrorText(const std::string& what, DWORD code);

}  // namespace quillo
