// Window messages of the main window, mapped onto MainLogic, the panel, the taskbar button's
// window and the notification-area icon; the panel on the screen is main_window_panel.cpp.
#include "win32/main_window.h"

#include <shellapi.h>

#include "core/app/about_box.h"
#include "core/store/settings_store.h"
#include "win32/counter_files.h"
#include "win32/dialogs/about_dialog.h"
#include "win32/dialogs/settings_dialog.h"
#include "win32/dialogs/settings_host.h"
#include "win32/dialogs/update_dialog.h"
#include "win32/message_boxes.h"
#include "win32/single_instance.h"

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
  kTmrTrayRetry = 6,
};

constexpr UINT kTrayMessage = WM_APP + 10;
constexpr UINT kStartupErrors = WM_APP + 11;
// The network worker has a reply.
constexpr UINT kNetReply = WM_APP + 13;
// The History window named in lParam has closed and may be freed.
constexpr UINT kHistoryClosed = WM_APP + 15;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, bool haveCommandLineParameters)
    : instance_(instance),
      haveParams_(haveCommandLineParameters),
      store_(Widen(kSettingsKeyPath)) {}

MainWindow::~MainWindow() {
  tray_.reset();
  panel_.reset();
  if (panelBrush_) DeleteObject(panelBrush_);
  for (HICON icon : {iconOn_, iconOff_, bigIconOn_, bigIconOff_})
    if (icon) DestroyIcon(icon);
  if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

bool MainWindow::Create() {
  IndicatorView::Register(instance_);
  if (!app_.Create(instance_, Widen(kApplicationTitle))) return false;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kMainWindowClass;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  if (!RegisterClassExW(&wc)) return false;
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  // Owned by the application window, so the panel has no taskbar button of its own.
  hwnd_ = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                          156, 277, app_.hwnd(), nullptr, instance_, this);
  if (!hwnd_) return false;
  app_.SetPanel(hwnd_);

  ACCEL keys[] = {{FVIRTKEY, VK_F1, static_cast<WORD>(Command::kHelp)},
                  {FVIRTKEY | FALT, VK_F4, static_cast<WORD>(Command::kExit)}};
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

bool MainWindow::PreTranslate(MSG& msg) {
  if (history_ && history_->PreTranslate(msg)) return true;
  if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  if (panel_) panel_->RelayHint(msg);
  // Only keys concern the shortcuts and the dialog keys; the pointer's moves over the panel, many
  // a second, go straight on.
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if (accelerators_ && TranslateAcceleratorW(hwnd_, accelerators_, &msg)) return true;
  // The panel's buttons take Tab, Shift+Tab and Space as in a dialog.
  return IsDialogMessageW(hwnd_, &msg) != FALSE;
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
  input_ = std::make_unique<InputThread>(g_activity);
  input_->Start();
  logic_ = std::make_unique<MainLogic>(
      g_activity, Platform{clock_, system_, *input_, store_, *this, logFile_, &historyFiles_},
      haveParams_);
  net_ = std::make_unique<NetWorker>(hwnd_, kNetReply);
  online_ = std::make_unique<OnlineLogic>(g_activity, logic_->settings(), *net_, *this,
                                          [this](const std::string& t) { logic_->Writelog(t); });
  logic_->SetSubmitter([this] { online_->SubmitScores(); });
  panel_ = std::make_unique<PanelView>(instance_, hwnd_,
                                       [this](UINT upMessage) { BeginDrag(upMessage); });
  iconOn_ = MakeStateIcon(true, GetSystemMetrics(SM_CXSMICON));
  iconOff_ = MakeStateIcon(false, GetSystemMetrics(SM_CXSMICON));
  bigIconOn_ = MakeStateIcon(true, GetSystemMetrics(SM_CXICON));
  bigIconOff_ = MakeStateIcon(false, GetSystemMetrics(SM_CXICON));
  tray_ = std::make_unique<TrayIcon>(hwnd_, kTrayMessage, kTmrTrayRetry);
  tray_->SetIcon(iconOn_);
  tray_->Add();
  SetTimer(hwnd_, kTmrCheck, 5000, nullptr);
  SetTimer(hwnd_, kTmrWriteValues, 60000, nullptr);

  // Borderless, clipped to the panel's rectangle until the panel sizes it.
  SetWindowRgn(hwnd_, CreateRectRgn(1, 1, 154, 275), TRUE);  // the window owns the region
  logic_->FormCreate();
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
        case kTmrSubmit:
          logic_->tmrSubmitTimer();
          return 0;
        case kTmrHide:
          KillTimer(hwnd_, kTmrHide);
          if (logic_->settings().hideonstartup) HidePanel(true);
          return 0;
        case kTmrTrayRetry:
          tray_->Retry();
          AfterTrayAttempt();
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
      BeginDrag(WM_LBUTTONUP);
      return 0;
    case WM_MBUTTONDOWN:
      BeginDrag(WM_MBUTTONUP);
      return 0;
    case WM_XBUTTONDOWN:
      BeginDrag(WM_XBUTTONUP);
      return TRUE;  // the extra buttons' messages want TRUE when handled
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      // The system's move loop ends only when the left button comes up; the drag ends when the
      // button that started it does.
      if (dragEndsOn_ == msg) PostMessageW(hwnd_, WM_LBUTTONUP, 0, lp);
      return msg == WM_XBUTTONUP ? TRUE : 0;
    case WM_CONTEXTMENU: {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (p.x == -1 && p.y == -1) GetCursorPos(&p);
      ShowPopupMenu(p);
      return 0;
    }
    case kTrayMessage:
      OnTrayMessage(lp);
      return 0;
    case WM_COMMAND:
      if (OnCommand(static_cast<Command>(LOWORD(wp)))) return 0;
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      // Never rebuild here: during a drag from an indicator this runs inside the move loop,
      // with that indicator's window procedure on the call stack.
      PostMessageW(hwnd_, kRebuildPanel, 0, 0);
      return 0;
    }
    case kRebuildPanel:
      if (nestedLoops_ > 0)
        rebuildPending_ = true;
      else
        RebuildPanel();
      return 0;
    case kHidePanelNow:
      if (nestedLoops_ > 0)
        hidePending_ = true;  // another loop began meanwhile
      else if (IsWindowVisible(hwnd_))
        ShowWindow(hwnd_, SW_HIDE);
      return 0;
    case kNetReply:
      net_->DeliverReplies(*online_);
      return 0;
    case kHistoryClosed:
      if (reinterpret_cast<HistoryWindow*>(lp) == history_.get()) history_.reset();
      return 0;
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
      history_.reset();
      if (!placementSaved_) SaveWindowPlacement(hwnd_);
      logic_->FormDestroy();
      for (UINT_PTR id : {kTmrCheck, kTmrWriteValues, kTmrSubmit, kTmrHide}) KillTimer(hwnd_, id);
      panel_->Free();
      tray_->Remove();
      PostQuitMessage(0);
      return 0;
    default:
      if (msg == ShowPanelMessage()) {
        ComeForward();
        return 0;
      }
      if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        tray_->ShellRestarted();
        AfterTrayAttempt();
        return 0;
      }
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

