// Window messages of the main window, mapped onto MainLogic; the panel built from the core's
// layout; the notification-area icon and the pop-up menu.
#include "win32/main_window.h"
#include "win32/dib.h"

#include <commctrl.h>

#include "core/app/system_font.h"
#include "core/panel/indicator_style.h"
#include "core/panel/tray_hint.h"
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
// Moving the window as if its caption were dragged: SC_MOVE plus the caption hit-test code.
constexpr WPARAM kDragCommand = 61458;

COLORREF ToColorRef(uint32_t c) {
  return static_cast<COLORREF>(c & 0xFFFFFF);
}

UINT ButtonCommand(ControlId id) {
  switch (id) {
    case ControlId::btnExit:
      return kCmdBtnExit;
    case ControlId::btnMinimize:
      return kCmdBtnMinimize;
    case ControlId::btnHelp:
      return kCmdBtnHelp;
    case ControlId::btnonoff:
      return kCmdBtnOnOff;
    default:
      return kCmdBtnSetup;
  }
}

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

// Czech needs a font with the Central European letters; the font mapper finds one for the face.
BYTE CharsetFor(int language) {
  return language == kCzech ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
}

HFONT MakeFont(const FontSpec& font, BYTE charset) {
  return CreateFontW(font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     font.face == "Marlett" ? SYMBOL_CHARSET : charset, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     Widen(font.face).c_str());
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, bool haveCommandLineParameters)
    : instance_(instance),
      haveParams_(haveCommandLineParameters),
      store_(Widen(kSettingsKeyPath)) {}

MainWindow::~MainWindow() {
  for (HFONT f : {labelFont_, symbolFont_, textFont_, windowFont_})
    if (f) DeleteObject(f);
  if (panelBrush_) DeleteObject(panelBrush_);
  if (iconOn_) DestroyIcon(iconOn_);
  if (iconOff_) DestroyIcon(iconOff_);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
  if (appWindow_) DestroyWindow(appWindow_);
  // The mutex handle stays open until the process ends, as every instance's does.
}

bool MainWindow::Create() {
  IndicatorView::Register(instance_);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance_;
  wc.lpszClassName = kAppWindowClass;
  RegisterClassExW(&wc);
  // The hidden application window owns the main window, so the panel gets no taskbar button.
  appWindow_ = CreateWindowExW(0, kAppWindowClass, Widen(kApplicationTitle).c_str(), WS_POPUP, 0, 0,
                               0, 0, nullptr, nullptr, instance_, nullptr);

  wc.lpfnWndProc = WndProc;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kMainWindowClass;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  if (!RegisterClassExW(&wc)) return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  hwnd_ = CreateWindowExW(0, kMainWindowClass, L"Quillomat", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 156,
                          277, appWindow_, nullptr, instance_, this);
  if (!hwnd_) return false;

  ACCEL keys[] = {{FVIRTKEY, VK_F1, kCmdHelp}, {FVIRTKEY | FALT, VK_F4, kCmdExit}};
  accelerators_ = CreateAcceleratorTableW(keys, 2);

  // First position: centred on the screen at the size the panel will have; then the stored one.
  const PanelFrame frame = CurrentLayout().frame;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - frame.window.width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - frame.window.height) / 2, frame.window.width,
               frame.window.height, SWP_NOZORDER | SWP_NOACTIVATE);
  RestoreWindowPlacement(hwnd_);
  ShowWindow(hwnd_, SW_SHOW);
  SetTimer(hwnd_, kTmrHide, 50, nullptr);
  if (!logic_->startupErrors().empty()) PostMessageW(hwnd_, kStartupErrors, 0, 0);
  return true;
}

