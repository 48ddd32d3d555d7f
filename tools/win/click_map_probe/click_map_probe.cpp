// Shows the click map view on a seeded history (two monitors, the main one's resolution changed
// on the last day, a press beyond every monitor that is never placed) in a window of its own at
// the screen's DPI, and writes into OUTDIR:
//   NAME_snapshot.ppm  the view's picture for saving     NAME_screen.ppm  the screen under the view
//   NAME_point.txt     the screen point of the busiest spot, once shown
//   NAME_hint.txt      the hint shown once the pointer is there (UTF-8), and NAME_hint.ppm the
//   screen NAME_info.txt      "dpi W H" of the view
// Usage: click_map_probe OUTDIR NAME LANGUAGE BUTTONS (BUTTONS: 0 all, 1 left, … 5 forward).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/history/click_map.h"
#include "core/util/datetime.h"
#include "win32/dib.h"
#include "win32/history_window/click_map_view.h"

namespace {

using namespace quillo;

HistoryData SeededHistory() {
  HistoryData h;
  const ScreenRect main{0, 0, 1920, 1080}, side{-1280, 56, 0, 1080}, wide{0, 0, 2560, 1440};
  uint32_t seed = 7;
  auto next = [&seed](int n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(n));
  };
  // Around a place, most presses close to it.
  auto around = [&](DayRecord& r, const ScreenRect& m, PlaceButton b, int x, int y, int spread,
                    int presses) {
    for (int i = 0; i < presses; ++i) {
      const int dx = (next(spread) + next(spread) - spread),
                dy = (next(spread) + next(spread) - spread);
      const auto cell = CellAt({m}, m.left + x + dx, m.top + y + dy);
      if (cell) r.places.AddClick(m, b, cell->column, cell->row);
    }
  };
  const int32_t first = DayNumber(2026, 3, 2);
  for (int32_t day = first; day < first + 3; ++day) {
    DayRecord r;
    r.day = day;
    around(r, main, PlaceButton::kLeft, 1900, 10, 12, 400);    // closing windows
    around(r, main, PlaceButton::kLeft, 20, 1065, 20, 250);    // the start button
    around(r, main, PlaceButton::kLeft, 960, 540, 500, 900);   // everywhere in documents
    around(r, main, PlaceButton::kRight, 700, 400, 300, 200);  // menus
    around(r, main, PlaceButton::kMiddle, 960, 120, 200, 40);  // tabs closed
    around(r, side, PlaceButton::kLeft, 640, 500, 400, 300);
    around(r, side, PlaceButton::kBack, 400, 300, 100, 30);
    around(r, side, PlaceButton::kForward, 800, 300, 100, 10);
    // A press beyond every monitor has no cell: nothing is counted for it.
    if (CellAt({main, side}, -1500, 20)) return {};
    r.counts[static_cast<size_t>(Counter::kLeft)] = 1;
    h.Add(r);
  }
  DayRecord changed;
  changed.day = first + 3;
  around(changed, wide, PlaceButton::kLeft, 2540, 10, 12, 300);
  around(changed, wide, PlaceButton::kLeft, 1280, 720, 600, 600);
  h.Add(changed);
  return h;
}

bool WritePpm(const std::wstring& path, int w, int h, const uint32_t* pixels) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", w, h);
  std::vector<unsigned char> row(static_cast<size_t>(w) * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t p = pixels[static_cast<size_t>(y) * w + x];
      row[static_cast<size_t>(x) * 3] = (p >> 16) & 0xFF;
      row[static_cast<size_t>(x) * 3 + 1] = (p >> 8) & 0xFF;
      row[static_cast<size_t>(x) * 3 + 2] = p & 0xFF;
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  return std::fclose(f) == 0;
}

