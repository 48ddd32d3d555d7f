// The main window's panel on the screen: built for the window's DPI, its frame, transparency and
// top-most band, painting, the modal loops of dragging and of the pop-up menu, and hiding to the
// notification area and coming back.
#include "core/panel/tray_hint.h"
#include "win32/main_window.h"
#include "win32/popup_menu.h"

namespace quillo {
namespace {

COLORREF ToColorRef(uint32_t c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

}  // namespace

PanelLayout MainWindow::CurrentLayout() const {
  const Settings& s = logic_->settings();
  PanelSettings ps;
  ps.orientation = s.orientation;
  ps.digits = s.digits;
  ps.dispitems = s.dispitems;
  ps.distmode = s.distmode;
  ps.Transparent = s.Transparent;
  return BuildPanel(ps, texts_, counting_, Dpi());
}

int MainWindow::Dpi() const {
  const UINT dpi = hwnd_ ? GetDpiForWindow(hwnd_) : 0;
  return dpi ? static_cast<int>(dpi) : 96;
}

void MainWindow::FormShow() {
  app_.Show();
  SetItems();
  SetStayOnTop(logic_->settings().ontop);
  logic_->tmrDistanceTimer();
}

void MainWindow::FormHide() {
  panel_->Free();
  app_.Hide();
}

void MainWindow::SetItems() {
  panel_->Build(CurrentLayout(), texts_.language);
  panel_->SetButtonEnabled(ControlId::btnSetup, kAvailable.setup);
  ApplyFrame(panel_->layout().frame);
  ApplyAlpha(panel_->layout().alpha);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::RebuildPanel() {
  if (!panel_->built()) return;
  SetItems();
  logic_->tmrDistanceTimer();
}

void MainWindow::ApplyFrame(const PanelFrame& frame) {
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.window.width, frame.window.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowRgn(
      hwnd_,
      CreateRectRgn(frame.region.left, frame.region.top, frame.region.right, frame.region.bottom),
      TRUE);
}

void MainWindow::ApplyAlpha(const std::optional<AlphaBlend>& alpha) {
  if (!alpha) return;  // an unknown level leaves the window as it is
  const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (alpha->enabled) {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, alpha->alpha, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void MainWindow::SetStayOnTop(bool onTop) {
  RECT r;
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top, r.right - r.left,
               r.bottom - r.top, SWP_NOACTIVATE);
}

void MainWindow::OnTrayMessage(LPARAM lp) {
  switch (tray_->OnCallback(lp)) {
    case TrayAction::kToggle:
      if (IsWindowVisible(hwnd_))
        HidePanel(false);  // hiding by the icon does not save
      else
        ShowPanel();
      return;
    case TrayAction::kMenu: {
      POINT p;
      GetCursorPos(&p);
      ShowPopupMenu(p);
      return;
    }
    case TrayAction::kHint:
      UpdateTrayHint();
      return;
    case TrayAction::kNone:
      return;
  }
}

void MainWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!panelBrush_) panelBrush_ = CreateSolidBrush(ToColorRef(logic_->settings().background));
  panel_->Paint(dc, client, panelBrush_);
  EndPaint(hwnd_, &ps);
}

template <typename Loop>
void MainWindow::InNestedLoop(Loop&& loop) {
  ++nestedLoops_;
  loop();
  --nestedLoops_;
  if (nestedLoops_ > 0) return;
  // Posted, not run: the control whose press started the loop is still on the call stack.
  if (hidePending_) {
    // Hidden, the panel is freed; it is built for the DPI of the moment when shown again.
    hidePending_ = rebuildPending_ = false;
    PostMessageW(hwnd_, kHidePanelNow, 0, 0);
  } else if (rebuildPending_) {
    rebuildPending_ = false;
    PostMessageW(hwnd_, kRebuildPanel, 0, 0);
  }
}

void MainWindow::BeginDrag(UINT upMessage) {
  InNestedLoop([this, upMessage] {
    dragEndsOn_ = upMessage;
    ReleaseCapture();
    SendMessageW(hwnd_, WM_SYSCOMMAND, kDragCommand, 0);
    dragEndsOn_ = 0;
  });
}

void MainWindow::ShowPopupMenu(POINT at) {
  InNestedLoop(
      [this, at] { TrackPopupMenu1(hwnd_, at, PopupMenu1(texts_, debugMenu_, kAvailable)); });
}

bool MainWindow::HidePanel(bool deferUntilIconIsThere) {
  if (!tray_->presence().RequestHide(deferUntilIconIsThere)) return false;
  if (nestedLoops_ > 0) {
    // Hiding frees the panel's controls, and one of them may have the loop on its call stack
    // (the start-up hide and the icon's retry come from timers, which fire inside it).
    hidePending_ = true;
    return true;
  }
  ShowWindow(hwnd_, SW_HIDE);  // FormHide takes the taskbar button away too
  return true;
}

void MainWindow::ShowPanel() {
  hidePending_ = false;
  tray_->presence().CancelDeferredHide();
  app_.Show();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void MainWindow::ComeForward() {
  if (!IsWindowVisible(hwnd_)) ShowPanel();
  app_.BringPanelForward();  // or the dialog in front of it
}

void MainWindow::AfterTrayAttempt() {
  if (tray_->presence().TakeDeferredHide()) {
    HidePanel(false);
  } else if (!tray_->presence().Added() && !IsWindowVisible(hwnd_)) {
    ShowPanel();  // no icon to bring it back: the window must stay reachable
  }
}

void MainWindow::HidePanel1Click() {
  if (IsWindowVisible(hwnd_)) {
    HidePanel(false);
    logic_->WriteValues();
  } else {
    ShowPanel();
  }
}

void MainWindow::UpdateTrayHint() {
  const ActivityCounters& c = logic_->counters();
  tray_->SetHint(Widen(TrayHint(c.totalDistance, logic_->settings().distmode,
                                c.Total(Counter::kKeystrokes), c.Total(Counter::kLeft), texts_)));
}

void MainWindow::SetPanelColor(uint32_t color) {
  if (panelBrush_) DeleteObject(panelBrush_);
  panelBrush_ = CreateSolidBrush(ToColorRef(color));
  InvalidateRect(hwnd_, nullptr, FALSE);
}

}  // namespace quillo
