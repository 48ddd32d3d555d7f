// The settings dialog's window: a modal loop that also switches pages on Ctrl+Tab, and the
// controls' notifications turned into the core's rules. Every rule lives in
// core/app/settings_dialog; the pages and their controls are settings_pages.
#include "win32/dialogs/settings_dialog.h"

#include <commctrl.h>

#include <commdlg.h>
#include <uxtheme.h>

#include <string>
#include <vector>

#include "core/app/settings_dialog.h"
#include "core/panel/panel_layout.h"
#include "win32/common_controls.h"
#include "win32/dialogs/settings_dialog_layout.h"
#include "win32/dialogs/settings_host.h"
#include "win32/dialogs/settings_pages.h"
#include "win32/late_bound.h"
#include "win32/modal_dialog.h"
#include "win32/win_platform.h"

namespace quillo {
namespace {

using namespace settings_layout;

// The common controls the dialog is made of: tabs, up-down arrows and the hint of lblLog.
constexpr DWORD kCommonControls = ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES;

class SettingsDialogWindow {
 public:
  explicit SettingsDialogWindow(WinSettingsHost& host) : host_(host) {}

  void RunModal();
  void BringToFront();

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static LRESULT CALLBACK UrlEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
  // The modal loop's own look at a message before the dialog manager: Ctrl+Tab turns pages.
  bool PreTranslate(const MSG& msg);

  void Create();
  HWND Control(int id) const { return pages_.Control(id); }
  void ReadControls() { pages_.Read(st_); }
  void WriteControls() { pages_.Write(st_); }
  void Command(int id, int code);
  LRESULT Notify(const NMHDR& n);
  // Whether a list's notification is a new choice the dialog must act on.
  bool ListChanged(int id, int code, const ListState& shown);
  void Apply(bool close);
  // Ends the modal loop; OK has applied everything before, Cancel applies nothing more.
  void Close();
  void ChooseBackground();
  void DrawColorButton(const DRAWITEMSTRUCT& d);
  void ShowMenu(int id, const std::string& caption, POINT at, HWND anchor);
  void Message(const std::string& text, UINT icon);
  MainLogic& logic() { return host_.logic(); }
  // The spin edit's value as last applied, which a text that is no number falls back to.
  double AppliedValue(int edit);

