// Win32 host of the segment indicator: paints the cached picture, applies the window shape,
// queues rebuild requests to itself and reports the pointer entering and leaving.
#include "win32/indicator_view.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "win32/dib.h"

namespace quillo {
namespace {

using indicator::Quad;

HINSTANCE ModuleInstance() {
  return GetModuleHandleW(nullptr);
}

}  // namespace

IndicatorView::ScopedRgn IndicatorView::QuadRegion(const Quad& q) {
  POINT pts[4];
  for (int i = 0; i < 4; ++i) pts[i] = {q[i].x, q[i].y};
  return ScopedRgn(CreatePolygonRgn(pts, 4, ALTERNATE));
}

bool IndicatorView::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &IndicatorView::WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kIndicatorWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

IndicatorView::IndicatorView() : control_(this) {}

IndicatorView::~IndicatorView() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

HWND IndicatorView::Create(HWND parent, int x, int y, int width, int height) {
  const DWORD style = (parent ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP) | WS_VISIBLE;
  origin_ = {x, y};
  CreateWindowExW(0, kIndicatorWindowClass, L"", style, x, y, width, height, parent, nullptr,
                  ModuleInstance(), this);
  return hwnd_;
}

void IndicatorView::SetBounds(int x, int y, int width, int height) {
  origin_ = {x, y};
  if (hwnd_) MoveWindow(hwnd_, x, y, width, height, TRUE);
}

void IndicatorView::PaintPending(HDC parentDc) {
  if (!HasPendingPaint()) return;
  const indicator::Rect r = pending_;
  pending_ = {};
  const indicator::Bitmap& picture = control_.CanvasBitmap();
  if (!hwnd_ || picture.Empty()) return;
  if (!parentDc) {
    const RECT area{r.left, r.top, r.right, r.bottom};
    InvalidateRect(hwnd_, &area, FALSE);
    return;
  }
  // The whole picture, clipped to the cells: the clip decides which pixels are copied.
  IntersectClipRect(parentDc, origin_.x + r.left, origin_.y + r.top, origin_.x + r.right,
                    origin_.y + r.bottom);
  BITMAPINFO bi = TopDownBitmapInfo(picture.Width(), picture.Height());
  StretchDIBits(parentDc, origin_.x, origin_.y, picture.Width(), picture.Height(), 0, 0,
                picture.Width(), picture.Height(), picture.Data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  SelectClipRgn(parentDc, nullptr);
}

LRESULT CALLBACK IndicatorView::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<IndicatorView*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<IndicatorView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT IndicatorView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      control_.SizeChanged(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_ERASEBKGND:
      // The picture covers the whole window; only a see-through control shows its parent.
      if (!opaque_) PaintParentBackground(reinterpret_cast<HDC>(wp));
      return 1;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR:
      // The class cursor, set once: the default handling would ask the parent first, which sets
      // it too, and under Wine every setting is a round trip to the server, at every move.
      if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd_) {
        SetCursor(reinterpret_cast<HCURSOR>(GetClassLongPtrW(hwnd_, GCLP_HCURSOR)));
        return TRUE;
      }
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_MOUSEMOVE:
      // Tracking the pointer costs the system a poll while it rests on the control; the panel's
      // indicators look the same under it and nobody listens, so they do without.
      if (!tracking_ && control_.WantsPointerTracking()) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
        control_.MouseEnter();
      }
      return 0;
    case WM_MOUSELEAVE:
      tracking_ = false;
      control_.MouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (onMouseDown_) onMouseDown_(*this, msg, wp, lp);
      return 0;
    case WM_XBUTTONDOWN:
      if (onMouseDown_) onMouseDown_(*this, msg, wp, lp);
      return TRUE;  // the extra buttons' messages want TRUE when handled
    case kRebuildRequest: {
      const LRESULT r = DefWindowProcW(hwnd_, msg, wp, lp);
      control_.HandleRebuildRequest();
      return r;
    }
    case WM_NCDESTROY: {
      HWND hwnd = hwnd_;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      tracking_ = false;
      return DefWindowProcW(hwnd, msg, wp, lp);
    }
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void IndicatorView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (control_.TransparentMode() != indicator::tmNone) SelectClipRgn(dc, ClipRegion());
  const indicator::Bitmap& picture = control_.CanvasBitmap();
  if (!picture.Empty()) {
    BITMAPINFO bi = TopDownBitmapInfo(picture.Width(), picture.Height());
    StretchDIBits(dc, 0, 0, picture.Width(), picture.Height(), 0, 0, picture.Width(),
                  picture.Height(), picture.Data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

void IndicatorView::PaintParentBackground(HDC dc) {
  HWND parent = GetParent(hwnd_);
  if (!parent || !HasParent()) return;
  POINT origin{0, 0};
  MapWindowPoints(hwnd_, parent, &origin, 1);
  POINT old;
  OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

HRGN IndicatorView::ClipRegion() {
  if (clip_ && clipBuild_ == control_.RebuildCount()) return clip_.get();
  clip_.reset();
  clipBuild_ = control_.RebuildCount();
  const indicator::CoverageMask* mask = control_.ClipRGN();
  const std::vector<indicator::Rect> runs = mask ? mask->Runs() : std::vector<indicator::Rect>{};
  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  rd->rdh.dwSize = sizeof(RGNDATAHEADER);
  rd->rdh.iType = RDH_RECTANGLES;
  rd->rdh.nCount = DWORD(runs.size());
  rd->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
  rd->rdh.rcBound = {0, 0, control_.Width(), control_.Height()};
  auto* rects = reinterpret_cast<RECT*>(rd->Buffer);
  for (std::size_t i = 0; i < runs.size(); ++i)
    rects[i] = {runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
  clip_.reset(ExtCreateRegion(nullptr, DWORD(data.size()), rd));
  if (!clip_) clip_.reset(CreateRectRgn(0, 0, 0, 0));
  return clip_.get();
}

void PaintPendingIn(HWND parent, IndicatorView* const* views, std::size_t count) {
  bool any = false;
  for (std::size_t i = 0; i < count && !any; ++i) any = views[i] && views[i]->HasPendingPaint();
  if (!any) return;
  // Hidden, nothing is drawn: shown again, the parent and its children are painted whole.
  if (!IsWindowVisible(parent)) {
    for (std::size_t i = 0; i < count; ++i)
      if (views[i]) views[i]->DropPendingPaint();
    return;
  }
  // Without DCX_CLIPCHILDREN (and without DCX_USESTYLE, which would add it from the parent's
  // WS_CLIPCHILDREN): the indicators are children of the parent, drawn from its DC.
  HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  for (std::size_t i = 0; i < count; ++i)
    if (views[i]) views[i]->PaintPending(dc);
  if (dc) ReleaseDC(parent, dc);
}

// ---- IndicatorHost ---------------------------------------------------------------------------

void IndicatorView::PostRebuildRequest() {
  if (hwnd_) PostMessageW(hwnd_, kRebuildRequest, 0, 0);
}

void IndicatorView::InvalidateControl() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, opaque_ ? FALSE : TRUE);
}

void IndicatorView::InvalidateArea(const indicator::Rect& area) {
  if (!hwnd_) return;
  // Only an opaque picture in an upright rectangle can be drawn from the parent as it stands.
  if (deferred_ && opaque_ && control_.IndicatorAngle() == 0) {
    pending_ = !HasPendingPaint() ? area
                                  : indicator::Rect{std::min(pending_.left, area.left),
                                                    std::min(pending_.top, area.top),
                                                    std::max(pending_.right, area.right),
                                                    std::max(pending_.bottom, area.bottom)};
    return;
  }
  const RECT r{area.left, area.top, area.right, area.bottom};
  InvalidateRect(hwnd_, &r, opaque_ ? FALSE : TRUE);
}

void IndicatorView::UpdateControl() {
  if (hwnd_) UpdateWindow(hwnd_);
}

bool IndicatorView::HasParent() const {
  return hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) && GetParent(hwnd_);
}

void IndicatorView::ApplyWindowShape(const Quad& shape) {
  if (!hwnd_) return;
  ScopedRgn region = QuadRegion(shape);
  if (region && SetWindowRgn(hwnd_, region.get(), TRUE)) region.release();  // the system owns it
}

void IndicatorView::SetOpaque(bool opaque) {
  opaque_ = opaque;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void IndicatorView::ResizeWindow(int width, int height, bool repaint) {
  if (!hwnd_) {
    if (width != control_.Width() || height != control_.Height())
      control_.SizeChanged(width, height);
    return;
  }
  RECT r;
  GetWindowRect(hwnd_, &r);
  if (r.right - r.left == width && r.bottom - r.top == height) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void IndicatorView::InvalidateParentArea(const Quad& area) {
  HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
  if (!parent || !HasParent()) return;
  ScopedRgn region = QuadRegion(area);
  if (!region) return;
  POINT origin{0, 0};
  MapWindowPoints(hwnd_, parent, &origin, 1);
  OffsetRgn(region.get(), origin.x, origin.y);
  InvalidateRgn(parent, region.get(), TRUE);
}

void IndicatorView::RepaintParent() {
  HWND parent = hwnd_ ? GetParent(hwnd_) : nullptr;
  if (parent && HasParent())
    RedrawWindow(parent, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

indicator::Color IndicatorView::ResolveSystemColor(int index) const {
  return indicator::Color(GetSysColor(index) & 0xFFFFFF);
}

}  // namespace quillo