bool MainWindow::OnCommand(Command command) {
  switch (command) {
    case Command::kHidePanel:
    case Command::kBtnMinimize:
      HidePanel1Click();
      return true;
    case Command::kResetCounters:
      logic_->ResetCounter1Click();
      return true;
    case Command::kExit:
      logic_->Exit1Click();
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case Command::kBtnExit:
      PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case Command::kHelp:
    case Command::kBtnHelp:
      OpenHelp();
      return true;
    case Command::kWebsite:
      OpenWebSite();
      return true;
    case Command::kExport:
      ExportCounters(hwnd_, *logic_);
      return true;
    case Command::kImport:
      ImportCounters(hwnd_, *logic_);
      return true;
    case Command::kAbout:
      ShowAboutDialog(instance_, hwnd_, app_.hwnd());
      return true;
    case Command::kSetup: {
      // All the dialog knows of this window is what is handed to it here.
      WinSettingsHost host({hwnd_, logic_.get(), [this] { RebuildPanel(); },
                            [this](bool onTop) { SetStayOnTop(onTop); },
                            [this] { logic_->SubmitScores(); }});  // "Send Now !"
      SetupQuillomat1Click(host);
      return true;
    }
    case Command::kBtnSetup:
      // Opened from the message loop, not under the button's click: applying rebuilds the panel.
      PostMessageW(hwnd_, WM_COMMAND, static_cast<WPARAM>(Command::kSetup), 0);
      return true;
    case Command::kBtnOnOff:
      logic_->btnonoffClick();
      SetFocus(hwnd_);  // the button does not keep the focus
      return true;
    case Command::kDebugCheckHooks:
      logic_->mnudebug1Click();
      return true;
    case Command::kDebugRefreshHooks:
      logic_->mnudebug2Click();
      return true;
    case Command::kCheckUpdate:
      online_->CheckNewVersion(false);
      return true;
    case Command::kSendNow:
      logic_->SubmitScores();
      return true;
    case Command::kHistory:
      OpenHistory();
      return true;
    default:
      return false;
  }
}

