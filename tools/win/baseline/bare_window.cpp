// Measurement baseline: one window where the default panel would be (1588 x 44, centred), with a
// 75 ms timer that does nothing, and nothing else.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
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
  wc.lpszClassName = L"BareWindow";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(
      0, L"BareWindow", L"Bare", WS_POPUP | WS_VISIBLE, (GetSystemMetrics(SM_CXSCREEN) - 1588) / 2,
      (GetSystemMetrics(SM_CYSCREEN) - 44) / 2, 1588, 44, nullptr, nullptr, instance, nullptr);
  SetTimer(w, 1, 75, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
