// Window messages of the main window, mapped onto MainLogic.
#include "win32/main_window.h"

#include <commctrl.h>

#include "core/store/settings_store.h"

namespace quillo {
namespace {

// The one counter record of the process, reached by the hook procedures.
ActivityCounters g_activity;

enum TimerId : UINT_PTR {
  kTmrDistance = 1,
  kTmrCheck = 2,
  kTmrWriteValues = 3,
  kTmrSubmit = 4,
  kTmrHide = 5,
};

constexpr UINT kTrayMessage = WM_APP + 10;
constexpr UINT kStartupErrors = WM_APP + 11;
constexpr UINT kTrayId = 1;

enum MenuId : UINT {
  kMenuShowHide = 100,
  kMenuReset = 101,
  kMenuExit = 102,
  kMenuDebug1 = 110,
  kMenuDebug2 = 111,
};

// Window region of the borderless frame, in window coordinates.
constexpr RECT kFrameRegion{1, 1, 154, 275};

COLORREF ToColorRef(uint32_t c) { return static_cast<COLORREF>(c & 0xFFFFFF); }

// Relabels the Yes and No buttons of the next message box shown on this thread.
struct ButtonCaptions {
  std::wstring yes, no;
};
thread_local ButtonCaptions* g_captions = nullptr;
thread_local HHOOK g_cbtHook = nullptr;

LRESULT CALLBACK RelabelProc(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HCBT_ACTIVATE && g_captions) {
    HWND box = reinterpret_cast<HWND>(wp);
    SetDlgItemTextW(box, IDYES, g_captions->yes.c_str());
    SetDlgItemTextW(box, IDNO, g_captions->no.c_str());
    g_captions = nullptr;
  }
  return CallNextHookEx(g_cbtHook, code, wp, lp);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, bool haveCommandLineParameters)
    : instance_(instance),
      haveParams_(haveCommandLineParameters),
      store_(Widen(kSettingsKeyPath)) {}

MainWindow::~MainWindow() {
  if (font_) DeleteObject(font_);
  if (panelBrush_) DeleteObject(panelBrush_);
  if (iconOn_) DestroyIcon(iconOn_);
  if (iconOff_) DestroyIcon(iconOff_);
  if (appWindow_) DestroyWindow(appWindow_);
  // The mutex handle stays open until the process ends, as every instance's does.
}

bool MainWindow::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance_;
  wc.lpszClassName = kAppWindowClass;
  RegisterClassExW(&wc);
  // The hidden application window owns the main window, so the panel gets no taskbar button.
  appWindow_ = CreateWindowExW(0, kAppWindowClass, Widen(kApplicationTitle).c_str(),
                               WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);

  wc.lpfnWndProc = WndProc;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kMainWindowClass;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  if (!RegisterClassExW(&wc)) return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  hwnd_ = CreateWindowExW(WS_EX_LAYERED, kMainWindowClass, L"Quillomat", WS_POPUP, 50, 50, 156,
                          277, appWindow_, nullptr, instance_, this);
  if (!hwnd_) return false;
  SetLayeredWindowAttributes(hwnd_, 0, 255, LWA_ALPHA);
  RestoreWindowPlacement(hwnd_);
  ShowWindow(hwnd_, SW_SHOW);
  FormShow();
  SetTimer(hwnd_, kTmrHide, 50, nullptr);
  if (!logic_->startupErrors().empty()) PostMessageW(hwnd_, kStartupErrors, 0, 0);
  return true;
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  MainWindow* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception& e) {
    self->ShowError(e.what());
    return 0;
  }
}

