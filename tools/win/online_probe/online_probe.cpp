// Test-only helper for the online end-to-end tests and the stall measurement: trusts a test CA
// inside the Wine prefix, lists a dialog's controls, and times how long a window's thread takes
// to answer messages. Prints its results on stdout; exit 0 on success.
#include <windows.h>

#include <wincrypt.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

// Adds a DER certificate to the current user's trusted root store.
int TrustCa(const wchar_t* path) {
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::vector<BYTE> der(GetFileSize(file, nullptr));
  DWORD got = 0;
  const BOOL read = ReadFile(file, der.data(), static_cast<DWORD>(der.size()), &got, nullptr);
  CloseHandle(file);
  if (!read || got != der.size()) return 1;
  HCERTSTORE store =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
  if (!store) return 1;
  const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), got,
                                                      CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
  CertCloseStore(store, 0);
  std::printf(added ? "trusted\n" : "failed %lu\n", GetLastError());
  return added ? 0 : 1;
}

struct Search {
  const wchar_t* cls;
  const wchar_t* title;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  wchar_t cls[256] = {}, title[512] = {};
  GetClassNameW(h, cls, 256);
  GetWindowTextW(h, title, 512);
  if (s->cls && wcscmp(cls, s->cls) != 0) return TRUE;
  if (s->title && wcscmp(title, s->title) != 0) return TRUE;
  if (!IsWindowVisible(h)) return TRUE;
  s->found = h;
  return FALSE;
}

HWND Find(const wchar_t* cls, const wchar_t* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    Search s{cls, title};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    if (s.found || GetTickCount() - start >= timeoutMs) return s.found;
    Sleep(50);
  }
}

BOOL CALLBACK PrintChild(HWND h, LPARAM lp) {
  HWND dialog = reinterpret_cast<HWND>(lp);
  if (GetParent(h) != dialog) return TRUE;
  wchar_t cls[64] = {};
  GetClassNameW(h, cls, 64);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  std::wstring escaped;
  for (wchar_t c : text) escaped += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  std::printf("control id=%d class=%s visible=%d x=%ld y=%ld w=%ld h=%ld text=%s\n",
              GetDlgCtrlID(h), Utf8(cls).c_str(), IsWindowVisible(h) ? 1 : 0, r.left, r.top,
              r.right - r.left, r.bottom - r.top, Utf8(escaped).c_str());
  return TRUE;
}

// The dialog's frame and client rectangles, then one line per control.
int Controls(const wchar_t* title, DWORD timeoutMs) {
  HWND dialog = Find(L"#32770", title, timeoutMs);
  if (!dialog) return 1;
  RECT w, c;
  GetWindowRect(dialog, &w);
  GetClientRect(dialog, &c);
  std::printf("dialog x=%ld y=%ld w=%ld h=%ld cw=%ld ch=%ld dpi=%u\n", w.left, w.top,
              w.right - w.left, w.bottom - w.top, c.right, c.bottom, GetDpiForWindow(dialog));
  EnumChildWindows(dialog, PrintChild, reinterpret_cast<LPARAM>(dialog));
  return 0;
}

// Sends WM_NULL to the window's thread again and again for `durationMs` and reports the longest
// and the typical time it took to answer: how long that thread went without serving messages.
int Stall(const wchar_t* cls, DWORD durationMs) {
  HWND h = Find(cls, nullptr, 5000);
  if (!h) return 1;
  LARGE_INTEGER freq, start, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  std::vector<double> ms;
  int hung = 0;
  for (;;) {
    QueryPerformanceCounter(&t0);
    if ((t0.QuadPart - start.QuadPart) * 1000 / freq.QuadPart >= durationMs) break;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) ++hung;
    QueryPerformanceCounter(&t1);
    ms.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart);
    Sleep(5);
  }
  if (ms.empty()) return 1;
  std::vector<double> sorted = ms;
  std::sort(sorted.begin(), sorted.end());
  std::printf("samples=%zu max_ms=%.1f p99_ms=%.1f median_ms=%.2f unanswered=%d\n", ms.size(),
              sorted.back(), sorted[sorted.size() * 99 / 100], sorted[sorted.size() / 2], hung);
  return 0;
}

int Usage() {
  std::fputs(
      "online_probe trust-ca FILE.der           add a certificate to CurrentUser\\Root\n"
      "online_probe controls TITLE TIMEOUT_MS   a dialog's rectangles and its controls\n"
      "online_probe stall CLASS DURATION_MS     longest time the window took to answer\n",
      stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return Usage();
  const std::wstring verb = argv[1];
  if (verb == L"trust-ca") return TrustCa(argv[2]);
  if (verb == L"controls" && argc > 3) return Controls(argv[2], static_cast<DWORD>(_wtoi(argv[3])));
  if (verb == L"stall" && argc > 3) return Stall(argv[2], static_cast<DWORD>(_wtoi(argv[3])));
  return Usage();
}