bool MainWindow::TranslateAccelerators(MSG& msg) {
  if (!accelerators_ || !hwnd_) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  return TranslateAcceleratorW(hwnd_, accelerators_, &msg) != 0;
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

HFONT MainWindow::SystemFont() {
  LOGFONTW lf{};
  if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) return nullptr;
  IconTitleFont f;
  f.height = lf.lfHeight;
  f.orientation = lf.lfOrientation;
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strikeOut = lf.lfStrikeOut;
  f.charSet = lf.lfCharSet;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  f.faceName = Narrow(lf.lfFaceName);
  const FontDescription d = UseSystemFont(f);
  LOGFONTW out{};
  out.lfHeight = d.height;
  out.lfEscapement = out.lfOrientation = d.orientation;
  out.lfWeight = d.bold ? FW_BOLD : FW_NORMAL;
  out.lfItalic = d.italic;
  out.lfUnderline = d.underline;
  out.lfStrikeOut = d.strikeOut;
  out.lfCharSet = d.charSet;
  out.lfPitchAndFamily = d.pitch == FontPitch::kFixed      ? FIXED_PITCH
                         : d.pitch == FontPitch::kVariable ? VARIABLE_PITCH
                                                           : DEFAULT_PITCH;
  lstrcpynW(out.lfFaceName, Widen(d.name).c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&out);
}

void MainWindow::FormCreate() {
  // The window's own font is the system's icon-title font; the buttons' hints use it.
  windowFont_ = SystemFont();
  // Never tested: several instances may run side by side.
  mutex_ = CreateMutexW(nullptr, FALSE, L"Quillomat");

  input_ = std::make_unique<InputThread>(g_activity);
  input_->Start();
  logic_ = std::make_unique<MainLogic>(
      g_activity, Platform{clock_, system_, *input_, store_, *this, logFile_}, haveParams_);
  iconOn_ = MakeStateIcon(true);
  iconOff_ = MakeStateIcon(false);
  AddTrayIcon();
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, instance_, nullptr);
  if (tooltip_ && windowFont_)
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_), FALSE);
  SetTimer(hwnd_, kTmrCheck, 5000, nullptr);
  SetTimer(hwnd_, kTmrWriteValues, 60000, nullptr);

  // Borderless, clipped to the panel's rectangle until the panel sizes it.
  SetWindowRgn(hwnd_, CreateRectRgn(1, 1, 154, 275), TRUE);  // the window owns the region
  logic_->FormCreate();
}

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
  freeobjects();
  SetItems();
  SetStayOnTop(logic_->settings().ontop);
  logic_->tmrDistanceTimer();
}

void MainWindow::FormHide() {
  freeobjects();
}

void MainWindow::CreateFonts() {
  const BYTE charset = CharsetFor(texts_.language);
  if (fontDpi_ == layout_.dpi && fontCharset_ == charset && labelFont_) return;
  for (HFONT* f : {&labelFont_, &symbolFont_, &textFont_})
    if (*f) DeleteObject(*f), *f = nullptr;
  const int dpi = layout_.dpi;
  labelFont_ =
      MakeFont({kLabelFont.face, kLabelFont.bold, ScalePx(kLabelFont.height, dpi)}, charset);
  symbolFont_ = MakeFont(
      {kSymbolButtonFont.face, kSymbolButtonFont.bold, ScalePx(kSymbolButtonFont.height, dpi)},
      charset);
  textFont_ = MakeFont(
      {kTextButtonFont.face, kTextButtonFont.bold, ScalePx(kTextButtonFont.height, dpi)}, charset);
  fontDpi_ = dpi;
  fontCharset_ = charset;
}