void MainWindow::FormCreate() {
  // The icon-title font of the system, as the panel's captions use it.
  LOGFONTW lf{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) {
    lf.lfWeight = lf.lfWeight >= FW_BOLD ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = lf.lfItalic == 1;
    lf.lfUnderline = lf.lfUnderline == 1;
    lf.lfStrikeOut = lf.lfStrikeOut == 1;
    font_ = CreateFontIndirectW(&lf);
  }
  // Never tested: several instances may run side by side.
  mutex_ = CreateMutexW(nullptr, FALSE, L"Quillomat");

  input_ = std::make_unique<InputThread>(g_activity);
  input_->Start();
  logic_ = std::make_unique<MainLogic>(g_activity, Platform{clock_, system_, *input_, store_, *this},
                                       haveParams_);
  iconOn_ = MakeStateIcon(true);
  iconOff_ = MakeStateIcon(false);
  AddTrayIcon();
  SetTimer(hwnd_, kTmrCheck, 5000, nullptr);
  SetTimer(hwnd_, kTmrWriteValues, 60000, nullptr);

  HRGN region = CreateRectRgn(kFrameRegion.left, kFrameRegion.top, kFrameRegion.right,
                              kFrameRegion.bottom);
  SetWindowRgn(hwnd_, region, TRUE);  // the window owns the region from here on

  logic_->FormCreate();
}

void MainWindow::FormShow() {
  if (logic_) logic_->tmrDistanceTimer();
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_TIMER:
      switch (wp) {
        case kTmrDistance:
          logic_->tmrDistanceTimer();
          return 0;
        case kTmrCheck:
          logic_->tmrCheckTimer();
          return 0;
        case kTmrWriteValues:
          logic_->tmrWriteValuesTimer();
          return 0;
        case kTmrHide:
          KillTimer(hwnd_, kTmrHide);
          if (logic_->settings().hideonstartup) HideToTray();
          return 0;
        default:
          return 0;
      }
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST: {
      const LRESULT hit = DefWindowProcW(hwnd_, msg, wp, lp);
      return hit;
    }
    case WM_LBUTTONDOWN:
      // Dragging from anywhere on the panel.
      ReleaseCapture();
      SendMessageW(hwnd_, WM_SYSCOMMAND, 61458, 0);
      return 0;
    case WM_RBUTTONUP: {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ClientToScreen(hwnd_, &p);
      ShowPopupMenu(p);
      return 0;
    }
    case kTrayMessage:
      switch (LOWORD(lp)) {
        case WM_LBUTTONUP:
          if (IsWindowVisible(hwnd_))
            HideToTray();
          else
            ShowPanel();
          return 0;
        case WM_RBUTTONUP: {
          POINT p;
          GetCursorPos(&p);
          ShowPopupMenu(p);
          return 0;
        }
        default:
          return 0;
      }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kMenuShowHide:
          if (IsWindowVisible(hwnd_)) {
            logic_->WriteValues();
            HideToTray();
          } else {
            ShowPanel();
          }
          return 0;
        case kMenuReset:
          logic_->ResetCounter1Click();
          return 0;
        case kMenuExit:
          logic_->Exit1Click();
          PostMessageW(hwnd_, WM_CLOSE, 0, 0);
          return 0;
        case kMenuDebug1:
          logic_->mnudebug1Click();
          return 0;
        case kMenuDebug2:
          logic_->mnudebug2Click();
          return 0;
        default:
          return 0;
      }
    case kStartupErrors: {
      std::string text = "Some stored values could not be read:\n\n";
      for (const auto& e : logic_->startupErrors()) text += e + "\n";
      ShowError(text);
      return 0;
    }
    case WM_CLOSE:
      if (logic_->FormCloseQuery()) {
        SaveWindowPlacement(hwnd_);
        placementSaved_ = true;
        DestroyWindow(hwnd_);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // never stand in the way of logging off or shutting down
    case WM_ENDSESSION:
      if (wp) {
        logic_->EndSession();
        if (!placementSaved_) SaveWindowPlacement(hwnd_);
        placementSaved_ = true;
      }
      return 0;
    case WM_DESTROY:
      if (!placementSaved_) SaveWindowPlacement(hwnd_);
      logic_->FormDestroy();
      KillTimer(hwnd_, kTmrCheck);
      KillTimer(hwnd_, kTmrWriteValues);
      KillTimer(hwnd_, kTmrSubmit);
      if (trayAdded_) {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof nid;
        nid.hWnd = hwnd_;
        nid.uID = kTrayId;
        Shell_NotifyIconW(NIM_DELETE, &nid);
      }
      PostQuitMessage(0);
      return 0;
    default:
      if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        trayAdded_ = false;
        AddTrayIcon();
        return 0;
      }
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void MainWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT r;
  GetClientRect(hwnd_, &r);
  if (!panelBrush_) panelBrush_ = CreateSolidBrush(ToColorRef(logic_->settings().background));
  FillRect(dc, &r, panelBrush_);
  // Panel1's raised bevel, inside the window region.
  RECT bevel{kFrameRegion.left, kFrameRegion.top, kFrameRegion.right, kFrameRegion.bottom};
  DrawEdge(dc, &bevel, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT);
  EndPaint(hwnd_, &ps);
}

