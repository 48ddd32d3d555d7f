// Test-only probe for the segment indicator under Windows (or Wine):
//   indicator_probe fill <dir>        for a table of pictures, writes what GDI fills for the
//                                     indicator's polygons (CreatePolyPolygonRgn, ALTERNATE,
//                                     FillRgn into a DIB) beside the core's coverage of the same
//                                     polygons: <case>_gdi.pgm and <case>_core.pgm
//   indicator_probe show <dir> <case> shows an indicator in a real window on a coloured host
//                                     window, writes the core's picture and masks and the
//                                     window's screen position, then runs until <case>_stop
//                                     appears in <dir> (or a minute passes)
//   indicator_probe stretch <dir>     for a table of texture and canvas sizes, writes StretchBlt's
//                                     nearest-pixel stretch (COLORONCOLOR) beside the core's
//                                     stretched texture: <case>_gdi.ppm and <case>_core.ppm
//   indicator_probe changes <dir>     three indicators styled as the panel's on a host window,
//                                     painted whole, then given new texts whose changed cells
//                                     the host draws in one pass (PaintPendingIn); writes each
//                                     picture (changes_<i>_canvas.ppm) and changes_ready.txt
//                                     (the windows' screen rectangles, then how many of them
//                                     still wait for a paint message), then runs until
//                                     changes_stop appears (or a minute passes)
//   indicator_probe cursor <dir>      an indicator on a host window whose class cursor is a
//                                     cross; writes cursor_ready.txt (the indicator's screen
//                                     rectangle), then at every pointer move over the indicator
//                                     cursor_report.txt: the moves, whether the thread's cursor
//                                     is the indicator's class cursor (the arrow), and how often
//                                     the host was asked for the cursor; runs until cursor_stop
//   indicator_probe sizes             resizes and turns an indicator window and prints, after
//                                     each step, the window's size, the picture's size, and the
//                                     box of the window region beside that of the core's shape
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/indicator/geometry.h"
#include "core/indicator/liquid_indicator.h"
#include "core/indicator/materials.h"
#include "core/indicator/polygon_fill.h"
#include "core/panel/indicator_style.h"
#include "win32/dib.h"
#include "win32/indicator_view.h"

using namespace quillo::indicator;

namespace {

std::string Narrow(const std::wstring& w) {
  return std::string(w.begin(), w.end());
}

bool WritePgm(const std::wstring& path, int w, int h, const std::vector<unsigned char>& gray) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "P5\n%d %d\n255\n", w, h);
  std::fwrite(gray.data(), 1, gray.size(), f);
  return std::fclose(f) == 0;
}

bool WriteMask(const std::wstring& path, const CoverageMask& m) {
  std::vector<unsigned char> g(std::size_t(m.Width()) * m.Height());
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x)
      g[std::size_t(y) * m.Width() + x] = m.Covered(x, y) ? 255 : 0;
  return WritePgm(path, m.Width(), m.Height(), g);
}

bool WritePpm(const std::wstring& path, const Bitmap& b) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  std::fprintf(f, "P6\n%d %d\n255\n", b.Width(), b.Height());
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.At(x, y);
      const unsigned char rgb[3] = {(unsigned char)(p >> 16), (unsigned char)(p >> 8),
                                    (unsigned char)p};
      std::fwrite(rgb, 1, 3, f);
    }
  return std::fclose(f) == 0;
}