void MainWindow::OpenHelp(const wchar_t* page) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  std::wstring file = folder + L"Quillomat.chm";
  if (page) file += std::wstring(L"::/") + page;
  // A missing help file or viewer is not reported.
  ShellExecuteW(hwnd_, L"open", L"hh.exe", file.c_str(), nullptr, SW_SHOWNORMAL);
}

void MainWindow::OpenHistory() {
  if (history_) {
    history_->BringForward();
    return;
  }
  // All the window knows of this one is what is handed to it here.
  HistoryHost host;
  host.instance = instance_;
  host.load = [this] { return logic_->LoadHistory(); };
  host.today = [this] { return logic_->HistoryToday(); };
  host.loadPlaces = [this](int32_t from, int32_t to) {
    return logic_->LoadHistoryPlaces(from, to);
  };
  host.metric = [this] { return logic_->settings().distmode; };
  host.language = [this] { return logic_->settings().Language; };
  host.decimal = [this] { return logic_->platform().system.DecimalSeparator(); };
  host.debugLine = [this](const std::string& line) { logic_->Writelog(line); };
  host.help = [this] { OpenHelp(L"history.html"); };
  host.closed = [this](HistoryWindow* which) {
    PostMessageW(hwnd_, kHistoryClosed, 0, reinterpret_cast<LPARAM>(which));
  };
  auto window = std::make_unique<HistoryWindow>(std::move(host));
  if (window->Open()) history_ = std::move(window);
}

void MainWindow::OpenWebSite() {
  const std::wstring address = Widen(kMakerWebSite);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(hwnd_, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ShowWarningBox(hwnd_, "The following link is invalid :\n\r" + Narrow(address));
}

void MainWindow::SetSamplerTimer(bool enabled) {
  if (enabled)
    SetTimer(hwnd_, kTmrDistance, 75, nullptr);
  else
    KillTimer(hwnd_, kTmrDistance);
}

void MainWindow::ShowCountingState(bool counting, const std::string& caption) {
  counting_ = counting;
  panel_->SetOnOffCaption(caption);
  HICON small = counting ? iconOn_ : iconOff_, big = counting ? bigIconOn_ : bigIconOff_;
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  app_.SetIcon(small, big);
  tray_->SetIcon(small);
}

void MainWindow::ApplyTexts(const MainWindowTexts& texts) {
  texts_ = texts;
  // Another script needs other fonts: then the panel is built again.
  if (!panel_->Relabel(texts_, counting_, logic_->settings().distmode)) RebuildPanel();
}

void MainWindow::SetSubmitTimer(bool enabled, int32_t minutes) {
  if (enabled)
    SetTimer(hwnd_, kTmrSubmit, static_cast<UINT>(minutes) * 60000u, nullptr);
  else
    KillTimer(hwnd_, kTmrSubmit);
}

void MainWindow::ShowMessage(const std::string& text) {
  ShowMessageBox(hwnd_, text);
}

bool MainWindow::AskYesNo(const std::string& text, const std::string& yes, const std::string& no) {
  return AskYesNoBox(hwnd_, text, yes, no);
}

void MainWindow::ShowError(const std::string& text) {
  ShowErrorBox(hwnd_, text);
}

void MainWindow::DebugLine(const std::string& text) {
  OutputDebugStringW(Widen(text + "\n").c_str());
}

void MainWindow::ShowWarning(const std::string& text) {
  ShowWarningBox(hwnd_, text);
}

bool MainWindow::ShowUpdateDialog(const UpdateDialogState& state) {
  return quillo::ShowUpdateDialog(hwnd_, state, kMakerWebSite);
}

}  // namespace quillo
