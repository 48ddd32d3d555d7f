// Test-only helper for the end-to-end tests: finds top-level windows inside the Wine desktop,
// reports their state and sends them messages. Prints one line of results; exit 0 on success.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Found {
  const wchar_t* cls;
  const wchar_t* title;
  HWND hwnd = nullptr;
};

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

void PrintWindow(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  BYTE alpha = 255;
  DWORD flags = 0;
  COLORREF key = 0;
  const BOOL layered = GetLayeredWindowAttributes(h, &key, &alpha, &flags);
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  std::printf("hwnd=%lld x=%ld y=%ld w=%ld h=%ld visible=%d alpha=%d topmost=%d\n",
              static_cast<long long>(reinterpret_cast<INT_PTR>(h)), r.left, r.top, r.right - r.left,
              r.bottom - r.top, IsWindowVisible(h) ? 1 : 0,
              layered && (flags & LWA_ALPHA) ? alpha : 255, (ex & WS_EX_TOPMOST) ? 1 : 0);
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

struct TipSearch {
  std::wstring prefix;
  std::wstring found;
};

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

int Usage() {
  std::fputs(
      "probe window CLASS [TIMEOUT_MS]      wait for a top-level window, print its state\n"
      "probe gone CLASS TIMEOUT_MS          wait until no such window exists\n"
      "probe close CLASS                    post WM_CLOSE\n"
      "probe command CLASS ID               post WM_COMMAND ID\n"
      "probe message CLASS MSG WPARAM LPARAM post any message\n"
      "probe dialog TITLE TIMEOUT_MS [BUTTON] print a message box's text, then press BUTTON "
      "(1=OK)\n"
      "probe tooltip PREFIX TIMEOUT_MS       print the text of a shown tooltip starting with "
      "PREFIX\n",
      stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring verb = argv[1];
  const wchar_t* cls = argv[2];
  if (verb == L"window") {
    HWND h = FindTop(cls, nullptr, argc > 3 ? _wtoi(argv[3]) : 0);
    if (!h) return 1;
    PrintWindow(h);
    return 0;
  }
  if (verb == L"gone" && argc > 3) {
    const DWORD start = GetTickCount();
    while (FindTop(cls, nullptr, 0)) {
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (verb == L"close" || verb == L"command" || verb == L"message") {
    HWND h = FindTop(cls, nullptr, 2000);
    if (!h) return 1;
    if (verb == L"close") return PostMessageW(h, WM_CLOSE, 0, 0) ? 0 : 1;
    if (verb == L"command" && argc > 3)
      return PostMessageW(h, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0) ? 0 : 1;
    if (verb == L"message" && argc > 5)
      return PostMessageW(h, static_cast<UINT>(_wtoi(argv[3])),
                          static_cast<WPARAM>(_wtoi64(argv[4])),
                          static_cast<LPARAM>(_wtoi64(argv[5])))
                 ? 0
                 : 1;
    return Usage();
  }
  if (verb == L"dialog" && argc > 3) {
    HWND box = FindTop(L"#32770", cls, static_cast<DWORD>(_wtoi(argv[3])));
    if (!box) return 1;
    wchar_t text[4096] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 4096);  // a message box's text control
    std::printf("%s\n", Utf8(text).c_str());
    std::fflush(stdout);
    if (argc > 4) {
      const int button = _wtoi(argv[4]);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    }
    return 0;
  }
  if (verb == L"tooltip" && argc > 3) {
    const DWORD start = GetTickCount();
    for (;;) {
      TipSearch search{cls, {}};
      EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
      if (!search.found.empty()) {
        std::printf("%s\n", Utf8(search.found.c_str()).c_str());
        return 0;
      }
      if (GetTickCount() - start >= static_cast<DWORD>(_wtoi(argv[3]))) return 1;
      Sleep(100);
    }
  }
  return Usage();
}