  WinSettingsHost& host_;
  SettingsDialogState st_;
  HWND dlg_ = nullptr;
  SettingsPages pages_;
  WNDPROC urlEditProc_ = nullptr;  // the edit's own procedure, under ours
  bool done_ = false;
};

SettingsDialogWindow* g_open = nullptr;

void SettingsDialogWindow::RunModal() {
  const std::wstring title = Widen(kSettingsCaption);
  const std::vector<WORD> tmpl =
      DialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN,
                     WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, title.c_str());
  HWND owner = host_.OwnerWindow();
  {
    // The controls are made within the common controls' version 6; the loop runs outside it, so
    // that nothing else the program creates meanwhile (a rebuilt panel) changes its look.
    CommonControlsScope v6(kCommonControls);
    if (!v6.ok()) {
      MessageBoxW(owner,
                  L"The settings cannot be shown: the common controls library could not be loaded.",
                  Widen(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
      return;
    }
    dlg_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                      reinterpret_cast<const DLGTEMPLATE*>(tmpl.data()), owner,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
  }
  if (!dlg_) return;
  // Modal as the owner's dialogs are: the main window takes no input until this one closes, while
  // its timers go on through this loop. Meanwhile the program's message boxes belong to this
  // dialog, and the taskbar button and Alt+Tab bring it forward.
  const ModalDialogScope modal(dlg_);
  EnableWindow(owner, FALSE);
  ShowWindow(dlg_, SW_SHOW);
  SetForegroundWindow(dlg_);
  MSG msg;
  while (!done_ && IsWindow(dlg_)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the program is ending: let its loop see it
      break;
    }
    if (got < 0) break;
    if (PreTranslate(msg) || IsDialogMessageW(dlg_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The owner first, so that it becomes the active window when the dialog goes.
  EnableWindow(owner, TRUE);
  if (IsWindow(dlg_)) DestroyWindow(dlg_);
}

void SettingsDialogWindow::BringToFront() {
  if (!dlg_) return;
  if (IsIconic(dlg_)) ShowWindow(dlg_, SW_RESTORE);
  SetForegroundWindow(dlg_);
  BringWindowToTop(dlg_);
}

bool SettingsDialogWindow::PreTranslate(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0) return false;
  if (msg.hwnd != dlg_ && !IsChild(dlg_, msg.hwnd)) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg.wParam) {
    case VK_TAB:
      pages_.TurnPage(st_, shift ? -1 : 1);
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      pages_.TurnPage(st_, msg.wParam == VK_NEXT ? 1 : -1);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK SettingsDialogWindow::DialogProc(HWND hwnd, UINT msg, WPARAM wp,
                                                  LPARAM lp) noexcept {
  SettingsDialogWindow* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<SettingsDialogWindow*>(lp);
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    self->dlg_ = hwnd;
  } else {
    self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  try {
    return self->Handle(msg, wp, lp);
  } catch (const std::exception& e) {
    self->Message(e.what(), MB_ICONERROR);
    return TRUE;
  }
}

// The pages pass what their controls report on to the dialog.
INT_PTR CALLBACK SettingsDialogWindow::PageProc(HWND hwnd, UINT msg, WPARAM wp,
                                                LPARAM lp) noexcept {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
    // The tab's own background behind the page, where the theme draws one.
    using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
    if (auto enable = LateBound<EnableTexture>(L"uxtheme.dll", "EnableThemeDialogTexture"))
      enable(hwnd, ETDT_ENABLETAB);
    return FALSE;
  }
  auto* self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  switch (msg) {
    case WM_COMMAND:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
      try {
        return self->Handle(msg, wp, lp);
      } catch (const std::exception& e) {
        self->Message(e.what(), MB_ICONERROR);
        return TRUE;
      }
    case WM_NOTIFY:
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, self->Notify(*reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK SettingsDialogWindow::UrlEditProc(HWND hwnd, UINT msg, WPARAM wp,
                                                   LPARAM lp) noexcept {
  auto* self = reinterpret_cast<SettingsDialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_CONTEXTMENU) {
    // "Reset URL" takes the place of the edit's own menu.
    POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    self->ShowMenu(ids::Reset1, std::string(kCaptionResetURL), at, hwnd);
    return 0;
  }
  return CallWindowProcW(self->urlEditProc_, hwnd, msg, wp, lp);
}

INT_PTR SettingsDialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      Create();
      FormShow(st_, logic(), host_);
      WriteControls();
      return TRUE;
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return TRUE;
    case WM_NOTIFY:
      SetWindowLongPtrW(dlg_, DWLP_MSGRESULT, Notify(*reinterpret_cast<NMHDR*>(lp)));
      return TRUE;
    case WM_CONTEXTMENU: {
      const HWND target = reinterpret_cast<HWND>(wp);
      if (target != Control(ids::btnBackground)) return FALSE;
      ShowMenu(ids::ResetOriginalColor1, std::string(kCaptionResetColor),
               {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}, target);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d->CtlID != static_cast<UINT>(ids::btnBackground)) return FALSE;
      DrawColorButton(*d);
      return TRUE;
    }
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DPICHANGED: {
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(dlg_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      pages_.SetDpi(HIWORD(wp));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

void SettingsDialogWindow::Create() {
  int dpi = static_cast<int>(GetDpiForWindow(dlg_));
  if (dpi <= 0) dpi = 96;
  pages_.Create(dlg_, PageProc, reinterpret_cast<LPARAM>(this), dpi);
  HWND url = Control(ids::edtURL);
  SetWindowLongPtrW(url, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  urlEditProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(url, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UrlEditProc)));
  if (!host_.CanSendNow()) EnableWindow(Control(ids::btnSend), FALSE);
  SendMessageW(dlg_, DM_SETDEFID, IDOK, 0);

  // Size and place: the client area at the window's DPI, centred on the main window's monitor.
  RECT r{0, 0, ScalePx(kClientWidth, dpi), ScalePx(kClientHeight, dpi)};
  AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(dlg_, GWL_EXSTYLE)),
                           static_cast<UINT>(dpi));
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(host_.OwnerWindow(), MONITOR_DEFAULTTOPRIMARY), &mi);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const RECT& m = mi.rcMonitor;
  SetWindowPos(dlg_, nullptr, m.left + (m.right - m.left - w) / 2,
               m.top + (m.bottom - m.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SettingsDialogWindow::Notify(const NMHDR& n) {
  if (n.hwndFrom == pages_.tabs() && n.code == TCN_SELCHANGE) {
    pages_.ShowPage(st_, static_cast<SettingsPage>(TabCtrl_GetCurSel(pages_.tabs())));
    return 0;
  }
  if (n.code == UDN_DELTAPOS) {
    for (const SpinDef& s : kSpins) {
      if (n.hwndFrom != Control(s.upDown)) continue;
      const auto& delta = reinterpret_cast<const NMUPDOWN&>(n);
      HWND edit = Control(s.edit);
      SetText(edit,
              SpinStepText(Narrow(WindowText(edit)), delta.iDelta, *s.range, AppliedValue(s.edit),
                           logic().platform().system.DecimalSeparator()));
      return TRUE;  // the up-down's own position stays where it is
    }
  }
  return 0;
}

void SettingsDialogWindow::Command(int id, int code) {
  if (id >= ids::kItemBoxBase && id < ids::kItemBoxBase + kItemBoxCount) {
    if (code != BN_CLICKED) return;
    ReadControls();
    // The box has already changed: its click handler runs, as for a user's click.
    if (static_cast<ItemBox>(id - ids::kItemBoxBase) != ItemBox::chktime) chkDistanceClick(st_);
    WriteControls();
    return;
  }
  switch (id) {
    case IDOK:
      Apply(true);
      return;
    case ids::btnApply:
      Apply(false);
      return;
    case IDCANCEL:
      Close();
      return;
    case ids::cbxOrientation:
      if (!ListChanged(id, code, st_.cbxOrientation)) return;
      ReadControls();
      cbxOrientationChange(st_, logic().settings());
      WriteControls();
      return;
    case ids::cbxLanguage:
    case ids::cbxTransparent:
      if (!ListChanged(id, code, id == ids::cbxLanguage ? st_.cbxLanguage : st_.cbxTransparent))
        return;
      ReadControls();
      cbxLanguageChange(st_);
      WriteControls();
      return;
    case ids::btnRunning:
    case ids::btnTotal:
      if (code != BN_CLICKED) return;
      ReadControls();
      btnTotalClick(st_);
      WriteControls();
      return;
    case ids::btnBackground:
      if (code == BN_CLICKED) ChooseBackground();
      return;
    case ids::ResetOriginalColor1:
      ResetOriginalColor1Click(st_);
      InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
      return;
    case ids::Reset1:
      ReadControls();
      Reset1Click(st_);
      WriteControls();
      return;
    case ids::btnDebug:
      ReadControls();
      btnDebugClick(st_, logic());
      WriteControls();
      return;
    case ids::btnLogNow:
      btnLogNowClick(logic());
      return;
    case ids::btnViewFile:
      if (const auto warning = btnViewFileClick(host_)) Message(*warning, MB_ICONWARNING);
      return;
    case ids::btnBrowse:
      if (const auto error = btnBrowseClick(logic(), host_)) Message(*error, MB_ICONERROR);
      return;
    case ids::btnSend:
      host_.SendNow();
      return;
    case ids::btnDeleteHistory:
      if (code != BN_CLICKED) return;
      if (const auto error = btnDeleteHistoryClick(st_, logic(), host_))
        Message(*error, MB_ICONERROR);
      return;
    default:
      return;
  }
}

bool SettingsDialogWindow::ListChanged(int id, int code, const ListState& shown) {
  if (code != CBN_SELCHANGE && code != CBN_CLOSEUP) return false;
  // While the list is dropped the arrow keys only browse it; the choice counts once it closes
  // (relabelling the dialog under an open list would close it at the first key).
  HWND list = Control(id);
  if (SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0)) return false;
  return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)) != shown.index;
}

void SettingsDialogWindow::Apply(bool close) {
  // The spin edits are read as typed and corrected here only, never when they lose the focus: a
  // click on OK takes the focus first and would leave no correction to report, and switching to
  // another window would rewrite what the user is typing.
  ReadControls();
  ApplyResult result;
  try {
    result = btnOKClick(st_, logic(), host_);
  } catch (const std::exception& e) {
    // What was applied stays applied; the dialog stays open so nothing typed is lost.
    WriteControls();
    Message(e.what(), MB_ICONERROR);
    return;
  }
  WriteControls();
  if (!result.corrections.empty()) {
    std::string text;
    for (const std::string& c : result.corrections) text += c + "\n";
    Message(text, MB_ICONINFORMATION);
  }
  if (close) Close();
}

double SettingsDialogWindow::AppliedValue(int edit) {
  const Settings& settings = logic().settings();
  return edit == ids::edtmonitorsize ? settings.monitorsize
         : edit == ids::edtSpin      ? settings.idledelay
                                     : settings.interval;
}

void SettingsDialogWindow::Close() {
  done_ = true;
}

void SettingsDialogWindow::ChooseBackground() {
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = dlg_;
  cc.rgbResult = static_cast<COLORREF>(st_.background & 0xFFFFFF);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
  CommonControlsScope v6(kCommonControls);
  using Choose = BOOL(WINAPI*)(CHOOSECOLORW*);
  const auto choose = LateBound<Choose>(L"comdlg32.dll", "ChooseColorW");
  if (!choose) {
    Message("The colour picker (comdlg32.dll) could not be loaded.", MB_ICONERROR);
    return;
  }
  if (!choose(&cc)) return;  // cancelled: nothing changes
  st_.background = static_cast<uint32_t>(cc.rgbResult);
  InvalidateRect(Control(ids::btnBackground), nullptr, FALSE);
}

void SettingsDialogWindow::DrawColorButton(const DRAWITEMSTRUCT& d) {
  RECT r = d.rcItem;
  const bool pressed = (d.itemState & ODS_SELECTED) != 0;
  DrawFrameControl(d.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  // A colour bar of the button's width less 8 and height less 6, framed by one black pixel.
  const int w = r.right - r.left - 8, h = r.bottom - r.top - 6;
  RECT bar{r.left + 4, r.top + 3, r.left + 4 + w, r.top + 3 + h - 1};
  if (pressed) OffsetRect(&bar, 1, 1);
  FillRect(d.hDC, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&bar, -1, -1);
  HBRUSH colour = CreateSolidBrush(static_cast<COLORREF>(st_.background & 0xFFFFFF));
  FillRect(d.hDC, &bar, colour);
  DeleteObject(colour);
  if (d.itemState & ODS_FOCUS) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(d.hDC, &focus);
  }
}

void SettingsDialogWindow::ShowMenu(int id, const std::string& caption, POINT at, HWND anchor) {
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the control
    RECT r;
    GetWindowRect(anchor, &r);
    at = {r.left, r.bottom};
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), Widen(caption).c_str());
  const int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dlg_, nullptr);
  DestroyMenu(menu);
  if (chosen) Command(chosen, 0);
}

void SettingsDialogWindow::Message(const std::string& text, UINT icon) {
  MessageBoxW(dlg_, Widen(text).c_str(), Widen(kApplicationTitle).c_str(), MB_OK | icon);
}

}  // namespace

void SetupQuillomat1Click(WinSettingsHost& host) {
  if (g_open) {
    g_open->BringToFront();
  } else {
    SettingsDialogWindow dialog(host);
    g_open = &dialog;
    struct Forget {
      ~Forget() { g_open = nullptr; }
    } forget;
    dialog.RunModal();
  }
  // A changed "Always on Top" takes effect, and the top-most band is asserted again after the
  // modal dialog (unless "Exit" ended the program while the dialog was open).
  if (IsWindow(host.OwnerWindow())) host.SetStayOnTop(host.logic().settings().ontop);
}

}  // namespace quillo
