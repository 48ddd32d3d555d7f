// Registry access through the plain API; every call opens and closes its key.
#include "win32/registry_store.h"

#include <vector>

#include "core/store/settings_store.h"
#include "core/store/window_placement.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

struct Key {
  HKEY h = nullptr;
  ~Key() {
    if (h) RegCloseKey(h);
  }
};

}  // namespace

std::string Win32ErrorText(const std::string& what, DWORD code) {
  wchar_t* buf = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buf), 0, nullptr);
  std::wstring reason = buf ? buf : L"";
  if (buf) LocalFree(buf);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  if (reason.empty()) reason = L"error " + std::to_wstring(code);
  return what + ": " + Narrow(reason);
}

std::optional<std::string> RegistryStore::Read(std::string_view name) {
  Key key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key.h) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring wname = Widen(name);
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExW(key.h, wname.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (rc != ERROR_SUCCESS) throw StoreError(Win32ErrorText("Reading " + std::string(name), rc));
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw StoreError("The value " + std::string(name) + " is not stored as text");
  std::vector<wchar_t> buf(size / sizeof(wchar_t) + 2, L'\0');
  DWORD bytes = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  rc = RegQueryValueExW(key.h, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                        &bytes);
  if (rc != ERROR_SUCCESS) throw StoreError(Win32ErrorText("Reading " + std::string(name), rc));
  return Narrow(std::wstring(buf.data()));
}

void RegistryStore::Write(std::string_view name, std::string_view value) {
  Key key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key.h,
                      nullptr) != ERROR_SUCCESS)
    return;  // a key that cannot be opened is skipped silently
  const std::wstring wname = Widen(name), wvalue = Widen(value);
  const LONG rc =
      RegSetValueExW(key.h, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wvalue.c_str()),
                     static_cast<DWORD>((wvalue.size() + 1) * sizeof(wchar_t)));
  if (rc != ERROR_SUCCESS) throw StoreError(Win32ErrorText("Writing " + std::string(name), rc));
}

bool AutoStartEntryExists() {
  Key key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(kRunKeyPath).c_str(), 0, KEY_READ, &key.h) !=
      ERROR_SUCCESS)
    return false;
  return RegQueryValueExW(key.h, Widen(kAutoStartValue).c_str(), nullptr, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

// Defined with the registry it reads, so that the platform's ground floor needs nothing above it.
bool WinSystemQueries::AutoStartEntryExists() {
  return quillo::AutoStartEntryExists();
}

void SetAutoStart(const std::string& name, const std::string& data, bool once, bool remove) {
  Key key;
  const std::wstring path = Widen(std::string(kRunKeyPath) + (once ? "Once" : ""));
  const std::wstring wname = Widen(name);
  if (remove) {
    // No Run key means no entry to remove.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key.h) == ERROR_SUCCESS)
      RegDeleteValueW(key.h, wname.c_str());
    return;
  }
  // A fresh profile may not have the Run key yet: "Run on Startup" must still take effect.
  LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key.h, nullptr);
  if (rc != ERROR_SUCCESS) throw StoreError(Win32ErrorText("Creating the auto-start key", rc));
  const std::wstring wdata = Widen(data);
  rc = RegSetValueExW(key.h, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wdata.c_str()),
                      static_cast<DWORD>((wdata.size() + 1) * sizeof(wchar_t)));
  if (rc != ERROR_SUCCESS) throw StoreError(Win32ErrorText("Writing the auto-start entry", rc));
}

namespace {
std::wstring PlacementPath(const char* subkey) {
  return Widen(std::string(kSettingsKeyPath) + "\\" + subkey);
}

int CurrentPixelsPerInch(HWND window) {
  HDC dc = GetDC(window);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return ppi;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<MonitorAreas>*>(lp);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(monitor, &mi)) return TRUE;
  const MonitorAreas m{
      {mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom},
      {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom}};
  // The primary monitor first.
  if (mi.dwFlags & MONITORINFOF_PRIMARY)
    list->insert(list->begin(), m);
  else
    list->push_back(m);
  return TRUE;
}

