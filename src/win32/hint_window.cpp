// A hint shown under the pointer after it rests on a control for a moment.
#include "win32/hint_window.h"

namespace quillo {
namespace {
constexpr wchar_t kHintClass[] = L"QuillomatHint";
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
constexpr UINT kShowAfterMs = 500;
constexpr UINT kHideAfterMs = 5000;
constexpr int kPadding = 3;
}  // namespace

HintWindow::HintWindow(HINSTANCE instance, HWND owner) : instance_(instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kHintClass;
  RegisterClassExW(&wc);
  hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kHintClass, L"",
                          WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner, nullptr, instance, this);
}

HintWindow::~HintWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void HintWindow::Remove(HWND control) {
  hints_.erase(control);
  if (lastMoved_ == control) lastMoved_ = nullptr;
  if (over_ == control) {
    Hide();
    over_ = nullptr;
  }
}

void HintWindow::Relay(const MSG& msg) {
  if (!hwnd_) return;
  switch (msg.message) {
    case WM_MOUSEMOVE: {
      // Only a move onto another window matters: this runs for every move over the panel.
      if (msg.hwnd == lastMoved_) return;
      lastMoved_ = msg.hwnd;
      Hide();
      over_ = nullptr;
      if (hints_.count(msg.hwnd) == 0) return;
      over_ = msg.hwnd;
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, over_, 0};
      TrackMouseEvent(&tme);
      SetTimer(hwnd_, kShowTimer, kShowAfterMs, nullptr);
      waiting_ = true;
      return;
    }
    case WM_MOUSELEAVE:
      if (msg.hwnd == over_) {
        Hide();
        over_ = nullptr;
        lastMoved_ = nullptr;
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_KEYDOWN:
      Hide();
      return;
    default:
      return;
  }
}

void HintWindow::Show() {
  KillTimer(hwnd_, kShowTimer);
  waiting_ = false;
  const auto it = hints_.find(over_);
  if (it == hints_.end() || it->second.empty() || !IsWindowVisible(over_)) return;
  POINT p;
  GetCursorPos(&p);
  Place(it->second, p, GetSystemMetrics(SM_CYCURSOR) * 2 / 3);
  SetTimer(hwnd_, kHideTimer, kHideAfterMs, nullptr);
}

void HintWindow::ShowText(const std::wstring& text, POINT at, int below) {
  if (!hwnd_) return;
  if (waiting_) KillTimer(hwnd_, kShowTimer);
  waiting_ = false;
  KillTimer(hwnd_, kHideTimer);
  Place(text, at, below);
}

void HintWindow::Place(const std::wstring& text, POINT p, int below) {
  SetWindowTextW(hwnd_, text.c_str());
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int border = GetSystemMetrics(SM_CXBORDER);
  const int w = extent.right + 2 * (kPadding + border),
            h = extent.bottom + 2 * (kPadding / 2 + border);
  int x = p.x, y = p.y + below;
  // Kept on the point's monitor.
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi)) {
    if (x + w > mi.rcWork.right) x = mi.rcWork.right - w;
    if (y + h > mi.rcWork.bottom) y = p.y - h - 2;
    if (x < mi.rcWork.left) x = mi.rcWork.left;
  }
  SetWindowPos(hwnd_, HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(hwnd_, nullptr, TRUE);
  shown_ = true;
}

void HintWindow::Hide() {
  if (waiting_) KillTimer(hwnd_, kShowTimer);
  waiting_ = false;
  if (!shown_) return;
  KillTimer(hwnd_, kHideTimer);
  ShowWindow(hwnd_, SW_HIDE);
  shown_ = false;
}

void HintWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
  wchar_t text[256] = {};
  GetWindowTextW(hwnd_, text, 256);
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK HintWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  HintWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<HintWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<HintWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self) {
    switch (msg) {
      case WM_TIMER:
        if (wp == kShowTimer)
          self->Show();
        else
          self->Hide();
        return 0;
      case WM_PAINT:
        self->Paint();
        return 0;
      case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
      case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        break;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace quillo
