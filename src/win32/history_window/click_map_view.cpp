// The click map's child window: the core's pixels and texts composed in a DIB section, the
// pointer's hint, the picture for saving.
#include "win32/history_window/click_map_view.h"

#include <algorithm>
#include <cstring>

#include "core/util/utf.h"
#include "win32/dib.h"

namespace quillo {
namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string s = Utf8ToUtf16(utf8);
  return std::wstring(s.begin(), s.end());
}

void RegisterClassOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kClickMapViewClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClickMapViewClass;
  RegisterClassExW(&wc);
}

bool SameCells(const ClickSpot& a, const ClickSpot& b) {
  return a.monitor == b.monitor && a.firstColumn == b.firstColumn && a.lastColumn == b.lastColumn &&
         a.firstRow == b.firstRow && a.lastRow == b.lastRow;
}

}  // namespace

ClickMapView::ClickMapView(HINSTANCE instance, HWND parent, int id, HintWindow& hint)
    : hint_(hint) {
  RegisterClassOnce(instance, WndProc);
  CreateWindowExW(0, kClickMapViewClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 1, 1, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

ClickMapView::~ClickMapView() {
  if (hwnd_) DestroyWindow(hwnd_);
  FreeBitmap();
}

void ClickMapView::FreeBitmap() {
  if (memory_) {
    SelectObject(memory_, oldBitmap_);
    DeleteDC(memory_);  // before the bitmap it held
  }
  if (bitmap_) DeleteObject(bitmap_);
  memory_ = nullptr;
  bitmap_ = nullptr;
  bits_ = nullptr;
}

void ClickMapView::Show(const HistoryData& history, DaySpan span, ClickButtons buttons) {
  map_ = SumClicks(history, span, buttons);
  Changed();
}

void ClickMapView::SetLook(HFONT font, int language, const NumberStyle& style) {
  font_ = font;
  language_ = language;
  style_ = style;
  Changed();
}

void ClickMapView::Changed() {
  stale_ = true;
  pointed_.reset();
  if (!hwnd_) return;
  SetWindowTextW(hwnd_, Wide(ClickMapTotals(map_, language_, style_)).c_str());
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (!hintText_.empty()) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    PointerAt(p.x, p.y);  // its count may have changed
  }
}

void ClickMapView::Compose() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  const int width = std::max<int>(1, rc.right), height = std::max<int>(1, rc.bottom);
  if (!stale_ && bits_ && picture_.width == width && picture_.height == height) return;
  FreeBitmap();
  HDC screen = GetDC(hwnd_);
  memory_ = CreateCompatibleDC(screen);
  ReleaseDC(hwnd_, screen);
  if (!memory_) return;
  const BITMAPINFO bi = TopDownBitmapInfo(width, height);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(memory_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) {
    FreeBitmap();
    return;
  }
  bits_ = static_cast<uint32_t*>(bits);
  oldBitmap_ = SelectObject(memory_, bitmap_);
  const HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const HGDIOBJ oldFont = SelectObject(memory_, font);

  ClickMapLook look;
  TEXTMETRICW tm{};
  GetTextMetricsW(memory_, &tm);
  look.font.height = tm.tmHeight;
  look.font.width = [dc = memory_](std::string_view text) {
    const std::wstring w = Wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<int>(size.cx);
  };
  look.dpi = static_cast<int>(GetDpiForWindow(hwnd_));
  look.language = language_;
  look.style = style_;
  picture_ = DrawClickMap(map_, width, height, look);
  stale_ = false;

  GdiFlush();
  std::memcpy(bits_, picture_.pixels.data(), picture_.pixels.size() * sizeof(uint32_t));
  SetBkMode(memory_, TRANSPARENT);
  for (const ChartItem& t : picture_.texts) {
    SetTextColor(memory_, RGB((t.color >> 16) & 0xFF, (t.color >> 8) & 0xFF, t.color & 0xFF));
    RECT box{t.rect.left, t.rect.top, t.rect.right, t.rect.bottom};
    const UINT align = t.align == TextAlign::kLeft     ? DT_LEFT
                       : t.align == TextAlign::kCenter ? DT_CENTER
                                                       : DT_RIGHT;
    DrawTextW(memory_, Wide(t.text).c_str(), -1, &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | align);
  }
  SelectObject(memory_, oldFont);
  GdiFlush();
}

void ClickMapView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  Compose();
  if (memory_)
    BitBlt(dc, 0, 0, picture_.width, picture_.height, memory_, 0, 0, SRCCOPY);
  else
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));  // no memory
  EndPaint(hwnd_, &ps);
}

ArgbPicture ClickMapView::Snapshot() {
  ArgbPicture out;
  Compose();
  if (!bits_) return out;
  out.width = picture_.width;
  out.height = picture_.height;
  out.pixels.assign(bits_, bits_ + static_cast<size_t>(out.width) * out.height);
  for (uint32_t& p : out.pixels) p |= 0xFF000000u;  // GDI's text leaves alpha as it likes
  return out;
}

void ClickMapView::HideHint() {
  if (!hintText_.empty()) hint_.Hide();
  hintText_.clear();
  pointed_.reset();
}

void ClickMapView::PointerAt(int x, int y) {
  Compose();
  const std::optional<ClickSpot> spot = SpotAt(map_, picture_, x, y);
  if (!spot) {
    HideHint();
    return;
  }
  if (pointed_ && SameCells(*pointed_, *spot) && !hintText_.empty()) return;
  pointed_ = spot;
  hintText_ = Wide(DescribeSpot(map_, *spot, language_, style_));
  POINT p;
  GetCursorPos(&p);
  hint_.ShowText(hintText_, p, GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
}

LRESULT CALLBACK ClickMapView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  ClickMapView* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<ClickMapView*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<ClickMapView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception&) {
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT ClickMapView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers every pixel
    case WM_SIZE:
    case WM_DPICHANGED_AFTERPARENT:
      stale_ = true;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
      }
      PointerAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      HideHint();
      return 0;
    case WM_NCDESTROY: {
      HWND gone = hwnd_;
      HideHint();
      SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcW(gone, msg, wp, lp);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace quillo
