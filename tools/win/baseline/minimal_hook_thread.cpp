// Measurement baseline: the minimal hooked program with its hooks on a thread of their own, as
// Quillomat keeps them (input must never wait behind the window): both low-level hooks counting
// events on that thread, and a 75 ms timer that queries the pointer and the last input on the
// window's, with one window where the default panel would be (1588 x 44, centred). Beside
// minimal_hooks it shows what the second thread costs: a pointer message to the window wakes
// the window's thread as well as the hooks'.
#include <windows.h>

namespace {
volatile LONG g_keys = 0, g_mouse = 0;
POINT g_cursor;
DWORD g_idle;

LRESULT CALLBACK Keyboard(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION && w == WM_KEYUP) InterlockedIncrement(&g_keys);
  return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK Mouse(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION && w == WM_LBUTTONDOWN) InterlockedIncrement(&g_mouse);
  return CallNextHookEx(nullptr, code, w, l);
}

DWORD WINAPI HookThread(LPVOID ready) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  SetWindowsHookExW(WH_KEYBOARD_LL, Keyboard, instance, 0);
  SetWindowsHookExW(WH_MOUSE_LL, Mouse, instance, 0);
  SetEvent(static_cast<HANDLE>(ready));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_TIMER) {
    GetCursorPos(&g_cursor);
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    GetLastInputInfo(&info);
    g_idle = (GetTickCount() - info.dwTime) / 1000;
    return 0;
  }
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(h, m, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"MinimalHookThread";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, L"MinimalHookThread", L"Minimal", WS_POPUP | WS_VISIBLE,
                           (GetSystemMetrics(SM_CXSCREEN) - 1588) / 2,
                           (GetSystemMetrics(SM_CYSCREEN) - 44) / 2, 1588, 44, nullptr, nullptr,
                           instance, nullptr);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CreateThread(nullptr, 0, HookThread, ready, 0, nullptr);
  WaitForSingleObject(ready, 10000);
  SetTimer(w, 1, 75, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