// GDI's pixels of a polygon list on a width x height canvas, as a 0/255 image.
std::vector<unsigned char> GdiFill(const Points& pts, const Integers& counts, int w, int h) {
  std::vector<unsigned char> out(std::size_t(w) * h, 0);
  if (w <= 0 || h <= 0 || counts.empty()) return out;
  BITMAPINFO bi = quillo::TopDownBitmapInfo(w, h);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  std::vector<POINT> p(pts.size());
  for (std::size_t i = 0; i < pts.size(); ++i) p[i] = {pts[i].x, pts[i].y};
  std::vector<INT> c(counts.begin(), counts.end());
  HRGN rgn = CreatePolyPolygonRgn(p.data(), c.data(), int(c.size()), ALTERNATE);
  FillRgn(dc, rgn, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = (px[i] & 0xFFFFFF) ? 255 : 0;
  DeleteObject(rgn);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return out;
}

struct FillCase {
  const char* name;
  int width, height, cells, angle;
  IAIndicatorKind kind;
  IAIndicatorStyle style;
  IABevelKind outer, inner;
  bool hover;  // widened by the pointer
  const char* text;
};

constexpr FillCase kFillCases[] = {
    {"panel_137x19", 137, 19, 10, 0, ik7segment, isThin, bkNone, bkNone, false, "8.1-4:7.0"},
    {"cell_40x60", 40, 60, 1, 0, ik7segment, isThin, bkNone, bkNone, false, "8."},
    {"default_172x36", 172, 36, 10, 0, ik7segment, isNormal, bkUP, bkDown, false, "-1.25E"},
    {"nine_172x36", 172, 36, 8, 0, ik9segment, isThick, bkUP, bkDown, false, "12:34.5"},
    {"matrix_150x40", 150, 40, 6, 0, ik5x7matrix, isNormal, bkUP, bkNone, false, "Aq%1.@"},
    {"matrix_wide_91x23", 91, 23, 4, 0, ik5x7matrix, isThick, bkNone, bkNone, true, "Wg#"},
    {"thick_wide_200x80", 200, 80, 4, 0, ik7segment, isThick, bkDown, bkUP, true, "8.8:"},
    {"rot300_100x20", 100, 20, 5, 300, ik7segment, isNormal, bkUP, bkDown, false, "9.6"},
    {"rot450_172x36", 172, 36, 10, 450, ik9segment, isNormal, bkUP, bkDown, false, "1:2.3"},
    {"rot1234_137x19", 137, 19, 10, 1234, ik7segment, isThin, bkNone, bkNone, false, "42.0"},
    {"rot2700_120x30", 120, 30, 6, 2700, ik7segment, isNormal, bkUP, bkUP, false, "3.14"},
    {"rot3300_90x24", 90, 24, 4, 3300, ik5x7matrix, isThin, bkDown, bkNone, false, "xY"},
};

int Fill(const std::wstring& dir) {
  FILE* list = _wfopen((dir + L"\\cases.txt").c_str(), L"w");
  if (!list) return 2;
  auto dump = [&](const std::string& name, const Points& pts, const Integers& counts, int w,
                  int h) {
    const std::wstring base = dir + L"\\" + std::wstring(name.begin(), name.end());
    CoverageMask core;
    RasterizeEvenOdd(pts, counts, w, h, core);
    WriteMask(base + L"_core.pgm", core);
    WritePgm(base + L"_gdi.pgm", w, h, GdiFill(pts, counts, w, h));
    std::fprintf(list, "%s\n", name.c_str());
  };
  for (const FillCase& fc : kFillCases) {
    IAeverLiquidIndicator c;
    c.Loaded();
    c.SetIndicatorKind(fc.kind);
    c.SetIndicatorStyle(fc.style);
    c.SetOuterBevel(fc.outer);
    c.SetInnerBevel(fc.inner);
    c.SetSignNumber(fc.cells);
    c.SetIndicatorWidth(fc.width);
    c.SetIndicatorHeight(fc.height);
    c.SetIndicatorAngle(fc.angle);
    c.SetIndicatorstring(fc.text);
    if (fc.hover) {
      c.SetMouseAction(maBoth);
      c.MouseEnter();
    }
    const int w = c.Width(), h = c.Height();
    dump(std::string(fc.name) + "_lit", c.BlackPolyPoly(), c.BlackVertex(), w, h);
    dump(std::string(fc.name) + "_unlit", c.GrayPOlyPoly(), c.GrayVertex(), w, h);
    // The frame bands and the window shape as the control turns them.
    Points bands;
    Integers bandCounts;
    for (int inset : {0, 2}) {
      auto b = FrameBands(fc.width, fc.height, inset, 3);
      RotateAbout(b.data(), b.size(), fc.width / 2, fc.height / 2, fc.angle);
      for (Point& p : b) p = {p.x + (w - fc.width) / 2, p.y + (h - fc.height) / 2};
      bands.insert(bands.end(), b.begin(), b.end());
      bandCounts.insert(bandCounts.end(), {4, 4, 4, 4});
    }
    for (int k = 0; k < 8; ++k) {
      const Points one(bands.begin() + 4 * k, bands.begin() + 4 * k + 4);
      dump(std::string(fc.name) + "_band" + std::to_string(k), one, {4}, w, h);
    }
    const Quad& q = c.WindowShape();
    dump(std::string(fc.name) + "_shape", Points(q.begin(), q.end()), {4}, w, h);
  }
  // Awkward polygons: steep and shallow slants, self-crossings, points off the canvas.
  unsigned state = 12345;
  auto next = [&](int lo, int hi) {
    state = state * 1103515245u + 12345u;
    return lo + int((state >> 8) % unsigned(hi - lo + 1));
  };
  for (int i = 0; i < 40; ++i) {
    Points pts;
    Integers counts;
    for (int k = next(1, 3); k > 0; --k) {
      const int n = next(3, 8);
      for (int j = 0; j < n; ++j) pts.push_back({next(-12, 76), next(-9, 57)});
      counts.push_back(n);
    }
    dump("random" + std::to_string(i), pts, counts, 64, 48);
  }
  std::fclose(list);
  return 0;
}

// ---- stretch ---------------------------------------------------------------------------------

int Stretch(const std::wstring& dir) {
  FILE* list = _wfopen((dir + L"\\cases.txt").c_str(), L"w");
  if (!list) return 2;
  const int sizes[][4] = {{2, 1, 172, 36},   {7, 5, 172, 36},  {64, 48, 137, 19}, {3, 3, 10, 10},
                          {5, 7, 97, 67},    {13, 11, 40, 60}, {64, 48, 30, 20},  {9, 4, 7, 3},
                          {100, 50, 33, 17}, {2, 2, 3, 3},     {6, 6, 9, 9},      {4, 2, 6, 3},
                          {3, 3, 2, 2},      {5, 5, 2, 2},     {9, 9, 6, 6},      {15, 15, 6, 6},
                          {7, 7, 2, 2},      {10, 10, 4, 4}};
  for (const auto& sz : sizes) {
    const int sw = sz[0], sh = sz[1], dw = sz[2], dh = sz[3];
    Bitmap texture(sw, sh);
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x)
        texture.Set(
            x, y,
            Pixel(x * 255 / sw) << 16 | Pixel(y * 255 / sh) << 8 | Pixel((x * 7 + y * 13) & 0xFF));
    Bitmap core(dw, dh);
    DrawMaterial(core, texture, mmStretch);

    BITMAPINFO bi = quillo::TopDownBitmapInfo(dw, dh);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    BITMAPINFO si = bi;
    si.bmiHeader.biWidth = sw;
    si.bmiHeader.biHeight = -sh;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, 0, 0, dw, dh, 0, 0, sw, sh, texture.Data(), &si, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    Bitmap gdi(dw, dh);
    const auto* px = static_cast<const DWORD*>(bits);
    for (int y = 0; y < dh; ++y)
      for (int x = 0; x < dw; ++x) gdi.Set(x, y, px[y * dw + x] & 0xFFFFFF);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);

    const std::string name = "stretch_" + std::to_string(sw) + "x" + std::to_string(sh) + "_to_" +
                             std::to_string(dw) + "x" + std::to_string(dh);
    const std::wstring base = dir + L"\\" + std::wstring(name.begin(), name.end());
    WritePpm(base + L"_gdi.ppm", gdi);
    WritePpm(base + L"_core.ppm", core);
    std::fprintf(list, "%s\n", name.c_str());
  }
  std::fclose(list);
  return 0;
}

