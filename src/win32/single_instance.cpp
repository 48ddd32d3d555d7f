// The instance mutex and the request that brings the running copy forward.
#include "win32/single_instance.h"

#include "win32/main_window.h"

namespace quillo {

UINT ShowPanelMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quillomat.ShowPanel");
  return message;
}

bool TakeInstanceMutex() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  // Held, never closed: the system releases it when the process ends, however it ends.
  return true;
}

bool BringRunningCopyForward(DWORD waitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND running = FindWindowW(kMainWindowClass, L"Quillomat")) {
      DWORD pid = 0;
      GetWindowThreadProcessId(running, &pid);
      // This start came from the user, so it may hand the foreground on to the copy that runs.
      AllowSetForegroundWindow(pid);
      return PostMessageW(running, ShowPanelMessage(), 0, 0) != FALSE;
    }
    if (GetTickCount() - start >= waitMs) return false;
    Sleep(100);
  }
}

}  // namespace quillo