void MainWindow::SetSamplerTimer(bool enabled) {
  if (enabled)
    SetTimer(hwnd_, kTmrDistance, 75, nullptr);
  else
    KillTimer(hwnd_, kTmrDistance);
}

void MainWindow::ShowCountingState(bool counting, const std::string&) {
  counting_ = counting;
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(counting ? iconOn_ : iconOff_));
  UpdateTrayIcon();
}

void MainWindow::SetPanelColor(uint32_t color) {
  if (panelBrush_) DeleteObject(panelBrush_);
  panelBrush_ = CreateSolidBrush(ToColorRef(color));
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void MainWindow::SetSubmitTimer(bool enabled, int32_t minutes) {
  if (enabled)
    SetTimer(hwnd_, kTmrSubmit, static_cast<UINT>(minutes) * 60000u, nullptr);
  else
    KillTimer(hwnd_, kTmrSubmit);
}

void MainWindow::ShowSample(const SampleView&) {
  // The panel's indicators are built by the layout; with none present nothing is drawn.
}

void MainWindow::HideToTray() { ShowWindow(hwnd_, SW_HIDE); }

void MainWindow::ShowPanel() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  FormShow();
}

void MainWindow::ShowMessage(const std::string& text) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK);
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& yes, const std::string& no) {
  ButtonCaptions captions{Widen(yes), Widen(no)};
  g_captions = &captions;
  g_cbtHook = SetWindowsHookExW(WH_CBT, RelabelProc, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(hwnd_, Widen(text).c_str(), L"Quillomat",
                                 MB_YESNO | MB_ICONWARNING);
  if (g_cbtHook) UnhookWindowsHookEx(g_cbtHook);
  g_cbtHook = nullptr;
  g_captions = nullptr;
  return answer == IDYES;
}

void MainWindow::ShowError(const std::string& text) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

void MainWindow::AddTrayIcon() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd_;
  nid.uID = kTrayId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = counting_ ? iconOn_ : iconOff_;
  lstrcpynW(nid.szTip, L"Quillomat", ARRAYSIZE(nid.szTip));
  trayAdded_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

void MainWindow::UpdateTrayIcon() {
  if (!trayAdded_) return;
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd_;
  nid.uID = kTrayId;
  nid.uFlags = NIF_ICON;
  nid.hIcon = counting_ ? iconOn_ : iconOff_;
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void MainWindow::ShowPopupMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMenuShowHide, IsWindowVisible(hwnd_) ? L"Hide Panel" : L"Show Panel");
  AppendMenuW(menu, MF_STRING, kMenuReset, L"Reset Counters");
  if (debugMenu_) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kMenuDebug1, L"Check Hooks");
    AppendMenuW(menu, MF_STRING, kMenuDebug2, L"Refresh Hooks");
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMenuExit, L"Exit\tAlt+F4");
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

HICON MainWindow::MakeStateIcon(bool on) const {
  // A small round lamp: green while counting, red while paused.
  const int size = GetSystemMetrics(SM_CXSMICON);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP color = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);

  HGDIOBJ old = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, size, size, WHITENESS);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Ellipse(dc, 1, 1, size - 1, size - 1);

  SelectObject(dc, color);
  PatBlt(dc, 0, 0, size, size, BLACKNESS);
  HBRUSH lamp = CreateSolidBrush(on ? RGB(0, 200, 0) : RGB(220, 0, 0));
  HPEN rim = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  SelectObject(dc, lamp);
  SelectObject(dc, rim);
  Ellipse(dc, 1, 1, size - 1, size - 1);
  SelectObject(dc, old);
  DeleteObject(lamp);
  DeleteObject(rim);
  DeleteDC(dc);

  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color;
  info.hbmMask = mask;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  return icon;
}

}  // namespace quillo