// ---- show ------------------------------------------------------------------------------------

struct ShowCase {
  const char* name;
  int width, height, cells, angle;
  IAIndicatorKind kind;
  IAColorScheme scheme;
  IATransparentMode mode;
  const char* text;
};

constexpr ShowCase kShowCases[] = {
    {"default", 172, 36, 10, 0, ik7segment, csSilver, tmNone, "-12.34"},
    {"rotated", 172, 36, 8, 300, ik9segment, csPlasma, tmNone, "12:34.5"},
    {"see_through", 160, 40, 6, 0, ik5x7matrix, csTIAN, tmAll, "Ab1.%"},
};

constexpr COLORREF kHostColor = RGB(0, 128, 128);

int Show(const std::wstring& dir, const std::string& name) {
  const ShowCase* sc = nullptr;
  for (const ShowCase& c : kShowCases)
    if (name == c.name) sc = &c;
  if (!sc) return 2;
  HINSTANCE inst = GetModuleHandleW(nullptr);
  quillo::IndicatorView::Register(inst);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = inst;
  wc.hbrBackground = CreateSolidBrush(kHostColor);
  wc.lpszClassName = L"IndicatorProbeHost";
  RegisterClassExW(&wc);
  HWND host = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"indicator probe",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 200, 150, 400, 300, nullptr,
                              nullptr, inst, nullptr);
  quillo::IndicatorView view;
  view.Create(host, 40, 50, sc->width, sc->height);
  IAeverLiquidIndicator& c = view.Control();
  c.Loaded();
  c.SetColorScheme(sc->scheme);
  c.SetIndicatorKind(sc->kind);
  c.SetSignNumber(sc->cells);
  c.SetIndicatorAngle(sc->angle);
  c.SetTransparentMode(sc->mode);
  c.SetIndicatorstring(sc->text);
  UpdateWindow(host);

  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  RedrawWindow(host, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();

  const std::wstring base = dir + L"\\" + std::wstring(name.begin(), name.end());
  WritePpm(base + L"_canvas.ppm", c.CanvasBitmap());
  WriteMask(base + L"_shape.pgm", c.WindowShapeMask());
  if (c.ClipRGN()) WriteMask(base + L"_clip.pgm", *c.ClipRGN());
  RECT r;
  GetWindowRect(view.Handle(), &r);
  if (FILE* f = _wfopen((base + L"_ready.txt").c_str(), L"w")) {
    std::fprintf(f, "%ld %ld %ld %ld %d %d %d\n", r.left, r.top, r.right, r.bottom,
                 GetRValue(kHostColor), GetGValue(kHostColor), GetBValue(kHostColor));
    std::fclose(f);
  }
  const std::wstring stop = base + L"_stop";
  SetTimer(host, 1, 100, nullptr);
  const ULONGLONG until = GetTickCount64() + 60000;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchMessageW(&msg);
    if (GetFileAttributesW(stop.c_str()) != INVALID_FILE_ATTRIBUTES || GetTickCount64() > until)
      break;
  }
  return 0;
}

