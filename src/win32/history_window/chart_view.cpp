// A chart's child window: GDI painting of the core's picture, the pointer's hint, clicks and keys.
#include "win32/history_window/chart_view.h"

#include "win32/win_platform.h"

namespace quillo {
namespace {

COLORREF Colour(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void FillWith(HDC dc, const RECT& r, COLORREF c) {
  SetDCBrushColor(dc, c);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

// Every item in its order, with the DC's own pen and brush in each item's colour.
void PaintChartPicture(HDC dc, const ChartPicture& p, HFONT font) {
  const HGDIOBJ oldFont = SelectObject(dc, font);
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
  SetBkMode(dc, TRANSPARENT);
  for (const ChartItem& i : p.items) {
    const COLORREF c = Colour(i.color);
    const RECT r{i.rect.left, i.rect.top, i.rect.right, i.rect.bottom};
    switch (i.kind) {
      case ChartItemKind::kFill:
        FillWith(dc, r, c);
        break;
      case ChartItemKind::kFrame:
        FillWith(dc, {r.left, r.top, r.right, r.top + i.width}, c);
        FillWith(dc, {r.left, r.bottom - i.width, r.right, r.bottom}, c);
        FillWith(dc, {r.left, r.top, r.left + i.width, r.bottom}, c);
        FillWith(dc, {r.right - i.width, r.top, r.right, r.bottom}, c);
        break;
      case ChartItemKind::kLine:
        SetDCPenColor(dc, c);
        MoveToEx(dc, r.left, r.top, nullptr);
        // LineTo leaves out its last point: one more, so the line ends where it is said to.
        LineTo(dc, r.right + (r.right > r.left), r.bottom + (r.bottom > r.top));
        break;
      case ChartItemKind::kText: {
        SetTextColor(dc, c);
        const UINT align = i.align == TextAlign::kLeft     ? DT_LEFT
                           : i.align == TextAlign::kCenter ? DT_CENTER
                                                           : DT_RIGHT;
        RECT box = r;
        DrawTextW(dc, Widen(i.text).c_str(), -1, &box,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
        break;
      }
      case ChartItemKind::kFocus:
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &r);
        break;
    }
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
}

namespace {

std::optional<ChartKey> KeyOf(WPARAM vk) {
  switch (vk) {
    case VK_LEFT:
      return ChartKey::kLeft;
    case VK_RIGHT:
      return ChartKey::kRight;
    case VK_UP:
      return ChartKey::kUp;
    case VK_DOWN:
      return ChartKey::kDown;
    case VK_HOME:
      return ChartKey::kHome;
    case VK_END:
      return ChartKey::kEnd;
    case VK_PRIOR:
      return ChartKey::kPageUp;
    case VK_NEXT:
      return ChartKey::kPageDown;
    default:
      return std::nullopt;
  }
}

void RegisterClassOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kChartViewClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kChartViewClass;
  RegisterClassExW(&wc);
}

}  // namespace

ChartView::ChartView(HINSTANCE instance, HWND parent, int id, HistoryPane pane, Owner& owner,
                     HintWindow& hint)
    : pane_(pane), owner_(owner), hint_(hint) {
  RegisterClassOnce(instance, WndProc);
  CreateWindowExW(0, kChartViewClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 1, 1, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

ChartView::~ChartView() {
  if (hwnd_) DestroyWindow(hwnd_);
}

const ChartPicture& ChartView::Picture() {
  if (stale_) {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    picture_ = owner_.DrawChart(pane_, rc.right, rc.bottom, GetFocus() == hwnd_);
    stale_ = false;
  }
  return picture_;
}

void ChartView::Changed() {
  stale_ = true;
  InvalidateRect(hwnd_, nullptr, FALSE);
  SetWindowTextW(hwnd_, Widen(owner_.DescribeChart(pane_, owner_.ChartSelection(pane_))).c_str());
  if (hintOf_ == HintOf::kPointer) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    PointerAt(p.x, p.y, true);
  } else if (hintOf_ == HintOf::kSelection) {
    ShowSelectionHint();
  }
}

void ChartView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const ChartPicture& p = Picture();
  // Painted whole in memory, then copied at once.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1, p.width), std::max(1, p.height));
  if (memory && bitmap) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    PaintChartPicture(memory, p, owner_.ChartFontHandle());
    BitBlt(dc, 0, 0, p.width, p.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  } else {
    PaintChartPicture(dc, p, owner_.ChartFontHandle());  // short of memory: drawn straight on
  }
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  EndPaint(hwnd_, &ps);
}

ChartPicture ChartView::PictureToSave() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  return owner_.DrawChart(pane_, rc.right, rc.bottom, false);
}

void ChartView::HideHint() {
  if (hintOf_ != HintOf::kNothing) hint_.Hide();
  hintOf_ = HintOf::kNothing;
}

void ChartView::PointerAt(int x, int y, bool again) {
  const std::optional<int32_t> at = HitTest(Picture(), x, y);
  if (!again && at == pointed_ && hintOf_ == HintOf::kPointer) return;
  pointed_ = at;
  if (!at) {
    if (hintOf_ == HintOf::kPointer) HideHint();
    return;
  }
  POINT p;
  GetCursorPos(&p);
  hint_.ShowText(Widen(owner_.DescribeChart(pane_, *at)), p, GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
  hintOf_ = HintOf::kPointer;
}

void ChartView::ShowSelectionHint() {
  const int32_t selected = owner_.ChartSelection(pane_);
  const std::optional<ChartRect> r = TargetRect(Picture(), selected);
  if (!r) {
    HideHint();
    return;
  }
  // Under the day or bar, in the middle.
  POINT p{(r->left + r->right) / 2, r->bottom};
  ClientToScreen(hwnd_, &p);
  hint_.ShowText(Widen(owner_.DescribeChart(pane_, selected)), p, 2);
  hintOf_ = HintOf::kSelection;
}

LRESULT CALLBACK ChartView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  ChartView* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<ChartView*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<ChartView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception&) {
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT ChartView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers every pixel
    case WM_SIZE:
      stale_ = true;
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (msg == WM_KILLFOCUS && hintOf_ == HintOf::kSelection) HideHint();
      stale_ = true;
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
      }
      PointerAt(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)), false);
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      pointed_.reset();
      if (hintOf_ == HintOf::kPointer) HideHint();
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd_);
      const auto at =
          HitTest(Picture(), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
      if (at) owner_.ChartClicked(pane_, *at);
      return 0;
    }
    case WM_KEYDOWN:
      if (const auto key = KeyOf(wp)) {
        owner_.ChartKeyPressed(pane_, *key);
        return 0;
      }
      break;
    case WM_NCDESTROY: {
      HWND gone = hwnd_;
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