void MainWindow::SetItems() {
  layout_ = CurrentLayout();
  CreateFonts();
  for (const PanelControl& pc : layout_.controls) {
    const auto index = static_cast<size_t>(pc.id);
    const Rect& b = pc.bounds;
    switch (pc.kind) {
      case ControlKind::kIndicator: {
        auto view = std::make_unique<IndicatorView>();
        view->Create(hwnd_, b.left, b.top, b.width, b.height);
        auto& c = view->Control();
        ApplyIndicatorStyle(c);
        c.SetSignNumber(pc.SignNumber);
        // A press on an indicator moves the window, as one on the panel does.
        view->SetOnMouseDown([this](IndicatorView&, UINT message, WPARAM, LPARAM) {
          if (message != WM_RBUTTONDOWN) BeginDrag();
        });
        indicators_[index] = std::move(view);
        break;
      }
      case ControlKind::kButton: {
        const bool symbol = pc.font.face == kSymbolButtonFont.face;
        HWND button = CreateWindowExW(
            0, L"BUTTON", Widen(pc.caption).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.left, b.top, b.width, b.height,
            hwnd_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ButtonCommand(pc.id))), instance_,
            nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(symbol ? symbolFont_ : textFont_),
                     FALSE);
        // The settings dialog arrives with its own release; until then its button is inert.
        if (pc.id == ControlId::btnSetup) EnableWindow(button, FALSE);
        ButtonHint(TTM_ADDTOOLW, button, pc.hint);
        buttons_[index] = button;
        break;
      }
      case ControlKind::kLabel:
        break;  // labels are painted by the panel itself
    }
  }
  ApplyFrame(layout_.frame);
  ApplyAlpha(layout_.alpha);
  built_ = true;
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::ButtonHint(UINT message, HWND button, const std::string& hint) {
  if (!tooltip_) return;
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(button);
  std::wstring text = Widen(hint);
  ti.lpszText = text.data();
  SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&ti));
}

void MainWindow::freeobjects() {
  for (int i = 0; i < kControlCount; ++i) {
    if (buttons_[i]) {
      ButtonHint(TTM_DELTOOLW, buttons_[i], {});
      DestroyWindow(buttons_[i]);
      buttons_[i] = nullptr;
    }
    indicators_[i].reset();
  }
  layout_.controls.clear();
  built_ = false;
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
    case WM_SHOWWINDOW:
      if (wp)
        FormShow();
      else
        FormHide();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && logic_) logic_->tmrDistanceTimer();
      return DefWindowProcW(hwnd_, msg, wp, lp);  // which also gives the panel the focus
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      BeginDrag();
      return 0;
    case WM_CONTEXTMENU: {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (p.x == -1 && p.y == -1) GetCursorPos(&p);
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
        case WM_MOUSEMOVE:
          UpdateTrayHint();
          return 0;
        default:
          return 0;
      }
    case WM_COMMAND:
      if (Command(LOWORD(wp))) return 0;
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      if (built_) {
        freeobjects();
        SetItems();
        logic_->tmrDistanceTimer();
      }
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
      for (UINT_PTR id : {kTmrCheck, kTmrWriteValues, kTmrSubmit, kTmrHide}) KillTimer(hwnd_, id);
      freeobjects();
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

bool MainWindow::Command(UINT id) {
  switch (id) {
    case kCmdHidePanel:
    case kCmdBtnMinimize:
      HidePanel1Click();
      return true;
    case kCmdResetCounters:
      logic_->ResetCounter1Click();
      return true;
    case kCmdExit:
      logic_->Exit1Click();
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case kCmdBtnExit:
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case kCmdHelp:
    case kCmdBtnHelp:
      OpenHelp();
      return true;
    case kCmdWebsite:
      OpenWebSite();
      return true;
    case kCmdBtnOnOff:
      logic_->btnonoffClick();
      SetFocus(hwnd_);  // the button does not keep the focus
      return true;
    case kCmdDebugCheckHooks:
      logic_->mnudebug1Click();
      return true;
    case kCmdDebugRefreshHooks:
      logic_->mnudebug2Click();
      return true;
    default:
      return false;
  }
}

void MainWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!panelBrush_) panelBrush_ = CreateSolidBrush(ToColorRef(logic_->settings().background));
  // Panel1: the user's colour within raised outer and inner bevels.
  RECT panel{0, 0, built_ ? layout_.frame.panel.width : client.right,
             built_ ? layout_.frame.panel.height : client.bottom};
  FillRect(dc, &panel, panelBrush_);
  DrawEdge(dc, &panel, EDGE_RAISED, BF_RECT);
  // The caption labels: yellow bold text centred on black.
  HGDIOBJ oldFont = SelectObject(dc, labelFont_ ? labelFont_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(kLabelLook.fontColor));
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (const PanelControl& pc : layout_.controls) {
    if (pc.kind != ControlKind::kLabel) continue;
    RECT r{pc.bounds.left, pc.bounds.top, pc.bounds.right(), pc.bounds.bottom()};
    FillRect(dc, &r, black);
    const std::wstring caption = Widen(pc.caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
  EndPaint(hwnd_, &ps);
}

void MainWindow::BeginDrag() {
  ReleaseCapture();
  SendMessageW(hwnd_, WM_SYSCOMMAND, kDragCommand, 0);
}

void MainWindow::HidePanel1Click() {
  if (IsWindowVisible(hwnd_)) {
    HideToTray();
    logic_->WriteValues();
  } else {
    ShowPanel();
  }
}

void MainWindow::OpenHelp() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  // A missing help file or viewer is not reported.
  ShellExecuteW(hwnd_, L"open", L"hh.exe", (folder + L"Quillomat.chm").c_str(), nullptr,
                SW_SHOWNORMAL);
}

