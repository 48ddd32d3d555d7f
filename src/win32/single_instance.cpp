// The instance mutex and the request that brings the running copy forward.
#include "win32/single_instance.h"

namespace quillo {
namespace {

// True when this process now holds the mutex as its first owner.
bool CreateInstanceMutex() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  // Held, never closed: the system releases it when the process ends, however it ends.
  return true;
}

}  // namespace

UINT ShowPanelMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quillomat.ShowPanel");
  return message;
}

bool ClaimInstance(const wchar_t* windowClass, const wchar_t* windowTitle, DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (CreateInstanceMutex()) return true;
    if (HWND running = FindWindowW(windowClass, windowTitle)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(running, &pid);
      // This start came from the user, so it may hand the foreground on to the copy that runs.
      AllowSetForegroundWindow(pid);
      PostMessageW(running, ShowPanelMessage(), 0, 0);
      return false;
    }
    if (GetTickCount() - start >= waitMs) return false;
    Sleep(100);
  }
}

}  // namespace quillo