std::vector<MonitorAreas> Monitors() {
  std::vector<MonitorAreas> list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return list;
}
}  // namespace

void SaveWindowPlacement(HWND window, const char* subkey) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(window, &wp)) return;
  RECT r;
  if (IsIconic(window) || IsZoomed(window)) {
    // The rectangle it comes back to, which the placement keeps in workspace coordinates.
    const RECT& n = wp.rcNormalPosition;
    const ScreenPoint at = WorkspaceToScreen({n.left, n.top}, Monitors());
    r = {at.x, at.y, at.x + (n.right - n.left), at.y + (n.bottom - n.top)};
  } else if (!GetWindowRect(window, &r)) {
    return;
  }
  Key key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, PlacementPath(subkey).c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key.h, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD flags = wp.flags;
  const DWORD ppi = static_cast<DWORD>(CurrentPixelsPerInch(window));
  RegSetValueExW(key.h, L"Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags),
                 sizeof flags);
  RegSetValueExW(key.h, L"PixelsPerInch", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ppi),
                 sizeof ppi);
  const std::string minMax =
      FormatQuad({wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x, wp.ptMaxPosition.y});
  // Workspace coordinates, as the window placement keeps them, converted by the same rule that
  // restoring uses, so that the position does not creep by the taskbar's thickness.
  const ScreenPoint at = ScreenToWorkspace({r.left, r.top}, Monitors());
  const std::string norm =
      FormatQuad({at.x, at.y, at.x + (r.right - r.left), at.y + (r.bottom - r.top)});
  const std::string screen = FormatQuad({r.left, r.top, r.right, r.bottom});
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  for (const auto& [name, text] : {std::pair<std::string, std::string>{"MinMaxPos", minMax},
                                   {"NormPos", norm},
                                   {SizedName("MinMaxPos", w, h), minMax},
                                   {SizedName("NormPos", w, h), norm},
                                   {kScreenPosValue, screen}}) {
    const std::wstring wname = Widen(name), wtext = Widen(text);
    RegSetValueExW(key.h, wname.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wtext.c_str()),
                   static_cast<DWORD>((wtext.size() + 1) * sizeof(wchar_t)));
  }
}

void RestoreWindowPlacement(HWND window, const char* subkey, bool withSize) {
  RegistryStore store(PlacementPath(subkey));
  try {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    auto text = store.Read(SizedName("NormPos", w, h));
    if (!text) text = store.Read("NormPos");
    if (!text) return;
    const auto norm = ParseQuad(*text);
    if (!norm) return;
    Key key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, PlacementPath(subkey).c_str(), 0, KEY_READ, &key.h) !=
        ERROR_SUCCESS)
      return;
    DWORD ppi = 0, size = sizeof ppi, type = 0;
    if (RegQueryValueExW(key.h, L"PixelsPerInch", nullptr, &type, reinterpret_cast<BYTE*>(&ppi),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
      return;
    RECT r;
    GetWindowRect(window, &r);
    int32_t width = r.right - r.left, height = r.bottom - r.top;
    if (withSize) {
      width = (*norm)[2] - (*norm)[0];
      height = (*norm)[3] - (*norm)[1];
      if (width <= 0 || height <= 0) return;
    }
    const auto screen = store.Read(kScreenPosValue);
    const auto at =
        RestoredPosition(*norm, static_cast<int32_t>(ppi), CurrentPixelsPerInch(window), width,
                         height, Monitors(), screen ? ParseQuad(*screen) : std::nullopt);
    if (!at) return;
    SetWindowPos(window, nullptr, at->x, at->y, width, height,
                 (withSize ? 0 : SWP_NOSIZE) | SWP_NOZORDER | SWP_NOACTIVATE);
  } catch (const StoreError&) {
    // A damaged position is not worth a message: the window keeps its default place.
  }
}

}  // namespace quillo