void MainWindow::OpenWebSite() {
  const std::wstring address = Widen(kWebSiteAddress);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(hwnd_, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32)
    MessageBoxW(hwnd_, (L"The following link is invalid :\n\r" + address).c_str(),
                Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void MainWindow::SetSamplerTimer(bool enabled) {
  if (enabled)
    SetTimer(hwnd_, kTmrDistance, 75, nullptr);
  else
    KillTimer(hwnd_, kTmrDistance);
}

void MainWindow::ShowCountingState(bool counting, const std::string& caption) {
  counting_ = counting;
  onoffCaption_ = caption;
  const auto onoff = static_cast<size_t>(ControlId::btnonoff);
  if (buttons_[onoff]) SetWindowTextW(buttons_[onoff], Widen(caption).c_str());
  for (WPARAM which : {ICON_SMALL, ICON_BIG})
    SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(counting ? iconOn_ : iconOff_));
  UpdateTrayIcon();
}

void MainWindow::ApplyTexts(const MainWindowTexts& texts) {
  texts_ = texts;
  if (!built_) return;
  if (CharsetFor(texts_.language) != fontCharset_) {
    // Another script: the panel's fonts change, so build it again.
    freeobjects();
    SetItems();
    logic_->tmrDistanceTimer();
    return;
  }
  SetLanguage(layout_, texts_, counting_, logic_->settings().distmode);
  for (const PanelControl& pc : layout_.controls) {
    HWND button = buttons_[static_cast<size_t>(pc.id)];
    if (!button) continue;
    SetWindowTextW(button, Widen(pc.caption).c_str());
    ButtonHint(TTM_UPDATETIPTEXTW, button, pc.hint);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
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

PanelPresence MainWindow::Presence() {
  if (!built_) return {false, false};
  return {layout_.Has(ControlId::led17), layout_.Has(ControlId::led9)};
}

void MainWindow::ShowSample(const SampleView& view) {
  if (!built_) return;
  for (int n = 1; n <= kLedCount; ++n) {
    const auto id = LedControl(n);
    if (!id) continue;
    IndicatorView* led = indicators_[static_cast<size_t>(*id)].get();
    if (!led) continue;
    auto& c = led->Control();
    const IndicatorUpdate& u = view.leds[n];
    const int length = static_cast<int>(u.text.size());
    switch (u.rule) {
      case DigitRule::kKeep:
        break;
      case DigitRule::kGrowToText:
        if (length > c.SignNumber()) c.SetSignNumber(length);
        break;
      case DigitRule::kSetToText:
        c.SetSignNumber(length);
        break;
      case DigitRule::kGrowToPrevious: {
        const int previous = static_cast<int>(c.Indicatorstring().size());
        if (previous > c.SignNumber()) c.SetSignNumber(previous);
        break;
      }
    }
    c.SetIndicatorstring(u.text);
  }
}

void MainWindow::HideToTray() {
  ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::ShowPanel() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void MainWindow::ShowMessage(const std::string& text) {
  MessageBoxW(hwnd_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK);
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& yes, const std::string& no) {
  ButtonCaptions captions{Widen(yes), Widen(no)};
  g_captions = &captions;
  g_cbtHook = SetWindowsHookExW(WH_CBT, RelabelProc, nullptr, GetCurrentThreadId());
  const int answer =
      MessageBoxW(hwnd_, Widen(text).c_str(), L"Quillomat", MB_YESNO | MB_ICONWARNING);
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

void MainWindow::UpdateTrayHint() {
  if (!trayAdded_) return;
  const ActivityCounters& c = logic_->counters();
  const std::wstring hint =
      Widen(TrayHint(c.totalDistance, logic_->settings().distmode, c.Total(Counter::kKeystrokes),
                     c.Total(Counter::kLeft), texts_));
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd_;
  nid.uID = kTrayId;
  nid.uFlags = NIF_TIP;
  lstrcpynW(nid.szTip, hint.c_str(), ARRAYSIZE(nid.szTip));  // the shell keeps 127 characters
  Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void MainWindow::ShowPopupMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  auto item = [&](UINT id, const std::string& caption, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? 0 : MF_GRAYED), id, Widen(caption).c_str());
  };
  auto separator = [&] { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); };
  if (debugMenu_) {
    item(kCmdDebugCheckHooks, "Check Hooks");
    item(kCmdDebugRefreshHooks, "Refresh Hooks");
    separator();
  }
  item(kCmdHidePanel, texts_.HidePanel1);
  item(kCmdResetCounters, texts_.ResetCounter1);
  separator();
  // The settings dialog, export and import, the update check and the about box come with their
  // own releases; their items are here, unavailable until then.
  item(kCmdSetup, texts_.SetupQuillomat1, false);
  separator();
  item(kCmdExport, "Export Counters", false);
  item(kCmdImport, "Import Counters", false);
  separator();
  item(kCmdWebsite, "Visit Ombrelune Software Website");
  item(kCmdCheckUpdate, texts_.Checkforupdate1, false);
  separator();
  item(kCmdHelp, texts_.Help1 + "\tF1");
  separator();
  item(kCmdAbout, texts_.Info1, false);
  separator();
  item(kCmdExit, texts_.Exit1 + "\tAlt+F4");
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

HICON MainWindow::MakeStateIcon(bool on) const {
  // The program's own picture: one cell of the panel's display, a lit "8" while counting and
  // only the dark unlit segments while paused.
  const int size = GetSystemMetrics(SM_CXSMICON);
  indicator::IAeverLiquidIndicator cell;
  cell.Loaded();
  cell.SetSize(size, size);
  cell.SetIndicatorWidth(size);
  cell.SetIndicatorHeight(size);
  cell.SetInnerBevel(indicator::bkNone);
  cell.SetOuterBevel(indicator::bkNone);
  cell.SetIndicatorStyle(indicator::isThin);
  cell.SetBackColor(static_cast<indicator::Color>(kIndicatorLook.BackColor));
  cell.SetNumberBackColor(static_cast<indicator::Color>(kIndicatorLook.NumberBackColor));
  cell.SetNumberForeColor(static_cast<indicator::Color>(kIndicatorLook.NumberForeColor));
  cell.SetSignNumber(1);
  cell.SetIndicatorstring(on ? "8" : " ");
  const indicator::Bitmap& picture = cell.CanvasBitmap();

  BITMAPINFO bi = TopDownBitmapInfo(size, size);
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return nullptr;
  auto* out = static_cast<uint32_t*>(bits);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      out[y * size + x] =
          (x < picture.Width() && y < picture.Height() ? picture.At(x, y) : 0) | 0xFF000000u;
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);  // all opaque
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  PatBlt(dc, 0, 0, size, size, BLACKNESS);
  SelectObject(dc, old);
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