// ---- changes ---------------------------------------------------------------------------------

int Changes(const std::wstring& dir) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  quillo::IndicatorView::Register(inst);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = inst;
  wc.hbrBackground = CreateSolidBrush(kHostColor);
  wc.lpszClassName = L"IndicatorProbeChanges";
  RegisterClassExW(&wc);
  HWND host = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"indicator changes",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 200, 150, 400, 300, nullptr,
                              nullptr, inst, nullptr);
  struct Figure {
    int x, y;
    const char* first;
    const char* then;
  };
  constexpr Figure figures[] = {
      {20, 30, "1234567", "1234568"}, {20, 80, "0.999", "1.000"}, {200, 130, "99", "100"}};
  quillo::IndicatorView views[3];
  quillo::IndicatorView* list[3];
  for (int i = 0; i < 3; ++i) {
    views[i].Create(host, figures[i].x, figures[i].y, 137, 19);
    quillo::ApplyIndicatorStyle(views[i].Control());
    views[i].SetDeferredPainting(true);
    views[i].Control().SetIndicatorstring(figures[i].first);
    list[i] = &views[i];
  }
  RedrawWindow(host, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  for (int i = 0; i < 3; ++i) views[i].Control().SetIndicatorstring(figures[i].then);
  quillo::PaintPendingIn(host, list, 3);
  GdiFlush();

  int waiting = 0;
  for (const auto& v : views) waiting += GetUpdateRect(v.Handle(), nullptr, FALSE) ? 1 : 0;
  const std::wstring base = dir + L"\\changes";
  for (int i = 0; i < 3; ++i)
    WritePpm(base + L"_" + std::to_wstring(i) + L"_canvas.ppm", views[i].Control().CanvasBitmap());
  if (FILE* f = _wfopen((base + L"_ready.txt").c_str(), L"w")) {
    for (const auto& v : views) {
      RECT r;
      GetWindowRect(v.Handle(), &r);
      std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    }
    std::fprintf(f, "%d\n", waiting);
    std::fclose(f);
  }
  const std::wstring stop = base + L"_stop";
  SetTimer(host, 1, 100, nullptr);
  const ULONGLONG until = GetTickCount64() + 60000;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchMessageW(&msg);
    if (GetFileAttributesW(stop.c_str()) != INVALID_FILE_ATTRIBUTES || GetTickCount64() > until)
      break;
  }
  return 0;
}

// ---- cursor ----------------------------------------------------------------------------------

int g_hostAsked = 0;

LRESULT CALLBACK CursorHostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETCURSOR) ++g_hostAsked;
  return DefWindowProcW(h, m, w, l);
}