// The screen's pixels in a rectangle, as the user sees them.
std::vector<uint32_t> Screen(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<uint32_t> out(static_cast<size_t>(w) * h);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  const BITMAPINFO bi = TopDownBitmapInfo(w, h);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  for (size_t i = 0; i < out.size(); ++i) out[i] = static_cast<uint32_t*>(bits)[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return out;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool WriteText(const std::wstring& path, const std::string& text) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  return std::fclose(f) == 0;
}

std::string Utf8(const std::wstring& w) {
  std::string s(static_cast<size_t>(
                    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr)),
                '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), static_cast<int>(s.size()), nullptr,
                      nullptr);
  s.resize(s.size() - 1);
  return s;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_SIZE) {
    if (HWND view = GetDlgItem(hwnd, 1)) MoveWindow(view, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: click_map_probe OUTDIR NAME LANGUAGE BUTTONS\n");
    return 2;
  }
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const std::wstring out = std::wstring(argv[1]) + L"\\" + argv[2];
  const int language = _wtoi(argv[3]);
  const auto buttons = static_cast<ClickButtons>(_wtoi(argv[4]));
  const HistoryData history = SeededHistory();
  if (history.days.empty()) return 3;

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = HostProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"QuillomatClickMapProbe";
  RegisterClassExW(&wc);
  const UINT dpi = GetDpiForSystem();
  RECT frame{0, 0, MulDiv(640, static_cast<int>(dpi), 96), MulDiv(400, static_cast<int>(dpi), 96)};
  AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"Click map", WS_OVERLAPPEDWINDOW, 40, 40,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, nullptr);
  HintWindow hint(instance, host);
  HFONT font = CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  hint.SetFont(font);
  ClickMapView view(instance, host, 1, hint);
  NumberStyle style;
  if (language == 2) style = {',', "."};  // German
  view.SetLook(font, language, style);
  view.Show(history, ClickRangeSpan(ClickRange::kAllTime, DayNumber(2026, 3, 5), 0, history),
            buttons);
  ShowWindow(host, SW_SHOW);
  RECT client;
  GetClientRect(host, &client);
  MoveWindow(view.hwnd(), 0, 0, client.right, client.bottom, TRUE);
  UpdateWindow(host);
  Pump();

  const ArgbPicture snapshot = view.Snapshot();
  WritePpm(out + L"_snapshot.ppm", snapshot.width, snapshot.height, snapshot.pixels.data());
  RECT onScreen;
  GetWindowRect(view.hwnd(), &onScreen);
  std::vector<uint32_t> expected(snapshot.pixels);
  for (uint32_t& p : expected) p &= 0xFFFFFF;
  // The screen shows the picture once the window has been painted and the desktop has it.
  std::vector<uint32_t> screen;
  for (const DWORD deadline = GetTickCount() + 20000; GetTickCount() < deadline;) {
    Pump();
    screen = Screen(onScreen);
    if (screen == expected) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  WritePpm(out + L"_screen.ppm", onScreen.right - onScreen.left, onScreen.bottom - onScreen.top,
           screen.data());
  WriteText(out + L"_info.txt", std::to_string(GetDpiForWindow(view.hwnd())) + " " +
                                    std::to_string(snapshot.width) + " " +
                                    std::to_string(snapshot.height));

  // The busiest spot of the picture, for the pointer to go to.
  const ClickMapPicture& picture = view.picture();
  POINT busiest{-1, -1};
  uint64_t most = 0;
  for (const ChartRect& r : picture.monitors)
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (const auto spot = SpotAt(view.map(), picture, x, y); spot && spot->count > most) {
          most = spot->count;
          busiest = {x, y};
        }
  ClientToScreen(view.hwnd(), &busiest);
  WriteText(out + L"_point.txt", std::to_string(busiest.x) + " " + std::to_string(busiest.y) + " " +
                                     std::to_string(most));
  // Real input moves the pointer there; the hint follows.
  for (const DWORD deadline = GetTickCount() + 60000;
       view.hintText().empty() && GetTickCount() < deadline;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  if (view.hintText().empty()) return 4;
  RECT around{onScreen.left, onScreen.top,
              std::min<LONG>(onScreen.right + 400, GetSystemMetrics(SM_CXSCREEN)), onScreen.bottom};
  for (const DWORD deadline = GetTickCount() + 2000; GetTickCount() < deadline;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);  // the hint paints itself
    Pump();
    if (hint.shown()) break;
  }
  const std::vector<uint32_t> withHint = Screen(around);
  WritePpm(out + L"_hint.ppm", around.right - around.left, around.bottom - around.top,
           withHint.data());
  WriteText(out + L"_hint.txt", Utf8(view.hintText()));
  DestroyWindow(host);
  DeleteObject(font);
  return 0;
}
