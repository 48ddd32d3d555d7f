// The probe's window helpers (see probe_windows.h).
#include "probe_windows.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

namespace probe {

BOOL CALLBACK Match(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  wchar_t cls[256] = {}, title[512] = {};
  GetClassNameW(h, cls, 256);
  GetWindowTextW(h, title, 512);
  if (f->cls && *f->cls && wcscmp(cls, f->cls) != 0) return TRUE;
  if (f->title && *f->title && wcscmp(title, f->title) != 0) return TRUE;
  if (!IsWindowVisible(h) && f->cls && wcscmp(f->cls, L"#32770") == 0) return TRUE;
  f->hwnd = h;
  return FALSE;
}

// The first visible top-level window of a class (a program may keep hidden ones of it).
BOOL CALLBACK MatchVisible(HWND h, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  if (wcscmp(cls, f->cls) != 0 || !IsWindowVisible(h)) return TRUE;
  f->hwnd = h;
  return FALSE;
}

HWND FindTop(const wchar_t* cls, const wchar_t* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    Found f{cls, title};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&f));
    if (f.hwnd) return f.hwnd;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(50);
  }
}

std::wstring Utf8Class(HWND h) {
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  return cls;
}

std::wstring Widen16(const std::string& s) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
  return w;
}

void PrintWindow(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  BYTE alpha = 255;
  DWORD flags = 0;
  COLORREF key = 0;
  const BOOL layered = GetLayeredWindowAttributes(h, &key, &alpha, &flags);
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  wchar_t title[512] = {};
  GetWindowTextW(h, title, 512);
  RECT client{};
  GetClientRect(h, &client);
  std::printf(
      "hwnd=%lld x=%ld y=%ld w=%ld h=%ld visible=%d alpha=%d topmost=%d owned=%d toolwindow=%d "
      "cw=%ld ch=%ld enabled=%d foreground=%d title=%s\n",
      static_cast<long long>(reinterpret_cast<INT_PTR>(h)), r.left, r.top, r.right - r.left,
      r.bottom - r.top, IsWindowVisible(h) ? 1 : 0, layered && (flags & LWA_ALPHA) ? alpha : 255,
      (ex & WS_EX_TOPMOST) ? 1 : 0, GetWindow(h, GW_OWNER) ? 1 : 0, (ex & WS_EX_TOOLWINDOW) ? 1 : 0,
      client.right, client.bottom, IsWindowEnabled(h) ? 1 : 0, GetForegroundWindow() == h ? 1 : 0,
      Utf8(title).c_str());
}

std::string Utf8(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

// The text of a tooltip window of another process (the notification area's, in the desktop's
// process): the messages carry pointers, so the buffers live in that process.
std::wstring TooltipText(HWND tip) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tip, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return {};
  constexpr SIZE_T kChars = 1024;
  auto* remote = static_cast<BYTE*>(
      VirtualAllocEx(process, nullptr, sizeof(TOOLINFOW) + kChars * 2, MEM_COMMIT, PAGE_READWRITE));
  std::wstring text;
  if (remote) {
    auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TOOLINFOW));
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.lpszText = remoteText;
    WriteProcessMemory(process, remote, &ti, sizeof ti, nullptr);
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote))) {
      ReadProcessMemory(process, remote, &ti, sizeof ti, nullptr);
      ti.lpszText = remoteText;
      WriteProcessMemory(process, remote, &ti, sizeof ti, nullptr);
      SendMessageW(tip, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(remote));
      wchar_t buf[kChars] = {};
      ReadProcessMemory(process, remoteText, buf, sizeof buf - 2, nullptr);
      text = buf;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return text;
}

// The focused window of the thread that owns `h` (another process's focus is not GetFocus's).
HWND GetGUIThreadFocus(HWND h) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

BOOL CALLBACK FindChild(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(h) != s->id) return TRUE;
  s->found = h;
  return FALSE;
}

BOOL CALLBACK CountMatches(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<CountSearch*>(lp);
  wchar_t cls[256] = {}, title[512] = {};
  GetClassNameW(h, cls, 256);
  GetWindowTextW(h, title, 512);
  const bool anyClass = wcscmp(s->cls, L"-") == 0;
  if (IsWindowVisible(h) && (anyClass || wcscmp(cls, s->cls) == 0) && wcscmp(title, s->title) == 0)
    ++s->count;
  return TRUE;
}

// A control of a top-level window, found by its id among all descendants: its screen rectangle,
// state and text (a drop-down list's text is its selected item).
int PrintControl(HWND top, int id) {
  ChildSearch search{id};
  EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  HWND h = search.found;
  RECT r{};
  GetWindowRect(h, &r);
  // WM_GETTEXT, not GetWindowText: across processes only the message reads what a control shows
  // (a drop-down list's selected item, an edit's contents).
  wchar_t text[4096] = {};
  SendMessageW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  const LRESULT checked =
      _wcsicmp(cls, L"Button") == 0 ? SendMessageW(h, BM_GETCHECK, 0, 0) : BST_UNCHECKED;
  std::printf("x=%ld y=%ld w=%ld h=%ld visible=%d enabled=%d checked=%d focused=%d text=%s\n",
              r.left, r.top, r.right - r.left, r.bottom - r.top, IsWindowVisible(h) ? 1 : 0,
              IsWindowEnabled(h) ? 1 : 0, checked == BST_CHECKED ? 1 : 0,
              GetGUIThreadFocus(h) == h ? 1 : 0, Utf8(text).c_str());
  return 0;
}

BOOL CALLBACK FindTip(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TipSearch*>(lp);
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  if (_wcsicmp(cls, TOOLTIPS_CLASSW) != 0 || !IsWindowVisible(h)) return TRUE;
  const std::wstring text = TooltipText(h);
  if (text.rfind(s->prefix, 0) == 0) {
    s->found = text;
    return FALSE;
  }
  return TRUE;
}

std::string ClassOf(HWND h) {
  wchar_t cls[256] = {};
  GetClassNameW(h, cls, 256);
  return Utf8(cls);
}

std::string TextOf(HWND h) {
  wchar_t text[512] = {};
  GetWindowTextW(h, text, 512);
  return Utf8(text);
}

// A window that stands in for another program in front of the panel.
LRESULT CALLBACK CoverProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcW(h, m, w, l);
}

// A notification area that refuses every icon, as a shell that is still busy at logon does.
LRESULT CALLBACK BusyTrayProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COPYDATA) return FALSE;
  return DefWindowProcW(h, m, w, l);
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, DWORD exStyle, DWORD style, int x, int y, int w,
                int h, const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(exStyle, cls, title, style, x, y, w, h, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

BOOL CALLBACK PrintTaskbarButton(HWND h, LPARAM lp) {
  if (!IsWindowVisible(h) || _wcsicmp(Utf8Class(h).c_str(), L"Button") != 0) return TRUE;
  RECT r{};
  GetWindowRect(h, &r);
  std::printf("button x=%ld y=%ld w=%ld h=%ld\n", r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  ++reinterpret_cast<ButtonList*>(lp)->count;
  return TRUE;
}

}  // namespace probe