int Cursor(const std::wstring& dir) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  quillo::IndicatorView::Register(inst);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = CursorHostProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
  wc.hbrBackground = CreateSolidBrush(kHostColor);
  wc.lpszClassName = L"IndicatorProbeCursor";
  RegisterClassExW(&wc);
  HWND host = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"indicator cursor",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 200, 150, 400, 300, nullptr,
                              nullptr, inst, nullptr);
  quillo::IndicatorView view;
  view.Create(host, 40, 50, 137, 19);
  quillo::ApplyIndicatorStyle(view.Control());
  view.Control().SetIndicatorstring("4711");
  UpdateWindow(host);
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const std::wstring base = dir + L"\\cursor";
  if (FILE* f = _wfopen((base + L"_ready.txt").c_str(), L"w")) {
    RECT r;
    GetWindowRect(view.Handle(), &r);
    std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    std::fclose(f);
  }
  const std::wstring stop = base + L"_stop";
  SetTimer(host, 1, 100, nullptr);
  const ULONGLONG until = GetTickCount64() + 60000;
  int moves = 0;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    DispatchMessageW(&msg);
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == view.Handle()) {
      ++moves;
      if (FILE* f = _wfopen((base + L"_report.txt").c_str(), L"w")) {
        std::fprintf(f, "%d %d %d\n", moves, GetCursor() == arrow ? 1 : 0, g_hostAsked);
        std::fclose(f);
      }
    }
    if (GetFileAttributesW(stop.c_str()) != INVALID_FILE_ATTRIBUTES || GetTickCount64() > until)
      break;
  }
  return 0;
}

// ---- sizes -----------------------------------------------------------------------------------

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void Report(const char* step, quillo::IndicatorView& view) {
  Pump();
  const IAeverLiquidIndicator& c = view.Control();
  RECT r;
  GetWindowRect(view.Handle(), &r);
  RECT box{};
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(view.Handle(), rgn) != ERROR) GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  const CoverageMask shape = c.WindowShapeMask();
  RECT core{shape.Width(), shape.Height(), 0, 0};
  for (const Rect& run : shape.Runs()) {
    core.left = std::min<LONG>(core.left, run.left);
    core.top = std::min<LONG>(core.top, run.top);
    core.right = std::max<LONG>(core.right, run.right);
    core.bottom = std::max<LONG>(core.bottom, run.bottom);
  }
  std::printf(
      "%s window %ldx%ld picture %dx%d canvas %dx%d region %ld,%ld,%ld,%ld core %ld,%ld,%ld,%ld\n",
      step, r.right - r.left, r.bottom - r.top, c.IndicatorWidth(), c.IndicatorHeight(),
      c.CanvasBitmap().Width(), c.CanvasBitmap().Height(), box.left, box.top, box.right, box.bottom,
      core.left, core.top, core.right, core.bottom);
}

int Sizes() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  quillo::IndicatorView::Register(inst);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = inst;
  wc.lpszClassName = L"IndicatorProbeSizes";
  RegisterClassExW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"sizes", WS_POPUP | WS_VISIBLE, 0, 0, 500, 500,
                              nullptr, nullptr, inst, nullptr);
  quillo::IndicatorView view;
  view.Create(host, 10, 10, 100, 20);
  Report("created", view);
  view.Control().Loaded();
  view.SetBounds(10, 10, 120, 30);
  Report("upright_resized", view);
  view.Control().SetIndicatorAngle(900);
  Report("turned_900", view);
  view.SetBounds(10, 10, 40, 150);
  Report("turned_900_resized", view);
  view.Control().SetIndicatorAngle(450);
  Report("turned_450", view);
  view.SetBounds(10, 10, 200, 50);
  Report("turned_450_resized", view);
  view.Control().SetIndicatorWidth(60);
  Report("turned_450_narrower", view);
  std::fflush(stdout);
  DestroyWindow(host);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wstring(argv[1]) == L"fill") return Fill(argv[2]);
  if (argc >= 4 && std::wstring(argv[1]) == L"show") return Show(argv[2], Narrow(argv[3]));
  if (argc >= 2 && std::wstring(argv[1]) == L"sizes") return Sizes();
  if (argc >= 3 && std::wstring(argv[1]) == L"changes") return Changes(argv[2]);
  if (argc >= 3 && std::wstring(argv[1]) == L"cursor") return Cursor(argv[2]);
  if (argc >= 3 && std::wstring(argv[1]) == L"stretch") return Stretch(argv[2]);
  std::fprintf(stderr,
               "usage: indicator_probe fill <dir> | stretch <dir> | show <dir> <case> | "
               "changes <dir> | cursor <dir> | sizes\n");
  return 2;
}
